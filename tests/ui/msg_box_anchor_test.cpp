// What opens against the main window's label image, following the canvas's
// scroll position: the message box and the busy window a quarter of the
// free height down from the label image, the terminal and the store-as
// dialog at fixed offsets from the window's left and the label's top. The
// label's top is taken in the window's client area: the menu bar above it
// doesn't count.

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "engine/model/label_setup.h"
#include "engine/report/reporting.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/obj_list_dlg.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/dialogs/store_as_dlg.h"
#include "ui/dialogs/terminal_dlg.h"
#include "ui/program_main.h"
#include "ui/toolbar.h"

namespace zk::test {
namespace {

// The canvas is scrolled by this much; the label image then sits 4 below
// the top of the client area, scrolled up by the vertical part.
constexpr QPoint Scroll{100, 200};
constexpr int LabelTop = 4 - Scroll.y();

class MsgBoxAnchorTest : public MainWindowWithBoxesTest {
protected:
    // The main window with a label larger than it, scrolled right and down.
    TZKedit& ScrolledWindow()
    {
        TZKedit& main = StartWindow();
        LabelSetup.LabelWidth = 608;
        LabelSetup.LabelLength = 2000;
        main.SizeLabelCanvas();
        main.resize(500, 400);
        auto* area = main.findChild<QScrollArea*>("ClientArea");
        EXPECT_TRUE(QTest::qWaitFor([area] { return area->horizontalScrollBar()->maximum() >= Scroll.x(); }));
        area->horizontalScrollBar()->setValue(Scroll.x());
        area->verticalScrollBar()->setValue(Scroll.y());
        EXPECT_EQ(main.ScrollPosition(), Scroll);
        return main;
    }
};

TEST_F(MsgBoxAnchorTest, TheBoxFollowsTheCanvasScrollAndTheLabelTop)
{
    TZKedit& main = ScrolledWindow();
    AnchorMessageBoxToMainWindow(services, main);

    ShowCommunicating("Receiving form list");
    const QRect frame = main.frameGeometry();
    const QSize box = services.MsgBoxDlg().frameGeometry().size();
    // The scroll position is added back.
    const QPoint expected(frame.left() + (frame.width() - box.width()) / 2 + Scroll.x(),
                          frame.top() + LabelTop + (frame.height() - box.height()) / 4 + Scroll.y() + 16);
    EXPECT_EQ(services.MsgBoxDlg().frameGeometry().topLeft(), expected);
    ReportNoResponse();
}

struct FormCase {
    const char* name;
    QPoint offset;  // from the main window's left and the label image's top
    std::function<QWidget*(TZKedit&)> form;
};

void PrintTo(const FormCase& row, std::ostream* out) { *out << row.name; }

class LabelAnchoredFormTest : public MsgBoxAnchorTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(LabelAnchoredFormTest, OpensAtItsOffsetFromTheLabelTopFollowingTheScroll)
{
    PrinterEmulator printer;
    TZKedit& main = ScrolledWindow();
    QWidget* form = GetParam().form(main);
    form->show();
    const QRect frame = main.frameGeometry();
    const QPoint expected(frame.left() + Scroll.x() + GetParam().offset.x(),
                          frame.top() + LabelTop + Scroll.y() + GetParam().offset.y());
    EXPECT_EQ(form->frameGeometry().topLeft(), expected);
    form->close();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LabelAnchoredFormTest,
    ::testing::Values(FormCase{"Terminal", {16, 48}, [](TZKedit&) -> QWidget* { return &TerminalDlg(); }},
                      FormCase{"StoreAs", {48, 88},
                               [](TZKedit& main) -> QWidget* { return new TStoreAsDlg(&main); }},
                      FormCase{"ObjList", {36, 76},
                               [](TZKedit& main) -> QWidget* { return new TObjListDlg(&main); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The main window in the screen's bottom right corner with its label
// scrolled to the far end: every window the program places there is still
// wholly on the screen.
struct PlacedCase {
    const char* name;
    std::function<QWidget*(TZKedit&, QtUiServices&)> show;
};

void PrintTo(const PlacedCase& row, std::ostream* out) { *out << row.name; }

class PlacedWindowTest : public MainWindowWithBoxesTest, public ::testing::WithParamInterface<PlacedCase> {};

TEST_P(PlacedWindowTest, StaysWhollyOnTheScreen)
{
    PrinterEmulator printer;
    TZKedit& main = StartWindow();
    AnchorMessageBoxToMainWindow(services, main);
    LabelSetup.LabelWidth = 608;
    LabelSetup.LabelLength = 2000;
    main.SizeLabelCanvas();
    main.resize(500, 400);
    const QRect screen = main.screen()->availableGeometry();
    main.move(screen.right() + 1 - main.frameGeometry().width(), screen.bottom() + 1 - main.frameGeometry().height());
    auto* area = main.findChild<QScrollArea*>("ClientArea");
    ASSERT_TRUE(QTest::qWaitFor([area] { return area->horizontalScrollBar()->maximum() > 0; }));
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->maximum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    ASSERT_TRUE(screen.contains(main.frameGeometry()));

    QWidget* placed = GetParam().show(main, services);
    ASSERT_TRUE(placed->isVisible());
    EXPECT_TRUE(screen.contains(placed->frameGeometry()))
        << placed->frameGeometry().x() << "," << placed->frameGeometry().y() << " "
        << placed->frameGeometry().width() << "x" << placed->frameGeometry().height();
    placed->hide();
}

QWidget* Shown(QWidget* form)
{
    form->show();
    return form;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PlacedWindowTest,
    ::testing::Values(
        PlacedCase{"BusyWindow",
                   [](TZKedit&, QtUiServices& services) -> QWidget* {
                       ShowCommunicating("Receiving form list");
                       return &services.MsgBoxDlg();
                   }},
        PlacedCase{"Terminal", [](TZKedit&, QtUiServices&) { return Shown(&TerminalDlg()); }},
        PlacedCase{"StoreAs", [](TZKedit& main, QtUiServices&) { return Shown(new TStoreAsDlg(&main)); }},
        PlacedCase{"ObjList", [](TZKedit& main, QtUiServices&) { return Shown(new TObjListDlg(&main)); }},
        PlacedCase{"About",
                   [](TZKedit& main, QtUiServices&) {
                       main.PlaceDialog(-1, 0, main.AboutDlg());
                       return Shown(main.AboutDlg());
                   }},
        PlacedCase{"LabelSetup",
                   [](TZKedit& main, QtUiServices&) {
                       main.PlaceDialog(-1, 24, &SetupDlg());
                       return Shown(&SetupDlg());
                   }},
        PlacedCase{"Toolbar",
                   [](TZKedit& main, QtUiServices&) -> QWidget* {
                       auto* toolbar = new TZKToolbar(main);
                       main.LayoutToolbar();
                       return Shown(toolbar);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zk::test
