// A later start brings the running editor to the front, on an X server
// without a window manager: whatever stood above the main window (a modal
// dialog, a message box over it, the error box of an exchange) stands
// above it and its toolbar again, and the topmost of them has the keys.

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/link/comm_link.h"
#include "engine/report/reporting.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "tests/x11/window_focus.h"
#include "tests/x11/window_stacking.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/program_main.h"
#include "ui/toolbar.h"

namespace zk::test {

namespace {

class BringToFrontTest : public MainWindowWithBoxesTest {
public:
    // The editor with its toolbar up, as after start-up.
    TZKedit& StartWithToolbar()
    {
        WriteConfiguration("Port=0\n");
        TZKedit& main = MakeWindow();
        AnchorMessageBoxToMainWindow(services, main);
        toolbar = new TZKToolbar(main);
        main.show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return toolbar->isVisible(); }));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        return main;
    }

    // Brings the editor to the front as a later start asks it to, then
    // checks that the windows stand above the main window and its toolbar
    // in this order, bottom first, and that the last one has the keys.
    void BringToFrontAndCheck(const std::vector<QWidget*>& windows)
    {
        window->BringToFront();
        checked = true;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            SCOPED_TRACE(windows[i]->objectName().toStdString());
            EXPECT_TRUE(StacksAbove(*windows[i], *window));
            EXPECT_TRUE(StacksAbove(*windows[i], *toolbar));
            if (i > 0) {
                EXPECT_TRUE(StacksAbove(*windows[i], *windows[i - 1]));
            }
        }
        EXPECT_TRUE(KeysGoTo(*windows.back()));
    }

    TZKToolbar* toolbar = nullptr;
    bool checked = false;
};

struct FrontCase {
    const char* name;
    // Opens the windows and calls the check while they are up.
    std::function<void(BringToFrontTest& test, TZKedit& main, TMsgBoxDlg& box)> run;
};

void PrintTo(const FrontCase& row, std::ostream* out) { *out << row.name; }

class WhatStoodAboveTest : public BringToFrontTest, public ::testing::WithParamInterface<FrontCase> {};

TEST_P(WhatStoodAboveTest, StandsAboveAgainAndTheTopmostHasTheKeys)
{
    TZKedit& main = StartWithToolbar();
    GetParam().run(*this, main, services.MsgBoxDlg());
    EXPECT_TRUE(checked);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WhatStoodAboveTest,
    ::testing::Values(
        FrontCase{"AboutBox",
                  [](BringToFrontTest& test, TZKedit& main, TMsgBoxDlg&) {
                      WhenModalShows([&test](QWidget* about) {
                          test.BringToFrontAndCheck({about});
                          QTest::keyClick(about, Qt::Key_Escape);
                      });
                      main.MenuItem("AboutM")->trigger();
                  }},
        FrontCase{"FirstRunSettings",
                  [](BringToFrontTest& test, TZKedit&, TMsgBoxDlg&) {
                      TSettingsDlg& settings = SettingsDlg();
                      WhenModalShows([&test, &settings](QWidget*) {
                          test.BringToFrontAndCheck({&settings});
                          settings.reject();
                      });
                      settings.exec();
                  }},
        FrontCase{"MessageBoxOverTheSettings",
                  [](BringToFrontTest& test, TZKedit&, TMsgBoxDlg&) {
                      TSettingsDlg& settings = SettingsDlg();
                      WhenModalShows([&test, &settings](QWidget*) {
                          // Reset Printer asks first.
                          WhenModalNamed("MsgBoxDlg", [&test, &settings](QWidget* box) {
                              test.BringToFrontAndCheck({&settings, box});
                              QTest::keyClick(box, Qt::Key_Escape);
                          });
                          settings.ResetBt->click();
                          settings.reject();
                      });
                      settings.exec();
                  }},
        FrontCase{"ErrorBoxOfAnExchange",
                  [](BringToFrontTest& test, TZKedit&, TMsgBoxDlg& box) {
                      ShowCommunicating("Receiving form list");
                      CommLink.LinkError = 1;
                      ReportNoResponse();
                      ASSERT_TRUE(box.isVisible());
                      test.BringToFrontAndCheck({&box});
                      box.OkBt->click();
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zk::test
