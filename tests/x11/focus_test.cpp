// Where the keys go when a dialog closes, on an X server without a window
// manager: nothing but the program hands the input focus on, so a closed
// dialog must give it back to the window below it, or the main window's
// shortcuts stay dead until the user clicks somewhere.

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "engine/report/reporting.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "tests/x11/window_focus.h"
#include "ui/dialogs/settings_dlg.h"

namespace zk::test {

namespace {

class FocusTest : public MainWindowWithBoxesTest {
protected:
    // The editor as the user has it after start-up: the main window has the keys.
    TZKedit& StartWithKeys()
    {
        // A configuration exists, so no first-run dialog opens.
        WriteConfiguration("Port=0\n");
        TZKedit& main = StartWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
        main.activateWindow();
        EXPECT_TRUE(KeysGoTo(main));
        return main;
    }
};

struct CloseCase {
    const char* name;
    const char* menuItem;  // opens a modal window of the main window
    Qt::Key key;           // ends it
};

void PrintTo(const CloseCase& row, std::ostream* out) { *out << row.name; }

class DialogOfTheMainWindowTest : public FocusTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(DialogOfTheMainWindowTest, WhenItClosesTheMainWindowHasTheKeysAgain)
{
    TZKedit& main = StartWithKeys();
    bool dialogHadKeys = false;
    WhenModalShows([&](QWidget* modal) {
        dialogHadKeys = KeysGoTo(*modal);
        QTest::keyClick(modal, GetParam().key);
    });
    main.findChild<QAction*>(GetParam().menuItem)->trigger();
    EXPECT_TRUE(dialogHadKeys);
    EXPECT_TRUE(KeysGoTo(main));
}

INSTANTIATE_TEST_SUITE_P(
    Closes, DialogOfTheMainWindowTest,
    ::testing::Values(CloseCase{"AlignDialogByEsc", "AlignM", Qt::Key_Escape},
                      CloseCase{"AboutBoxByEsc", "AboutM", Qt::Key_Escape},
                      // With no figures the object list is refused by a message box.
                      CloseCase{"MessageBoxByEnter", "EditfromListM", Qt::Key_Return},
                      CloseCase{"MessageBoxByEsc", "EditfromListM", Qt::Key_Escape}),
    [](const auto& info) { return std::string(info.param.name); });

// A box asked from inside a dialog gives the keys back to that dialog.
TEST_F(FocusTest, ABoxOverTheSettingsGivesTheKeysBackToThem)
{
    StartWithKeys();
    TSettingsDlg& settings = SettingsDlg();
    bool boxHadKeys = false;
    bool questionHadKeys = false;
    bool settingsHadKeysAfterBox = false;
    bool settingsHadKeysAfterQuestion = false;
    WhenModalShows([&](QWidget*) {
        // The program's own box: Reset Printer asks first; Esc answers No.
        WhenModalNamed("MsgBoxDlg", [&](QWidget* box) {
            boxHadKeys = KeysGoTo(*box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        settings.ResetBt->click();
        settingsHadKeysAfterBox = KeysGoTo(settings);
        // The desktop's standard box: the calibration question.
        WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                  [&](QWidget* question) {
                      questionHadKeys = KeysGoTo(*question);
                      QTest::keyClick(question, Qt::Key_Escape);
                  });
        settings.CalibrationBt->click();
        settingsHadKeysAfterQuestion = KeysGoTo(settings);
        settings.reject();
    });
    settings.exec();
    EXPECT_TRUE(boxHadKeys);
    EXPECT_TRUE(settingsHadKeysAfterBox);
    EXPECT_TRUE(questionHadKeys);
    EXPECT_TRUE(settingsHadKeysAfterQuestion);
    EXPECT_TRUE(KeysGoTo(*window));
}

}  // namespace
}  // namespace zk::test
