// The main menu's and the toolbar's print and variables commands: what they
// refuse, the mode flags they set, and the stored-form print from the
// printer's active form to its print, over the printer emulator.

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

#include "engine/link/serial_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/model/label_setup.h"
#include "engine/model/figure_list.h"
#include "engine/model/variables.h"
#include "engine/render/redraw.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"
#include "tests/ui/dialogs/print_stream_helpers.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

class PrintCommandsTest : public test::MainWindowTest {
protected:
    PrintCommandsTest()
    {
        ResetPrintDialogModes();
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
    }
    ~PrintCommandsTest() override
    {
        ResetPrintDialogModes();
        LinkTimeouts = {};
    }

    void Trigger(const char* item) { window->MenuItem(item)->trigger(); }

    // The objectName of the modal dialog the command shows, which is closed.
    std::string ModalShownBy(const std::function<void()>& command)
    {
        std::string shown;
        test::WhenModalShows([&shown](QWidget* modal) {
            shown = modal->objectName().toStdString();
            modal->findChild<QPushButton*>("CanBt")->click();
        });
        command();
        return shown;
    }
};

TEST_F(PrintCommandsTest, TestPrintOfAnEmptyLabelIsRefused)
{
    StartWindow();
    DriverPrintMode = 1;
    Trigger("TestPrintM");
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to print");
    EXPECT_EQ(DriverPrintMode, 0);
}

TEST_F(PrintCommandsTest, TestPrintOpensItsDialogWithTheLastCopies)
{
    StartWindow();
    test::AddTextAndBarcode();
    RedrawLabel(RedrawEditor);
    Settings.PrintCopies = 7;
    std::string copies;
    test::WhenModalShows([&copies](QWidget* modal) {
        copies = modal->findChild<QLineEdit*>("TmpCopies")->text().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    Trigger("TestPrintM");
    EXPECT_EQ(copies, "7");
}

TEST_F(PrintCommandsTest, UpdateVariablesRefusesWithoutAnyAndOpensTheGridWithoutPrint)
{
    StartWindow();
    Trigger("NewValuesM");
    EXPECT_EQ(ui.OnlyMessage(), "No variables or counters defined");

    Counters[3].Defined = 1;
    bool printShown = true;
    int rows = 0;
    test::WhenModalShows([&](QWidget* modal) {
        printShown = modal->findChild<QPushButton*>("PrintBt")->isVisible();
        rows = modal->findChild<QTableWidget*>("VarGrid")->rowCount();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    Trigger("NewValuesM");
    EXPECT_FALSE(printShown);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(UpdateOnlyMode, 1);
}

TEST_F(PrintCommandsTest, DefineVariablesOpensTheVariablesDialog)
{
    StartWindow();
    EXPECT_EQ(ModalShownBy([this] { Trigger("VariablesM"); }), "VarCntDlg");
}

TEST_F(PrintCommandsTest, ToolbarButtonsReachTheSameDialogsAndClearDriverMode)
{
    StartWindow();
    auto* toolbar = new TZKToolbar(*window);
    Variables[0].Defined = 1;
    DriverPrintMode = 1;
    EXPECT_EQ(ModalShownBy([toolbar] { toolbar->findChild<QToolButton*>("VarBt")->click(); }), "VarCntDlg");
    EXPECT_EQ(DriverPrintMode, 0);
    DriverPrintMode = 1;
    EXPECT_EQ(ModalShownBy([toolbar] { toolbar->findChild<QToolButton*>("NewValuesBt")->click(); }), "NewVarDlg");
    EXPECT_EQ(DriverPrintMode, 0);
}

TEST_F(PrintCommandsTest, PrintReadsTheActiveFormAndItsVariablesThenPrintsIt)
{
    StartWindow();
    test::PrinterEmulator printer;
    test::PrinterMemory memory(printer);
    memory.StoreForm("SHIP", {"V00,10,N,\"Name\"", "C01,04,N,+2,\"Count\""});
    memory.SetActiveForm("SHIP");
    memory.SetValue("V00", "Bob");
    memory.SetValue("C01", "0005");
    std::string title;
    test::WhenModalShows([&title](QWidget* modal) {
        title = modal->windowTitle().toStdString();
        modal->findChild<QLineEdit*>("TmpSets")->setText("2");
        modal->findChild<QLineEdit*>("TmpCopies")->setText("3");
        modal->findChild<QPushButton*>("PrintBt")->click();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    Trigger("PrintM");
    EXPECT_EQ(title, "Print - SHIP");
    EXPECT_EQ(Variables[0].Value, "Bob");
    EXPECT_EQ(Counters[1].Value, "9");
    const std::string sent = test::ReceivedThrough(printer, "P2,3\r\n");
    EXPECT_NE(sent.find("\r\nUN\r\nFR\"SHIP\"\r\n\n\rP2,3\r\n"), std::string::npos);
    // The busy window went up once and closed once.
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "close"), 1);
}

TEST_F(PrintCommandsTest, PrintWithoutAnAnswerOpensNoDialog)
{
    StartWindow();
    test::PrinterEmulator printer;
    printer.SetSilent(true);
    // Closes a dialog that should not come; it goes with the test, so it
    // cannot answer a later test's dialog.
    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    closer.start(10);
    Trigger("PrintM");
    EXPECT_FALSE(shown);
    EXPECT_TRUE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response") != ui.events.end());
}

}  // namespace
}  // namespace zk
