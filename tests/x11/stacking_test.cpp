// Windows meant to stay on top, on an X server without a window manager:
// the program raises them itself.

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/report/reporting.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "tests/x11/window_stacking.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/toolbar.h"

namespace zk::test {

namespace {

class StackingTest : public MainWindowWithBoxesTest {
protected:
    StackingTest()
    {
        // The box's window exists from an earlier showing, as after any
        // exchange; a window made later stacks above it.
        box().show();
        box().hide();
        cover.setWindowTitle("Settings and Diagnostic");
        cover.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&cover));
    }
    TMsgBoxDlg& box() { return services.MsgBoxDlg(); }

    QDialog cover;
};

TEST_F(StackingTest, AMessageBoxComesAboveTheWindowsMadeAfterIt)
{
    bool above = false;
    WhenModalShows([&](QWidget* modal) {
        above = StacksAbove(*modal, cover);
        modal->findChild<QPushButton*>("NoBt")->click();
    });
    ShowMessageBox("Warning", "All information in printer will be erased !", true);
    EXPECT_TRUE(above);
}

TEST_F(StackingTest, TheBusyWindowComesAboveTheWindowsMadeAfterIt)
{
    ShowCommunicating("Receiving form list");
    EXPECT_TRUE(StacksAbove(box(), cover));
    ReportNoResponse();
}

TEST_F(StackingTest, TheToolbarStaysAboveTheMainWindow)
{
    TZKedit& main = MakeWindow();
    auto* toolbar = new TZKToolbar(main);
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([toolbar] { return toolbar->isVisible(); }));
    EXPECT_TRUE(StacksAbove(*toolbar, main));
    EXPECT_TRUE(StacksAbove(*toolbar, cover));
    // A later start asks this one to come to the front.
    main.BringToFront();
    EXPECT_TRUE(StacksAbove(main, cover));
    EXPECT_TRUE(StacksAbove(*toolbar, main));
}

// The label setup opened from the menu is modeless; a later start that
// raises the program must not bury it under the main window, since nothing
// but the menu would bring it back.
TEST_F(StackingTest, ALabelSetupLeftOpenStaysAboveTheMainWindowWhenTheProgramIsRaised)
{
    TZKedit& main = MakeWindow();
    auto* toolbar = new TZKToolbar(main);
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([toolbar] { return toolbar->isVisible(); }));
    main.MenuItem("LabelSetupM")->trigger();
    TSetupDlg& setup = SetupDlg();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&setup));
    ASSERT_TRUE(StacksAbove(setup, main));

    main.BringToFront();
    EXPECT_TRUE(StacksAbove(main, cover));
    EXPECT_TRUE(StacksAbove(setup, main));
    EXPECT_TRUE(StacksAbove(setup, *toolbar));
    setup.hide();
}

}  // namespace
}  // namespace zk::test
