// Start-up, shut-down and the canvas of the main window.

#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/canvas_layer.h"
#include "ui/editor_globals.h"
#include "ui/editor_hooks.h"
#include "ui/label_canvas.h"
#include "ui/window_geometry.h"

namespace zk::test {
namespace {

namespace fs = std::filesystem;

class MainWindowStartTest : public MainWindowTest {};

TEST_F(MainWindowStartTest, StartUpReadsTheConfigurationBeforeTheFontAndSizesTheCanvasAfterIt)
{
    WriteConfiguration("WIDTH = 500\r\nLENGTH = 300\r\nPICTURE NUMBER = 42\r\nGRID STEP = 16\r\n");
    LabelImage.Resize(0, 0);
    std::vector<std::string> calls;
    EditorHooks.LoadPrinterFont = [&calls] {
        // Configuration loaded; templates, variables and canvas not yet.
        calls.push_back("font width=" + std::to_string(LabelSetup.LabelWidth) +
                        " step=" + std::to_string(Settings.GridStep) +
                        " picture=" + std::string(PictureTemplate.Name.view()) +
                        " image=" + std::to_string(LabelImage.Width()) + " ready=" + std::to_string(MainWindowReady));
        return 0;
    };
    Variables[3].Defined = 1;
    ASSERT_EQ(AppendFigure(TFigurePayload{}), 0);

    TZKedit& w = MakeWindow();

    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], "font width=500 step=16 picture= image=0 ready=0");
    EXPECT_EQ(std::string(PictureTemplate.Name.view()), "PICT0042");
    EXPECT_EQ(CountDefinedVarsCounters(), 0u);
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(MainWindowReady, 1);
    EXPECT_EQ(RedrawMode, RedrawEditor);
    EXPECT_EQ(LabelImage.Width(), 500);
    EXPECT_EQ(LabelImage.Height(), 300);
    EXPECT_EQ(w.Label()->size(), QSize(500, 300));
    EXPECT_EQ(w.Label()->Picture().size(), QSize(500, 300));
    EXPECT_EQ(w.windowTitle().toStdString(), "VORTAN Label Editor v 2.30H");
    EXPECT_EQ(ProgramPaths.ConfigFileName, UserDir() + "ZOVIDURU.CFG");
}

TEST_F(MainWindowStartTest, WindowFrameIsThreeQuartersOfTheDesktop)
{
    TZKedit& w = StartWindow();
    const QRect desktop = w.screen()->geometry();
    // The outer frame, title bar and borders included, not the client area.
    ASSERT_NE(w.frameGeometry(), w.geometry()) << "the platform draws no frame";
    EXPECT_EQ(w.frameGeometry(), QRect(desktop.x() + desktop.width() / 8, desktop.y() + desktop.height() / 8,
                                       desktop.width() * 3 / 4, desktop.height() * 3 / 4));
}

TEST_F(MainWindowStartTest, SizeGivenBeforeTheFirstShowIsKept)
{
    TZKedit& w = MakeWindow();
    w.resize(500, 400);
    w.show();
    EXPECT_EQ(w.size(), QSize(500, 400));
}

TEST_F(MainWindowStartTest, CanvasFollowsTheLabelSetup)
{
    TZKedit& w = StartWindow();
    LabelSetup.LabelWidth = 608;
    LabelSetup.LabelLength = 2000;
    w.SizeLabelCanvas();
    EXPECT_EQ(w.Label()->size(), QSize(608, 2000));
    EXPECT_EQ(LabelImage.Width(), 608);
    EXPECT_EQ(LabelImage.Height(), 2000);
    EXPECT_EQ(w.Label()->Picture().pixel(607, 1999), White);
    // Longer than the window: the client area scrolls to show all of it.
    auto* area = w.findChild<QScrollArea*>("ClientArea");
    ASSERT_NE(area, nullptr);
    QTest::qWait(0);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
}

// The program's folder is an installation folder: the file dialogs start
// in the home folder unless the configured work folder still exists.
TEST_F(MainWindowStartTest, AGoneWorkFolderStartsTheFileDialogsAtHome)
{
    WriteConfiguration("WORK DIRECTORY = " + (TempDir() / "gone").string() + "/\r\n");
    MakeWindow();
    EXPECT_EQ(ProgramPaths.WorkDir, std::string(std::getenv("HOME")) + "/");
}

TEST_F(MainWindowStartTest, LabelOnTheCommandLineIsOpenedWhenTheWindowShows)
{
    const std::string label = (TempDir() / "labels" / "first.zlb").string();
    fs::create_directories(TempDir() / "labels");
    std::ofstream(label) << "ZK7300 FILE";
    WriteConfiguration("SHOW GRID = 1\r\nGRID STEP = 8\r\nLEFT MARGIN = 20\r\nTOP MARGIN = 20\r\n");
    std::vector<std::string> opened;
    EditorHooks.LoadLabelFile = [&opened](const std::string& path) {
        opened.push_back(path);
        // What the label reader leaves: a drawn label, shown through the canvas hook.
        RedrawLabel(RedrawEditor);
        LabelImage.FillRect(30, 30, 10, 5, Black);
        CanvasRedrawHook();
    };

    TZKedit& w = MakeWindow({"zkedit", label});
    EXPECT_TRUE(opened.empty());
    w.show();
    ASSERT_EQ(opened, std::vector<std::string>{label});
    EXPECT_EQ(ProgramPaths.WorkDir, (TempDir() / "labels").string() + "/");

    const QImage& shown = w.Label()->Picture();
    const struct {
        int x, y;
        QRgb colour;
    } pixels[] = {
        {30, 30, Black}, {39, 34, Black}, {40, 30, White}, {4, 4, GridDotColour}, {12, 20, GridDotColour},
        {36, 36, GridDotColour},  // a grid dot over ink
        {5, 4, White},   {20, 25, MarginLineColour}, {25, 20, MarginLineColour}, {19, 25, White},
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(shown.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // Apart from the editor's marks, the canvas is the engine's image.
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (pixel != GridDotColour && pixel != MarginLineColour) {
                ASSERT_EQ(pixel, LabelImage.Pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(MainWindowStartTest, MissingFontFileShowsItsMessageAndClosesWithTheConfigurationWritten)
{
    const std::string label = (TempDir() / "first.zlb").string();
    std::ofstream(label) << "ZK7300 FILE";
    bool labelOpened = false;
    EditorHooks.LoadPrinterFont = [] { return 1; };
    EditorHooks.LoadLabelFile = [&labelOpened](const std::string&) { labelOpened = true; };

    TZKedit& w = StartWindow({"zkedit", label});

    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't open font file " + ProgramPaths.ProgramDir + "VEZARAZ.EVU");
    EXPECT_FALSE(labelOpened);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(fs::exists(UserDir() + "ZOVIDURU.CFG"));
}

TEST_F(MainWindowStartTest, NoMemoryForTheFontClosesToo)
{
    EditorHooks.LoadPrinterFont = [] { return 2; };
    TZKedit& w = StartWindow();
    EXPECT_EQ(ui.OnlyMessage(), "Can't allocate font memory");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowStartTest, SettingsDialogOpensOnTheFirstRunOnly)
{
    for (const bool configured : {false, true}) {
        SCOPED_TRACE(configured);
        if (configured) WriteConfiguration("GRID STEP = 8\r\n");
        int settingsShown = 0;
        EditorHooks.ShowSettingsDialog = [&settingsShown] { ++settingsShown; };
        TZKedit& w = StartWindow();
        EXPECT_EQ(settingsShown, configured ? 0 : 1);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(ui.messageBoxes.empty());
        window.reset();
    }
}

TEST_F(MainWindowStartTest, StartTimerChecksTheGridAndLeftToolbarItemsFromTheSettings)
{
    WriteConfiguration("SHOW GRID = 1\r\nTOOLBAR POS = 1\r\n");
    TZKedit& w = StartWindow();
    EXPECT_TRUE(w.MenuItem("GridM")->isChecked());
    EXPECT_TRUE(w.MenuItem("LeftToolbarM")->isChecked());
}

class MainWindowCloseTest : public MainWindowTest {};

TEST_F(MainWindowCloseTest, CloseFreesTheFontClosesThePortSavesAndDeletesTheScratchFile)
{
    std::vector<std::string> calls;
    EditorHooks.FreePrinterFont = [&calls] { calls.push_back("font"); };
    EditorHooks.ClosePort = [this, &calls] {
        calls.push_back(fs::exists(UserDir() + "ZOVIDURU.CFG") ? "port after saving" : "port before saving");
    };
    TZKedit& w = StartWindow();
    fs::create_directories(UserDir());
    std::ofstream(ProgramPaths.TempLabelFileName) << "scratch";
    ProgramPaths.SerialPortList = {"/dev/ttyS0"};
    Settings.GridStep = 24;

    EXPECT_TRUE(w.close());

    EXPECT_EQ(calls, (std::vector<std::string>{"font", "port before saving"}));
    EXPECT_FALSE(fs::exists(UserDir() + "ZOVIDURU.$$$"));
    std::ifstream config(UserDir() + "ZOVIDURU.CFG");
    const std::string text((std::istreambuf_iterator<char>(config)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("GRID STEP = 24"), std::string::npos);
    EXPECT_EQ(MainWindowReady, 0);
    EXPECT_TRUE(ProgramPaths.SerialPortList.empty());
}

TEST_F(MainWindowCloseTest, CloseWaitsForARunningExchange)
{
    bool exchange = true;
    EditorHooks.ExchangeInProgress = [&exchange] { return exchange; };
    int portClosed = 0;
    EditorHooks.ClosePort = [&portClosed] { ++portClosed; };
    TZKedit& w = StartWindow();

    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(portClosed, 0);
    EXPECT_FALSE(fs::exists(UserDir() + "ZOVIDURU.CFG"));

    exchange = false;
    EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }));
    EXPECT_EQ(portClosed, 1);
    EXPECT_TRUE(fs::exists(UserDir() + "ZOVIDURU.CFG"));
}

class MainWindowCommandTest : public MainWindowTest {};

TEST_F(MainWindowCommandTest, GridItemShowsAndHidesTheDots)
{
    TZKedit& w = StartWindow();
    ASSERT_EQ(Settings.ShowGrid, 0);
    EXPECT_EQ(w.Label()->Picture().pixel(0, 0), White);
    w.MenuItem("GridM")->trigger();
    EXPECT_EQ(Settings.ShowGrid, 1);
    EXPECT_EQ(w.Label()->Picture().pixel(0, 0), GridDotColour);
    EXPECT_EQ(w.Label()->Picture().pixel(8, 8), GridDotColour);
    w.MenuItem("GridM")->trigger();
    EXPECT_EQ(Settings.ShowGrid, 0);
    EXPECT_EQ(w.Label()->Picture().pixel(8, 8), White);
}

TEST_F(MainWindowCommandTest, MarginsItemShowsAndHidesTheLines)
{
    WriteConfiguration("LEFT MARGIN = 30\r\n");
    TZKedit& w = StartWindow();
    EXPECT_EQ(w.Label()->Picture().pixel(30, 0), MarginLineColour);
    w.MenuItem("MarginsM")->trigger();
    EXPECT_EQ(w.Label()->Picture().pixel(30, 0), White);
}

TEST_F(MainWindowCommandTest, ViewItemsToggleTheToolbarItsSideAndScrollTracking)
{
    TZKedit& w = StartWindow();
    QWidget toolbar;
    w.SetToolbar(&toolbar, nullptr);
    toolbar.show();
    auto* area = w.findChild<QScrollArea*>("ClientArea");

    w.MenuItem("ToolbarM")->trigger();
    EXPECT_FALSE(toolbar.isVisible());
    w.MenuItem("ToolbarM")->trigger();
    EXPECT_TRUE(toolbar.isVisible());

    w.MenuItem("LeftToolbarM")->trigger();
    EXPECT_EQ(Settings.ToolbarPos, 1);
    w.MenuItem("LeftToolbarM")->trigger();
    EXPECT_EQ(Settings.ToolbarPos, 0);

    w.MenuItem("ScrollTrackingM")->trigger();
    EXPECT_FALSE(area->horizontalScrollBar()->hasTracking());
    EXPECT_FALSE(area->verticalScrollBar()->hasTracking());
    w.MenuItem("ScrollTrackingM")->trigger();
    EXPECT_TRUE(area->verticalScrollBar()->hasTracking());
}

TEST_F(MainWindowCommandTest, NewLabelClearsTheLabelUnlessAnExchangeRuns)
{
    bool exchange = true;
    EditorHooks.ExchangeInProgress = [&exchange] { return exchange; };
    TZKedit& w = StartWindow();
    ASSERT_EQ(AppendFigure(TFigurePayload{}), 0);
    Counters[0].Defined = 1;

    w.MenuItem("NewLabelM")->trigger();
    EXPECT_EQ(CountFigures(), 1u);
    EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});

    exchange = false;
    w.MenuItem("NewLabelM")->trigger();
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(CountDefinedVarsCounters(), 0u);
    EXPECT_EQ(DrawnFigureCount, 0);
}

TEST_F(MainWindowCommandTest, DrawItemsChooseTheToolAndAClickOnTheFormDropsIt)
{
    TZKedit& w = StartWindow();
    const struct {
        const char* item;
        int tool;
    } rows[] = {{"TextM", 0}, {"BarcodeM", 1}, {"RectangleM", 2}, {"LineM", 3},
                {"BoxM", 4},  {"PictureM", 5}, {"Pdf417M", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        w.MenuItem(row.item)->trigger();
        EXPECT_EQ(DrawingTool, row.tool);
        EXPECT_EQ(w.Label()->cursor().shape(), Qt::DragCopyCursor);
    }
    QWidget* form = w.findChild<QWidget*>("Form");
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(form->width() - 5, form->height() - 5));
    EXPECT_EQ(DrawingTool, SelectionTool);
    EXPECT_EQ(w.Label()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(MainWindowCommandTest, StatusLineShowsTheCursorInLabelDots)
{
    WriteConfiguration("LEFT MARGIN = 20\r\nTOP MARGIN = -10\r\n");
    TZKedit& w = StartWindow();
    QWidget toolbar;
    auto* status = new QLabel(&toolbar);
    w.SetToolbar(&toolbar, status);

    QTest::mouseMove(w.Label(), QPoint(25, 7));
    EXPECT_EQ(status->text().toStdString(), "5,17");
    w.ShowCursorPosition(0, 0);
    EXPECT_EQ(status->text().toStdString(), "-20,10");
    w.ClearStatusLine();
    EXPECT_EQ(status->text().toStdString(), "");
}

TEST_F(MainWindowCommandTest, EscCancelsAResize)
{
    int cancelled = 0;
    EditorHooks.CancelResize = [&cancelled] { ++cancelled; };
    TZKedit& w = StartWindow();
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_EQ(cancelled, 1);
}

TEST_F(MainWindowCommandTest, ClientAreaSnapsBackTo400By300)
{
    TZKedit& w = StartWindow();
    w.resize(200, 100);
    QWidget* client = w.centralWidget();
    EXPECT_GE(client->width(), 400);
    EXPECT_GE(client->height(), 300);
}

TEST_F(MainWindowCommandTest, PlaceDialogUsesTheClientArea)
{
    TZKedit& w = StartWindow();
    QWidget small;
    small.resize(100, 40);
    w.PlaceDialog(-1, 0, &small);
    const QPoint origin = w.ClientOrigin();
    const QSize client = w.ClientSize();
    // Not yet made by the window system, it is measured with the main window's frame.
    const QSize framed = small.size() + (w.frameGeometry().size() - w.size());
    EXPECT_EQ(small.pos(), origin + QPoint((client.width() - framed.width()) / 2, (client.height() - framed.height()) / 4));

    QWidget large;
    large.resize(client.width() + 50, client.height() + 50);
    w.PlaceDialog(-1, 0, &large);
    EXPECT_EQ(large.pos(), origin + QPoint(24, 24));
}

TEST_F(MainWindowCommandTest, PlaceDialogMeasuresADialogNeverShownByItsLayout)
{
    TZKedit& w = StartWindow();
    QDialog dialog(&w);
    auto* layout = new QVBoxLayout(&dialog);
    auto* content = new QLabel("content", &dialog);
    content->setFixedSize(300, 120);
    layout->addWidget(content);
    w.PlaceDialog(-1, 0, &dialog);
    dialog.show();
    ASSERT_GE(dialog.width(), 300);
    EXPECT_EQ(dialog.frameGeometry().topLeft(),
              DialogPosition(w.ClientOrigin(), w.ClientSize(), dialog.frameGeometry().size(), -1, 0, {}));
}

TEST_F(MainWindowCommandTest, UpdateVariablesOpensWhereThePlacementRuleSays)
{
    TZKedit& w = StartWindow();
    Variables[0].Defined = 1;
    Variables[0].Prompt = "Name";
    QPoint shownAt;
    QPoint ruleSays;
    WhenModalShows([&](QWidget* modal) {
        shownAt = modal->frameGeometry().topLeft();
        ruleSays = DialogPosition(w.ClientOrigin(), w.ClientSize(), modal->frameGeometry().size(), -1, 0, {});
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.MenuItem("NewValuesM")->trigger();
    EXPECT_EQ(shownAt, ruleSays);
}

TEST_F(MainWindowCommandTest, LayoutToolbarPlacesItAtTheRightEdgeAndReanchorsTheCanvas)
{
    WriteConfiguration("TOOLBAR POS = 1\r\n");
    TZKedit& w = MakeWindow();
    w.move(0, 0);
    w.show();
    QWidget toolbar;
    auto* status = new QLabel("0,0", &toolbar);
    status->resize(64, 20);
    w.SetToolbar(&toolbar, status);

    w.LayoutToolbar();

    EXPECT_EQ(toolbar.size(), QSize(64, 244));
    const QPoint clientTopRight = w.ClientOrigin() + QPoint(w.ClientSize().width(), 0);
    EXPECT_EQ(toolbar.pos(), clientTopRight + QPoint(-toolbar.frameGeometry().width() - 4, 4));
    EXPECT_EQ(w.Label()->pos(), QPoint(4, 4));
}

}  // namespace
}  // namespace zk::test
