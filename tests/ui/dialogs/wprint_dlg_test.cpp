// The stored-form print dialog: its fields' bounds, printing the active
// form in sets and copies with the counters advanced by the sets, no form
// selected, choosing another stored form, and the new values it prints
// with, over the printer emulator.

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "engine/link/comm_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"
#include "tests/ui/dialogs/print_dialogs_fixture.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/new_var_dlg.h"
#include "ui/dialogs/wprint_dlg.h"

namespace zk {
namespace {

class WPrintDlgTest : public test::PrintDialogsTest {
protected:
    TWPrintDlg& dlg = WPrintDlg();
};

TEST_F(WPrintDlgTest, LeavingSetsTakesSetsAndCopiesWithinTheirBounds)
{
    Settings.PrintSets = 4;
    Settings.PrintCopies = 6;
    dlg.PreparePrintDialog();
    EXPECT_EQ(dlg.TmpSets->text().toStdString(), "4");
    EXPECT_EQ(dlg.TmpCopies->text().toStdString(), "6");
    const struct {
        const char* sets;
        const char* copies;
        int expectedSets;
        int expectedCopies;
    } rows[] = {{"0", "1000", 4, 6}, {"x", "-1", 4, 6}, {"999", "1", 999, 1}, {"2", "3", 2, 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sets);
        Settings.PrintSets = 4;
        Settings.PrintCopies = 6;
        dlg.TmpSets->setText(row.sets);
        dlg.TmpCopies->setText(row.copies);
        dlg.TmpSetsExit();
        EXPECT_EQ(Settings.PrintSets, row.expectedSets);
        EXPECT_EQ(Settings.PrintCopies, row.expectedCopies);
    }
}

TEST_F(WPrintDlgTest, PrintSendsTheActiveFormAndAdvancesTheCountersBySets)
{
    test::PrinterEmulator printer;
    ActiveFormName = "SHIP";
    PrintDialogCaption = "Print - SHIP";
    Define(Counters[0], "Count", "10", 3);
    Define(Counters[5], "Down", "0", -1);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Print - SHIP");
    dlg.TmpSets->setText("2");
    dlg.TmpCopies->setText("5");
    dlg.PrintBt->click();
    const std::string expected = "\r\nUN\r\nFR\"SHIP\"\r\n\n\rP2,5\r\n";
    ASSERT_TRUE(printer.WaitForReceived(expected.size()));
    EXPECT_EQ(printer.Received(), expected);
    EXPECT_EQ(Counters[0].Value, "16");
    EXPECT_EQ(Counters[5].Value, "-2");
    EXPECT_EQ(Settings.PrintSets, 2);
    EXPECT_TRUE(dlg.isVisible());
}

// The caption names the form as the printer named it, in the printer's text.
TEST_F(WPrintDlgTest, TheCaptionShowsTheActiveFormsNameAsPrinterText)
{
    PrintDialogCaption = "Print - CAF\xC9";
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Print - CAF\u00c9");
}

TEST_F(WPrintDlgTest, APrinterThatIsGoneAdvancesNoCounter)
{
    test::PrinterEmulator printer;
    ActiveFormName = "SHIP";
    Define(Counters[0], "Count", "10", 3);
    printer.Vanish();
    dlg.show();
    dlg.PrintBt->click();
    EXPECT_EQ(Counters[0].Value, "10");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(WPrintDlgTest, WithoutAnActiveFormNothingIsSent)
{
    test::PrinterEmulator printer;
    dlg.show();
    dlg.PrintBt->click();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "No form is selected");
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(WPrintDlgTest, SelectFormMakesThePickedFormActiveAndReadsItsVariables)
{
    test::PrinterEmulator printer;
    test::PrinterMemory memory(printer);
    memory.StoreForm("BOX", {"C01,04,N,+2,\"Count\""});
    memory.StoreForm("SHIP", {"V00,10,N,\"Name\""});
    memory.SetActiveForm("SHIP");
    memory.SetValue("C01", "0007");
    std::vector<std::string> listed;
    std::uint8_t selectMode = 0;
    ui.storeAsUser = [&] {
        listed = StoreAsDlg.FList.Items;
        selectMode = StoreAsSelectMode;
        StoreAsDlg.ObjName = "BOX";
        SelectFormAndReceiveVariables();
    };
    dlg.show();
    dlg.SelFormBt->click();
    EXPECT_EQ(listed, (std::vector<std::string>{"BOX", "SHIP"}));
    EXPECT_EQ(selectMode, 1);
    EXPECT_EQ(StoreAsSelectMode, 0);
    EXPECT_EQ(ActiveFormName, "BOX");
    EXPECT_EQ(dlg.windowTitle().toStdString(), "Print - BOX");
    EXPECT_EQ(Counters[1].Defined, 1);
    EXPECT_EQ(Counters[1].Value, "0007");
}

// Figures that show a variable show the value the selected form brought.
TEST_F(WPrintDlgTest, SelectFormRedrawsTheLabelWithTheFormsValues)
{
    test::PrinterEmulator printer;
    test::PrinterMemory memory(printer);
    memory.StoreForm("BOX", {"C01,04,N,+2,\"Count\""});
    memory.SetValue("C01", "8888");
    TBarcodeFigure barcode;
    barcode.Type = 3;  // code 128
    barcode.X = 10;
    barcode.Y = 10;
    barcode.Narrow = 2;
    barcode.Wide = 4;
    barcode.Height = 40;
    barcode.Data = "C01";
    AppendFigure(barcode);
    LabelImage.Resize(LabelSetup.LabelWidth, LabelSetup.LabelLength);
    RedrawLabel(RedrawEditor);
    const std::vector<std::uint32_t> before(LabelImage.Bits(), LabelImage.Bits() + LabelImage.Width() * LabelImage.Height());
    ui.storeAsUser = [] {
        StoreAsDlg.ObjName = "BOX";
        SelectFormAndReceiveVariables();
    };
    dlg.show();
    dlg.SelFormBt->click();
    ASSERT_EQ(Counters[1].Value, "8888");
    const std::vector<std::uint32_t> after(LabelImage.Bits(), LabelImage.Bits() + LabelImage.Width() * LabelImage.Height());
    EXPECT_TRUE(after != before);
}

TEST_F(WPrintDlgTest, SelectFormWithoutAnAnswerShowsNoList)
{
    test::PrinterEmulator printer;
    printer.SetSilent(true);
    dlg.show();
    dlg.SelFormBt->click();
    EXPECT_TRUE(std::find(ui.events.begin(), ui.events.end(), "dialog:StoreAs") == ui.events.end());
    EXPECT_TRUE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response") != ui.events.end());
}

TEST_F(WPrintDlgTest, PrintWithNewValuesSelectsTheFormSendsValuesAndPrints)
{
    test::PrinterEmulator printer;
    ActiveFormName = "SHIP";
    Settings.PrintSets = 3;
    Settings.PrintCopies = 2;
    Define(Variables[0], "Name", "Bob");
    Define(Counters[1], "Count", "10", 1);
    std::string cellAfterPrint;
    test::WhenModalShows([&cellAfterPrint](QWidget* modal) {
        auto* grid = modal->findChild<QTableWidget*>("VarGrid");
        grid->item(0, 1)->setText("Ann");
        modal->findChild<QPushButton*>("PrintBt")->click();
        cellAfterPrint = grid->item(1, 1)->text().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    dlg.show();
    dlg.VariablesBt->click();
    const std::string expected = "\r\nFR\"SHIP\"\r\n?\r\nAnn\r\n10\nP3,2\r\n";
    ASSERT_TRUE(printer.WaitForReceived(expected.size()));
    EXPECT_EQ(printer.Received(), expected);
    EXPECT_EQ(TestPrintMode, 0);
    EXPECT_EQ(Counters[1].Value, "13");
    EXPECT_EQ(cellAfterPrint, "13");
    EXPECT_EQ(Variables[0].Value, "Ann");
}

}  // namespace
}  // namespace zk
