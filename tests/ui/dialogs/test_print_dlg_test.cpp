// The test print dialog: the copies field's bounds, a print end to end over
// the printer emulator, a refused write reported once, and its Variables
// button.

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "engine/link/comm_link.h"
#include "engine/model/label_setup.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/new_var_dlg.h"
#include "ui/dialogs/test_print_dlg.h"

namespace zk {
namespace {

class TestPrintDlgTest : public test::PrintDialogsTest {
protected:
    int Count(const std::string& event) const { return static_cast<int>(std::count(ui.events.begin(), ui.events.end(), event)); }

    TTestPrintDlg& dlg = TestPrintDlg();
};

TEST_F(TestPrintDlgTest, CopiesOutsideOneTo999KeepThePreviousValue)
{
    Settings.PrintCopies = 5;
    dlg.PrepareTestPrintDialog();
    EXPECT_EQ(dlg.TmpCopies->text().toStdString(), "5");
    const struct {
        const char* text;
        int expected;
    } rows[] = {{"0", 5}, {"1000", 5}, {"x", 5}, {"", 5}, {"999", 999}, {"1", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Settings.PrintCopies = 5;
        dlg.TmpCopies->setText(row.text);
        dlg.TmpCopiesExit();
        EXPECT_EQ(Settings.PrintCopies, row.expected);
    }
}

TEST_F(TestPrintDlgTest, PrintSendsTheLabelWithItsCopiesAndAdvancesTheCounters)
{
    test::PrinterEmulator printer;
    test::AddTextAndBarcode();
    Define(Variables[0], "Name", "Bob");
    Define(Counters[1], "Count", "10", 2);
    dlg.show();
    dlg.TmpCopies->setText("3");
    dlg.PrintBt->click();

    const std::string sent = test::ReceivedThrough(printer, "P3\r\n");
    EXPECT_EQ(sent.rfind("\r\nUN\r\nN\r\nVC\r\n", 0), 0u);
    EXPECT_NE(sent.find("?\r\nBob\r\n10\r\n"), std::string::npos);
    EXPECT_EQ(sent.substr(sent.size() - 4), "P3\r\n");
    EXPECT_EQ(Settings.PrintCopies, 3);
    EXPECT_EQ(Counters[1].Value, "12");
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_TRUE(dlg.isVisible());  // open for the next print
    EXPECT_EQ(Count("busy:Printing label. Please wait !"), 1);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(TestPrintDlgTest, ARefusedWriteIsReportedOnceAndAdvancesNothing)
{
    test::PrinterEmulator printer;
    test::AddTextAndBarcode();
    test::AddBulk();
    Define(Counters[1], "Count", "10", 2);
    printer.OnCommand("VC", [](test::PrinterEmulator& p, const std::string&) { p.Stall(); });
    dlg.show();
    dlg.PrintBt->click();
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(Count("error:Error:No printer response"), 1);
    EXPECT_EQ(Counters[1].Value, "10");
    EXPECT_EQ(CommLink.PortHandle, -1);
    printer.Resume();
}

TEST_F(TestPrintDlgTest, AnEmptyLabelIsNothingToPrint)
{
    test::PrinterEmulator printer;
    dlg.show();
    dlg.PrintBt->click();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "Nothing to print");
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(TestPrintDlgTest, VariablesWithNoneDefinedRefuses)
{
    dlg.show();
    dlg.VariablesBt->click();
    EXPECT_EQ(ui.OnlyMessage(), "No variables or counters defined");
}

TEST_F(TestPrintDlgTest, VariablesOpensTheNewValuesForATestPrint)
{
    Define(Variables[0], "Name", "Bob");
    DriverPrintMode = 1;
    UpdateOnlyMode = 1;
    bool printShown = false;
    test::WhenModalShows([&printShown](QWidget* modal) {
        printShown = modal->findChild<QPushButton*>("PrintBt")->isVisible();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    dlg.show();
    dlg.VariablesBt->click();
    EXPECT_TRUE(printShown);
    EXPECT_EQ(TestPrintMode, 1);
    EXPECT_EQ(UpdateOnlyMode, 0);
    EXPECT_EQ(DriverPrintMode, 0);
}

}  // namespace
}  // namespace zk
