// The new-values grid: one row per defined variable, then counter, its
// size and buttons, storing the typed values, and what OK and Print send
// in each mode, over the printer emulator.

#include <QPushButton>
#include <QTest>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/label_setup.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "ui/dialogs/new_var_dlg.h"

namespace zk {
namespace {

class NewVarDlgTest : public test::PrintDialogsTest {
protected:
    void DefineThree()
    {
        Define(Variables[5], "Price", "12");
        Define(Counters[1], "Count", "0010", 1);
        Define(Variables[0], "Name", "Bob");
    }

    std::string Cell(int row, int column) const { return dlg.VarGrid->item(row, column)->text().toStdString(); }
    void SetCell(int row, const char* text) { dlg.VarGrid->item(row, 1)->setText(QString::fromUtf8(text)); }

    TNewVarDlg& dlg = NewVarDlg();
};

TEST_F(NewVarDlgTest, RowsFollowTheSlotsVariablesFirstWithPromptsFixed)
{
    DefineThree();
    Variables[5].Prompt = "Pr\x82is";  // code page 437
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    ASSERT_EQ(dlg.VarGrid->rowCount(), 3);
    ASSERT_EQ(dlg.VarGrid->columnCount(), 2);
    EXPECT_EQ(Cell(0, 0), "Name");
    EXPECT_EQ(Cell(0, 1), "Bob");
    EXPECT_EQ(Cell(1, 0), "Pr\u00e9is");
    EXPECT_EQ(Cell(1, 1), "12");
    EXPECT_EQ(Cell(2, 0), "Count");
    EXPECT_EQ(Cell(2, 1), "0010");
    EXPECT_FALSE(dlg.VarGrid->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(dlg.VarGrid->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(dlg.VarGrid->rowHeight(0), 22);
    EXPECT_EQ(dlg.VarGrid->columnWidth(0), 180);
}

TEST_F(NewVarDlgTest, TheFormFitsTenRowsAndPlacesItsButtons)
{
    const struct {
        int rows;
        bool withPrint;
        int gridHeight;
        int okLeft;
    } cases[] = {{3, true, 72, 136}, {9, false, 210, 200}, {10, true, 233, 136}, {40, false, 233, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        dlg.PrepareNewValuesDialog(c.rows, c.withPrint);
        dlg.show();
        EXPECT_EQ(dlg.VarGrid->height(), c.gridHeight);
        EXPECT_EQ(dlg.OkBt->x(), c.okLeft);
        EXPECT_EQ(dlg.OkBt->y(), dlg.height() - 35);
        EXPECT_EQ(dlg.PrintBt->isVisible(), c.withPrint);
        dlg.hide();
    }
}

TEST_F(NewVarDlgTest, OkFromUpdateStoresTranslatedValuesAndSendsNothing)
{
    test::PrinterEmulator printer;
    DefineThree();
    UpdateOnlyMode = 1;
    dlg.PrepareNewValuesDialog(3, false);
    dlg.show();
    SetCell(0, "Zo\u00eb");
    SetCell(1, std::string(70, '9').c_str());
    SetCell(2, "77");
    dlg.OkBt->click();
    EXPECT_EQ(Variables[0].Value, "Zo\x89");
    // A value holds 63 characters.
    EXPECT_EQ(Variables[5].Value, std::string(63, '9'));
    EXPECT_EQ(Counters[1].Value, "77");
    EXPECT_EQ(printer.Received(), "");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(NewVarDlgTest, OkFromTheStoredFormPrintSendsTheValues)
{
    test::PrinterEmulator printer;
    DefineThree();
    Define(Variables[7], "Empty", "");
    Define(Counters[3], "Zero", "");
    dlg.PrepareNewValuesDialog(5, true);
    dlg.show();
    SetCell(1, "13");
    dlg.OkBt->click();
    const std::string expected = "\r\n?\r\nBob\r\n13\r\n \r\n0010\n0\r\n";
    ASSERT_TRUE(printer.WaitForReceived(expected.size()));
    EXPECT_EQ(printer.Received(), expected);
}

// OK that sends the values, pressed while a printer exchange holds the port
// (a print from this dialog shows no busy window over it): a beep, and the
// dialog stays with the typed values, neither stored nor sent.
TEST_F(NewVarDlgTest, OkThatSendsRefusesWhileAnExchangeRuns)
{
    test::PrinterEmulator printer;
    DefineThree();
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    SetCell(1, "13");
    {
        const TExchangeGuard running;
        dlg.OkBt->click();
    }
    EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Cell(1, 1), "13");
    EXPECT_EQ(Variables[5].Value, "12");
    QTest::qWait(50);
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(NewVarDlgTest, OkFromATestPrintStoresOnly)
{
    test::PrinterEmulator printer;
    DefineThree();
    TestPrintMode = 1;
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    SetCell(0, "Ann");
    dlg.OkBt->click();
    EXPECT_EQ(Variables[0].Value, "Ann");
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(NewVarDlgTest, CancelKeepsTheOldValues)
{
    DefineThree();
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    SetCell(0, "Ann");
    dlg.findChild<QPushButton*>("CanBt")->click();
    EXPECT_EQ(Variables[0].Value, "Bob");
}

TEST_F(NewVarDlgTest, TestPrintWithNewValuesShowsTheAdvancedCounterAfterwards)
{
    test::PrinterEmulator printer;
    test::AddTextAndBarcode();
    DefineThree();
    TestPrintMode = 1;
    Settings.PrintCopies = 2;
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    SetCell(0, "Ann");
    SetCell(2, "0099");
    dlg.PrintBt->click();
    const std::string sent = test::ReceivedThrough(printer, "P2\r\n");
    EXPECT_NE(sent.find("?\r\nAnn\r\n12\r\n0099\r\n"), std::string::npos);
    EXPECT_EQ(Counters[1].Value, "100");
    EXPECT_EQ(Cell(2, 1), "100");
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(NewVarDlgTest, ATestPrintRefusedByTheUserIsNotReportedAgain)
{
    test::PrinterEmulator printer;
    test::AddTextAndBarcode();
    test::AddBulk();
    DefineThree();
    TestPrintMode = 1;
    printer.OnCommand("VC", [](test::PrinterEmulator& p, const std::string&) { p.Stall(); });
    dlg.PrepareNewValuesDialog(3, true);
    dlg.show();
    dlg.PrintBt->click();
    EXPECT_EQ(CommLink.WriteAborted, 1);
    // The retry question was the report; the busy window just goes.
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't write to comm. port. Retry ?");
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "error:Error:No printer response"), 0)
        << ::testing::PrintToString(ui.events);
    EXPECT_FALSE(ui.busyVisible);
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_EQ(Counters[1].Value, "0010");
    EXPECT_EQ(Cell(2, 1), "0010");
    printer.Resume();
}

}  // namespace
}  // namespace zk
