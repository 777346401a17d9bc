// The printer emulator's own behaviour, as later printer tests rely on it.

#include "tests/support/printer_emulator.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/link/serial_link.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class PrinterEmulatorTest : public test::EngineTest {
protected:
    PrinterEmulatorTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        EXPECT_TRUE(OpenPort());
    }

    std::string NextLine()
    {
        std::string line;
        ReceiveLine(line, 256);
        return line;
    }

    test::PrinterEmulator printer;
};

TEST_F(PrinterEmulatorTest, QueuedRepliesAnswerLinesNoHandlerTakes)
{
    printer.ReplyTo("UQ", "handled\r\n");
    printer.QueueReply("first\r\n");
    printer.QueueReply("second\r\n");
    PrinterPrintf("XA\r\n");
    EXPECT_EQ(NextLine(), "first");
    PrinterPrintf("UQ\r\n");
    EXPECT_EQ(NextLine(), "handled");
    PrinterPrintf("XB\r\n");
    EXPECT_EQ(NextLine(), "second");
}

TEST_F(PrinterEmulatorTest, AHandlerClaimsBinaryDataAfterItsLine)
{
    std::string stored;
    printer.OnCommand("GW", [&stored](test::PrinterEmulator& p, const std::string&) {
        p.ExpectBinary(4, [&stored](test::PrinterEmulator& q, const std::string& data) {
            stored = data;
            q.Send("stored\r\n");
        });
    });
    PrinterPrintf("GW10,10,1,4\r\n");
    for (const std::uint8_t byte : {0x0a, 0x00, 0x0d, 0xff}) {
        SendByte(byte);
    }
    PrinterPrintf("P1\r\n");
    EXPECT_EQ(NextLine(), "stored");
    EXPECT_EQ(stored, std::string("\x0a\x00\x0d\xff", 4));
    ASSERT_TRUE(printer.WaitForLines(2));
    EXPECT_EQ(printer.Lines(), (std::vector<std::string>{"GW10,10,1,4", "P1"}));
}

TEST_F(PrinterEmulatorTest, AnInlineCommandClaimsDataOfUnknownLength)
{
    std::string stored;
    printer.OnInlineCommand([](std::string_view partial) { return partial == "ES\"A\""; },
                            [&stored](test::PrinterEmulator& p, const std::string&) {
                                p.ExpectBinaryUntil([](const std::string& data) { return data.ends_with("END"); },
                                                    [&stored](test::PrinterEmulator& q, const std::string& data) {
                                                        stored = data;
                                                        q.Send("stored\r\n");
                                                    });
                            });
    PrinterPrintf("\r\nES\"A\"x\ny\rEND");
    EXPECT_EQ(NextLine(), "stored");
    EXPECT_EQ(stored, "x\ny\rEND");
    EXPECT_EQ(printer.Lines(), (std::vector<std::string>{"", "ES\"A\""}));
}

TEST_F(PrinterEmulatorTest, ALineFilterTakesLinesBeforeTheHandlers)
{
    printer.ReplyTo("UQ", "handled\r\n");
    printer.SetLineFilter([](test::PrinterEmulator&, const std::string& line) { return line == "UQ1"; });
    PrinterPrintf("UQ1\r\nUQ2\r\n");
    EXPECT_EQ(NextLine(), "handled");
    EXPECT_EQ(NextLine(), "");  // nothing more: UQ1 was filtered
    EXPECT_EQ(printer.Lines(), (std::vector<std::string>{"UQ1", "UQ2"}));
}

TEST_F(PrinterEmulatorTest, ASilentPrinterRecordsButNeverAnswers)
{
    printer.ReplyTo("UQ", "handled\r\n");
    printer.SetSilent(true);
    PrinterPrintf("UQ\r\n");
    EXPECT_EQ(NextLine(), "");
    EXPECT_EQ(CommLink.LinkError, 1);
    EXPECT_EQ(printer.Lines(), std::vector<std::string>{"UQ"});
}

}  // namespace
}  // namespace zk
