// New values for a stored form: the value lines with their two kinds of
// line end, sending them alone and with a stored-form print, end to end
// over the printer emulator.

#include "engine/print/new_values.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/config/program_paths.h"
#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

void Define(TVariable& record, const char* value, int step = 0)
{
    record.Defined = 1;
    record.Value = value;
    record.Step = static_cast<std::int8_t>(step);
}

class NewValuesTest : public test::EngineTest {
protected:
    NewValuesTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
    }

    std::string ReceivedBytes(std::size_t count)
    {
        EXPECT_TRUE(printer.WaitForReceived(count));
        return printer.Received();
    }

    test::PrinterEmulator printer;
};

class NewValueLinesTest : public test::EngineTest {};

TEST_F(NewValueLinesTest, DefinedRecordsInSlotOrderWithTheirLineEnds)
{
    struct Row {
        const char* name;
        void (*setUp)();
        const char* expected;
    };
    const Row rows[] = {
        {"none defined", [] {}, "?\r\n"},
        {"variables and a counter",
         [] {
             Define(Variables[5], "five");
             Define(Variables[0], "zero");
             Define(Counters[1], "0042");
         },
         "?\r\nzero\r\nfive\r\n0042\n"},
        {"empty values",
         [] {
             Define(Variables[3], "");
             Define(Counters[7], "");
         },
         "?\r\n \r\n0\r\n"},
        {"line ends inside a value are dropped",
         [] {
             Define(Variables[1], "a\r\nP9\r\nb");
             Define(Counters[0], "1\n2");
         },
         "?\r\naP9b\r\n12\n"},
        {"an undefined slot keeps its value to itself",
         [] {
             Define(Variables[2], "kept");
             Variables[2].Defined = 0;
             Define(Counters[2], "7");
         },
         "?\r\n7\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Variables = {};
        Counters = {};
        row.setUp();
        EXPECT_EQ(NewValueLines(), row.expected);
    }
}

TEST_F(NewValuesTest, SendingTheValuesAloneFramesThemAndClosesThePort)
{
    Define(Variables[0], "Bob");
    Define(Counters[1], "10", 2);
    ASSERT_TRUE(SendNewValues());
    const std::string expected = "\r\n?\r\nBob\r\n10\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_EQ(Counters[1].Value, "10");
}

TEST_F(NewValuesTest, PrintingTheFormSendsValuesThenSetsAndCopiesAndAdvancesBySets)
{
    Define(Variables[0], "Bob");
    Define(Variables[5], "");
    Define(Counters[1], "10", 3);
    Define(Counters[4], "-1", -1);
    Settings.PrintSets = 2;
    Settings.PrintCopies = 5;
    ASSERT_TRUE(PrintFormWithNewValues("SHIP"));
    const std::string expected = "\r\nFR\"SHIP\"\r\n?\r\nBob\r\n \r\n10\n-1\nP2,5\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(Counters[1].Value, "16");
    EXPECT_EQ(Counters[4].Value, "-3");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(NewValuesTest, APortThatDoesNotOpenSendsNothing)
{
    Define(Counters[0], "1", 1);
    ProgramPaths.SerialPortList = {(TempDir() / "no-such-port").string()};
    EXPECT_FALSE(PrintFormWithNewValues("SHIP"));
    EXPECT_FALSE(SendNewValues());
    EXPECT_EQ(Counters[0].Value, "1");
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(NewValuesTest, AVanishedPrinterAdvancesNoCounter)
{
    Define(Counters[0], "1", 1);
    printer.Vanish();
    EXPECT_FALSE(PrintFormWithNewValues("SHIP"));
    EXPECT_NE(CommLink.LinkError, 0);
    EXPECT_EQ(Counters[0].Value, "1");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

}  // namespace
}  // namespace zk
