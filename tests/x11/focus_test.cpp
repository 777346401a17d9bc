// Where the keys go when a dialog closes, on an X server without a window
// manager: nothing but the program hands the input focus on, so a closed
// dialog must give it back to the window below it, or the main window's
// shortcuts stay dead until the user clicks somewhere.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/report/reporting.h"
#include "tests/engine/memory/memory_fixture.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "tests/x11/window_focus.h"
#include "tests/x11/window_stacking.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/settings_dlg.h"
#include "ui/program_main.h"

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
        AnchorMessageBoxToMainWindow(services, main);
        return main;
    }

    // Presses the key on the server and waits until the window is gone;
    // closes it when the key did not.
    static bool KeyCloses(xcb_keysym_t key, QWidget& window)
    {
        PressKeyOnServer(key);
        const bool closed = QTest::qWaitFor([&window] { return !window.isVisible(); }, 5000);
        if (!closed) {
            window.hide();
        }
        return closed;
    }

    // The box of an exchange the printer did not answer, as it stays up.
    TMsgBoxDlg& ErrorBox()
    {
        ShowCommunicating("Receiving form list");
        CommLink.LinkError = 1;
        ReportNoResponse();
        return services.MsgBoxDlg();
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

// The picture dialog takes a graphic the printer lists but does not send:
// the exchange's error box stays up under the box that says the picture
// could not be made. Each box in turn has the keys and Enter closes it;
// then the picture dialog has them again.
TEST_F(FocusTest, TwoErrorBoxesInARowEachTakeTheKeysInTurn)
{
    StartWithKeys();
    LinkTimeouts.ReplySilenceMs = 300;
    PrinterEmulator printer;
    PrinterMemory memory{printer};
    memory.StoreGraphics("LOGO", MakePcxFile(8, 1, 1, "\xFF"));
    printer.OnCommand("GI\"", [](PrinterEmulator&, const std::string&) {});
    ProgramPaths.SerialPortList = {printer.SlavePath()};
    Settings.Port = 0;
    TMsgBoxDlg& exchangeBox = services.MsgBoxDlg();

    bool topBoxHadKeys = false;
    bool topBoxClosedByEnter = false;
    bool remainingBoxHadKeys = false;
    bool remainingBoxClosedByEnter = false;
    bool pictureDialogHadKeysAgain = false;
    WhenModalShows([&](QWidget* picture) {
        WhenModalNamed("ObjListDlg", [&](QWidget* list) {
            WhenModal(
                [&exchangeBox](QWidget* w) { return qobject_cast<TMsgBoxDlg*>(w) != nullptr && w != &exchangeBox; },
                [&](QWidget* top) {
                    EXPECT_EQ(static_cast<TMsgBoxDlg*>(top)->MsgText->text(), "Can't extract from printer");
                    topBoxHadKeys = KeysGoTo(*top);
                    topBoxClosedByEnter = KeyCloses(KeyReturn, *top);
                });
            auto* names = list->findChild<QListWidget*>("FList");
            names->setCurrentItem(names->findItems("LOGO", Qt::MatchExactly).value(0));
            list->findChild<QPushButton*>("SaveBt")->click();
        });
        PictureDlg->ExtractBt->click();
        EXPECT_EQ(exchangeBox.MsgText->text(), "No printer response");
        remainingBoxHadKeys = KeysGoTo(exchangeBox);
        remainingBoxClosedByEnter = KeyCloses(KeyReturn, exchangeBox);
        pictureDialogHadKeysAgain = KeysGoTo(*picture);
        static_cast<QDialog*>(picture)->reject();
    });
    PreparePictureDialog(false);
    PictureDlg->exec();
    EXPECT_TRUE(topBoxHadKeys);
    EXPECT_TRUE(topBoxClosedByEnter);
    EXPECT_TRUE(remainingBoxHadKeys);
    EXPECT_TRUE(remainingBoxClosedByEnter);
    EXPECT_TRUE(pictureDialogHadKeysAgain);
}

// The error box stays on top of a window opened after it, and has the keys
// again once that window closes.
TEST_F(FocusTest, AnErrorBoxStaysAboveALaterWindowAndHasTheKeysAfterIt)
{
    TZKedit& main = StartWithKeys();
    TMsgBoxDlg& box = ErrorBox();
    ASSERT_TRUE(KeysGoTo(box));
    bool boxAboveAbout = false;
    bool aboutHadKeys = false;
    bool aboutClosedByEsc = false;
    WhenModalShows([&](QWidget* about) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(about));
        boxAboveAbout = StacksAbove(box, *about);
        aboutHadKeys = KeysGoTo(*about);
        aboutClosedByEsc = KeyCloses(KeyEscape, *about);
    });
    main.MenuItem("AboutM")->trigger();
    EXPECT_TRUE(boxAboveAbout);
    EXPECT_TRUE(aboutHadKeys);
    EXPECT_TRUE(aboutClosedByEsc);
    EXPECT_TRUE(KeysGoTo(box));
    EXPECT_TRUE(KeyCloses(KeyReturn, box));
    EXPECT_TRUE(KeysGoTo(main));
}

}  // namespace
}  // namespace zk::test
