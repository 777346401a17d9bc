// The main window's printer-memory commands, the toolbar's files button and
// "Add New Font" open their forms over the printer's memory.

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "tests/engine/memory/memory_fixture.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "tests/ui/dialogs/memory_dialogs_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/label_canvas.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

using test::WhenModalNamed;

class MemoryCommandsTest : public test::MainWindowTest {
protected:
    MemoryCommandsTest()
    {
        LinkTimeouts.ReplySilenceMs = 300;
        LinkTimeouts.WriteTimeoutMs = 200;
    }

    TZKedit& Start()
    {
        TZKedit& w = StartWindow();
        toolbar = new TZKToolbar(w);  // owned by the window
        // The start-up read the configuration; the emulator stays the port.
        ProgramPaths.SerialPortList = {printer.SlavePath()};
        Settings.Port = 0;
        return w;
    }

    test::PrinterEmulator printer;
    test::PrinterMemory memory{printer};
    test::FormShowingUiServices dialogUi;
    TZKToolbar* toolbar = nullptr;
};

TEST_F(MemoryCommandsTest, EveryPrinterMemoryItemIsEnabled)
{
    TZKedit& w = Start();
    for (const char* name : {"FormM", "GraphicsM", "FontsM", "StoreCurrentM", "StoreFormM", "StoreGraphicsM",
                             "StoreFontM", "NewFontM"}) {
        EXPECT_TRUE(w.MenuItem(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(toolbar->findChild<QToolButton*>("FilesBt")->isEnabled());
}

// While an exchange holds the port (from before its first byte), every menu
// item and toolbar button that talks to the printer beeps and does nothing:
// no dialog opens, nothing is asked and nothing reaches the printer.
TEST_F(MemoryCommandsTest, EveryPrinterItemAndButtonRefusesDuringAnExchange)
{
    TZKedit& w = Start();
    ASSERT_EQ(AppendFigure(TBarFigure{10, 10, 40, 8, 0}), 0);
    RedrawLabel(RedrawEditor);
    const std::size_t linesBefore = printer.Lines().size();
    TExchangeGuard running;
    const test::ModalWatch modals;
    // The variables dialogs and the driver print edit or print the values a
    // running exchange sends or fills in.
    const char* items[] = {"FormM",          "GraphicsM",  "FontsM",     "StoreCurrentM", "StoreFormM",
                           "StoreGraphicsM", "StoreFontM", "TestPrintM", "PrintM",        "ContinueM",
                           "SettingsM",      "TerminalM",  "VariablesM", "NewValuesM",    "PrintUsingDriver1"};
    for (const char* item : items) {
        SCOPED_TRACE(item);
        dialogUi.events.clear();
        w.MenuItem(item)->trigger();
        EXPECT_EQ(dialogUi.events, std::vector<std::string>{"beep"});
    }
    for (const char* button : {"TPrintBt", "PrintBt", "SettingsBt", "VarBt", "NewValuesBt"}) {
        SCOPED_TRACE(button);
        dialogUi.events.clear();
        toolbar->findChild<QToolButton*>(button)->click();
        EXPECT_EQ(dialogUi.events, std::vector<std::string>{"beep"});
    }
    QTest::qWait(20);
    EXPECT_FALSE(modals.Shown());
    EXPECT_TRUE(dialogUi.messageBoxes.empty());
    EXPECT_EQ(printer.Lines().size(), linesBefore);
}

TEST_F(MemoryCommandsTest, EachListItemShowsThePrintersObjectsOfItsKind)
{
    memory.StoreForm("SHIP", {"N", "P1"});
    memory.StoreGraphics("LOGO", test::MakePcxFile(8, 1, 1, "\xFF"));
    memory.StoreGraphics("SEAL", test::MakePcxFile(8, 1, 1, "\x00"));
    memory.StoreFont("K", test::MakeFontData("A", 2));
    TZKedit& w = Start();
    const std::pair<const char*, QString> items[] = {
        {"FormM", "Form list - 1 object"}, {"GraphicsM", "Graphics list - 2 objects"}, {"FontsM", "Font list - 1 object"}};
    for (const auto& [item, caption] : items) {
        SCOPED_TRACE(item);
        QString shown;
        WhenModalNamed("ObjListDlg", [&shown](QWidget* d) {
            shown = d->windowTitle();
            d->close();
        });
        w.MenuItem(item)->trigger();
        EXPECT_EQ(shown, caption);
    }
}

TEST_F(MemoryCommandsTest, StoreCurrentLabelOfAnEmptyLabelSaysNothingToStore)
{
    TZKedit& w = Start();
    w.MenuItem("StoreCurrentM")->trigger();
    EXPECT_EQ(dialogUi.OnlyMessage(), "Nothing to store");
    EXPECT_TRUE(dialogUi.dialogs.empty());
}

TEST_F(MemoryCommandsTest, TheFilesButtonAndAddNewFontOpenTheirForms)
{
    Start();
    const std::pair<std::function<void()>, QString> openers[] = {
        {[this] { toolbar->findChild<QToolButton*>("FilesBt")->click(); }, "FilesDlg"},
        {[this] { window->MenuItem("NewFontM")->trigger(); }, "FontFromDlg"},
    };
    for (const auto& [open, name] : openers) {
        bool shown = false;
        WhenModalNamed(name, [&shown](QWidget* d) {
            shown = true;
            d->close();
        });
        open();
        EXPECT_TRUE(shown) << name.toStdString();
    }
}

// The canvas shows the model after every read-back: a failed one leaves
// both the label and its picture as they were, a good one shows the form.
TEST_F(MemoryCommandsTest, TheCanvasShowsTheLabelAfterAFailedAndAGoodReadBack)
{
    memory.StoreForm("BARS", {"N", "P1"});
    TZKedit& w = Start();
    ASSERT_EQ(AppendFigure(TBoxFigure{10, 10, 200, 150, 4}), 0);
    RedrawLabel(RedrawEditor);
    const auto* canvas = w.findChild<TLabelCanvas*>("Label");
    ASSERT_NE(canvas, nullptr);
    const QImage before = canvas->Picture().copy();
    const QRgb black = qRgb(0, 0, 0);
    ASSERT_EQ(before.pixel(12, 12), black);

    // The printer lists the form, but sends it only when asked the second time.
    auto answers = std::make_shared<bool>(false);
    printer.OnCommand("FI\"", [answers](test::PrinterEmulator& p, const std::string&) {
        if (*answers) {
            p.Send("N\r\nLO100,100,50,20\r\nP1\r\n" + std::string(1, '\0'));
        }
    });
    LoadFormFromPrinter("BARS");
    EXPECT_EQ(CountFigures(), 1u);
    EXPECT_TRUE(FigureList.FigureHead->Is(TFigureKind::Box));
    EXPECT_TRUE(canvas->Picture() == before);

    *answers = true;
    LoadFormFromPrinter("BARS");
    ASSERT_EQ(CountFigures(), 1u);
    EXPECT_TRUE(FigureList.FigureHead->Is(TFigureKind::Bar));
    EXPECT_EQ(canvas->Picture().pixel(12, 12), qRgb(255, 255, 255));
    EXPECT_EQ(canvas->Picture().pixel(110, 110), black);
}

}  // namespace
}  // namespace zk
