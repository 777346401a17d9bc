// The settings dialog: filled from the settings, OK with the translation
// reload, the service commands end to end over the printer emulator, and the
// first run without a configuration.

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <termios.h>

#include "engine/config/program_paths.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/setup_dialogs_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/settings_service.h"
#include "ui/editor_hooks.h"
#include "ui/qt_ui_services.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

class SettingsDlgTest : public test::SetupDialogsTest {
protected:
    void SetPorts(std::vector<std::string> ports)
    {
        ProgramPaths.SerialPortList = std::move(ports);
        KeepPortList();
    }
};

TEST_F(SettingsDlgTest, FillsEveryListFromTheSettings)
{
    SetPorts({"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"});
    ProgramPaths.TranslationFileList = {TempDir() / "greek.trn", TempDir() / "polish.trn"};
    Settings.Port = 2;
    Settings.BaudIndex = 6;
    Settings.Protocol = 1;
    Settings.DirectGraphics = 1;
    Settings.Translation = 3;

    TSettingsDlg dlg;
    dlg.show();

    EXPECT_EQ(dlg.windowTitle().toStdString(), "Settings and Diagnostic");
    ASSERT_EQ(dlg.PortNumber->count(), 3);
    EXPECT_EQ(Text(dlg.PortNumber), "/dev/ttyUSB1");
    EXPECT_EQ(Text(dlg.Bauds), "115200");
    EXPECT_EQ(Text(dlg.Protocol), "Xon / Xoff");
    EXPECT_EQ(Text(dlg.TPrintMode), "Send fonts and graphics directly");
    ASSERT_EQ(dlg.TrnList->count(), 4);
    EXPECT_EQ(dlg.TrnList->itemText(0).toStdString(), "ANSI to OEM");
    EXPECT_EQ(dlg.TrnList->itemText(1).toStdString(), "None");
    EXPECT_EQ(dlg.TrnList->itemText(2).toStdString(), "File: greek.trn");
    EXPECT_EQ(Text(dlg.TrnList), "File: polish.trn");
    EXPECT_TRUE(dlg.ClockData->text().isEmpty());
    EXPECT_TRUE(dlg.ClockData->isReadOnly());
    EXPECT_FALSE(dlg.EnableR2L->isVisible());
    ASSERT_NE(dlg.findChild<QPushButton*>("C"), nullptr);
    EXPECT_TRUE(dlg.findChild<QPushButton*>("C")->isHidden());
}

TEST_F(SettingsDlgTest, ButtonsCarryTheirNamesAndCaptions)
{
    TSettingsDlg dlg;
    const std::pair<const char*, const char*> buttons[] = {
        {"DiagnBt", "Diagnostic Information"}, {"FormsBt", "Forms List"}, {"GraphicsBt", "Graphics List"},
        {"FontsBt", "Fonts List"}, {"SetClock", "Set"}, {"GetClock", "Get"},
        {"DefaultBt", "Default Parameters"}, {"ResetBt", "Reset Printer"}, {"CalibrationBt", "Calibration"},
        {"OkBt", "OK"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = dlg.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text().toStdString(), caption);
    }
    EXPECT_EQ(dlg.Bauds->count(), 7);
    EXPECT_EQ(dlg.EnableR2L->text().toStdString(), "Allow Reverse Direction");
}

TEST_F(SettingsDlgTest, AConfiguredPortThatIsGoneFallsBackToTheFirst)
{
    SetPorts({"/dev/ttyS0", "/dev/ttyS1"});
    Settings.Port = 5;
    TSettingsDlg dlg;
    dlg.show();
    EXPECT_EQ(Settings.Port, 0);
    EXPECT_EQ(dlg.PortNumber->currentIndex(), 0);
}

TEST_F(SettingsDlgTest, OkAppliesTheChoicesAndLoadsTheTranslationFile)
{
    SetPorts({"/dev/ttyS0", "/dev/ttyS1"});
    const auto file = TempDir() / "table.trn";
    std::string table(256, '\0');
    table[0] = '\x41';          // Windows 0x80 -> printer 'A'
    table[128 + 1] = '\xE9';    // printer 0x81 -> Windows 0xE9
    std::ofstream(file, std::ios::binary) << table;
    ProgramPaths.TranslationFileList = {file};
    Settings.TranslationCount = 3;
    Settings.EnableRlDir = 1;

    TSettingsDlg dlg;
    dlg.show();
    EXPECT_TRUE(dlg.EnableR2L->isVisible());
    EXPECT_TRUE(dlg.EnableR2L->isChecked());
    dlg.PortNumber->setCurrentIndex(1);
    dlg.Bauds->setCurrentIndex(4);
    dlg.Protocol->setCurrentIndex(1);
    dlg.TPrintMode->setCurrentIndex(1);
    dlg.TrnList->setCurrentIndex(2);
    dlg.EnableR2L->setChecked(false);
    RedrawMode = -1;
    dlg.OkBt->click();

    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Settings.Port, 1);
    EXPECT_EQ(Settings.BaudIndex, 4);
    EXPECT_EQ(Settings.Protocol, 1);
    EXPECT_EQ(Settings.DirectGraphics, 1);
    EXPECT_EQ(Settings.Translation, 2);
    EXPECT_EQ(Settings.EnableRlDir, 0);
    EXPECT_EQ(ProgramPaths.TranslateToOemTable[0], 0x41);
    EXPECT_EQ(ProgramPaths.TranslateToAnsiTable[1], 0xE9);
    EXPECT_EQ(RedrawMode, RedrawEditor);
}

TEST_F(SettingsDlgTest, ClosingWithoutOkChangesNothingAndShowsTheSettingsNextTime)
{
    SetPorts({"/dev/ttyS0", "/dev/ttyS1"});
    TSettingsDlg dlg;
    dlg.show();
    dlg.PortNumber->setCurrentIndex(1);
    dlg.Bauds->setCurrentIndex(0);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Settings.Port, 0);
    EXPECT_EQ(Settings.BaudIndex, 2);
    EXPECT_EQ(dlg.PortNumber->currentIndex(), 0);
    EXPECT_EQ(Text(dlg.Bauds), "9600");
}

TEST_F(SettingsDlgTest, DroppingThePortListDownRefillsItAndKeepsTheChoice)
{
    SetPorts({"/dev/ttyS0", "/dev/ttyS1"});
    int refills = 0;
    EnumerateSerialPortsHook = [&refills] {
        ++refills;
        ProgramPaths.SerialPortList = {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyUSB0"};
    };
    TSettingsDlg dlg;
    dlg.show();
    dlg.PortNumber->setCurrentIndex(1);
    const int before = refills;
    dlg.PortNumber->showPopup();
    dlg.PortNumber->hidePopup();
    EXPECT_EQ(refills, before + 1);
    EXPECT_EQ(dlg.PortNumber->count(), 3);
    EXPECT_EQ(Text(dlg.PortNumber), "/dev/ttyS1");
}

// The service commands, each on a printer emulator that records the bytes.
class ServiceCommandTest : public SettingsDlgTest {
protected:
    ServiceCommandTest()
    {
        KeepPortList();
        LinkTimeouts.ReplySilenceMs = 200;
    }

    std::string SentAfterClick(const char* button, std::size_t expectedBytes)
    {
        TSettingsDlg dlg;
        dlg.show();
        dlg.findChild<QPushButton*>(button)->click();
        EXPECT_TRUE(printer.WaitForReceived(expectedBytes));
        return printer.Received();
    }

    test::PrinterEmulator printer;
};

TEST_F(ServiceCommandTest, EachButtonSendsItsCommandWithItsLineEnds)
{
    const std::pair<const char*, std::string> rows[] = {
        {"DiagnBt", "\r\nU\r\n"},       {"FormsBt", "\r\nFI\r\n"},          {"GraphicsBt", "\r\nGI\r\n"},
        {"FontsBt", "\r\nEI\r\n"},      {"DefaultBt", "\r\nRESET\r\n"},
    };
    std::string expected;
    for (const auto& [button, command] : rows) {
        SCOPED_TRACE(button);
        expected += command;
        EXPECT_EQ(SentAfterClick(button, expected.size()), expected);
        EXPECT_LT(CommLink.PortHandle, 0);  // closed after its one exchange
    }
    EXPECT_TRUE(ui.messageBoxes.empty());
    // Nothing is awaited, so no busy window is shown or left up.
    EXPECT_FALSE(ui.busyVisible);
}

// OK pressed while a service command has borrowed the dialog's port
// choices (the command lets window messages run): what the user confirmed
// stays, not the settings from before the command.
TEST_F(ServiceCommandTest, OkDuringAServiceCommandKeepsWhatTheUserConfirmed)
{
    QtUiServices pumping;
    SetUiServices(&pumping);
    Settings.BaudIndex = 2;
    TSettingsDlg dlg;
    dlg.show();
    dlg.Bauds->setCurrentIndex(4);
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.OkBt->click(); });
    dlg.DiagnBt->click();
    SetUiServices(&ui);
    EXPECT_TRUE(printer.WaitForReceived(5));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(Settings.BaudIndex, 4);
}

TEST_F(ServiceCommandTest, ARefusedWriteIsReportedOnceByTheRetryQuestion)
{
    LinkTimeouts.WriteTimeoutMs = 50;
    // The printer takes nothing: the first byte is refused.
    printer.BlockWrites();
    ui.answers = {0};
    TSettingsDlg dlg;
    dlg.show();
    dlg.DiagnBt->click();
    EXPECT_EQ(CommLink.WriteAborted, 1);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't write to comm. port. Retry ?");
    EXPECT_EQ(std::count_if(ui.events.begin(), ui.events.end(),
                            [](const std::string& event) { return event.starts_with("error:"); }),
              0)
        << ::testing::PrintToString(ui.events);
    EXPECT_FALSE(ui.busyVisible);
    EXPECT_LT(CommLink.PortHandle, 0);
    printer.Resume();
}

TEST_F(ServiceCommandTest, ResetAsksFirstAndSendsOnlyAfterYes)
{
    ui.answers = {0, 1};
    TSettingsDlg dlg;
    dlg.show();
    dlg.ResetBt->click();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warning");
    EXPECT_EQ(ui.messageBoxes[0].text, "All information in printer will be erased !");
    EXPECT_TRUE(ui.messageBoxes[0].yesNo);
    EXPECT_TRUE(printer.Received().empty());

    dlg.ResetBt->click();
    ASSERT_TRUE(printer.WaitForReceived(9));
    EXPECT_EQ(printer.Received(), "\r\n\nM\r\nN\r\n");
}

TEST_F(ServiceCommandTest, SetClockSendsMonthDayTwoDigitYearAndTheTime)
{
    SetClockNow(TClockTime{2009, 3, 7, 14, 5, 9});
    EXPECT_EQ(SentAfterClick("SetClock", 23), "\r\nTS03,07,09,14,05,09\r\n");
}

TEST_F(ServiceCommandTest, GetClockShowsThePrintersLineOrNoPrinterResponse)
{
    printer.ReplyTo("TI", "03/07/09 14:05:09\r\n");
    TSettingsDlg dlg;
    dlg.show();
    dlg.GetClock->click();
    EXPECT_EQ(printer.Received(), "\r\nTI\r\n");
    EXPECT_EQ(Text(dlg.ClockData), " 03/07/09 14:05:09");

    printer.SetSilent(true);
    dlg.GetClock->click();
    EXPECT_EQ(Text(dlg.ClockData), "No printer response");
    // The answer is in the field only; no box says it again.
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_FALSE(ui.busyVisible);
}

// A clock reply shows whole up to its 30 characters; a longer one shows its
// first 30, and its rest does not spill into the next exchange.
TEST_F(ServiceCommandTest, GetClockShowsAReplyOfThirtyCharactersWholeAndCutsALongerOne)
{
    const std::string thirty = "03/07/09 14:05:09 " + std::string(12, 'x');
    const std::vector<std::pair<std::string, std::string>> replies = {
        {thirty, thirty}, {thirty + "and more", thirty}, {"03/07/09 14:05:10", "03/07/09 14:05:10"}};
    TSettingsDlg dlg;
    dlg.show();
    for (const auto& [reply, shown] : replies) {
        printer.ReplyTo("TI", reply + "\r\n");
        dlg.GetClock->click();
        EXPECT_EQ(Text(dlg.ClockData), " " + shown);
    }
}

// A standard box the calibration showed: caption, whole text, and whether
// it asked Yes/No.
struct StandardBox {
    std::string caption;
    std::string text;
    bool yesNo = false;
};

const char* const CALIBRATION_WARNING =
    "WARNING! For label printer ZK-7300H only\n"
    "The current label mode (Black line or normal label) must be selected\n"
    "before switching the printer on (DIP switches 6 and 7). Place a label\n"
    "roll in the printer with at least one label gap in the next 20 cm.\n"
    "The printer will detect label sensor levels and write them. Only the\n"
    "current label mode will be calibrated. Do You want to continue ?";

TEST_F(ServiceCommandTest, CalibrationAsksThenWaitsAndShowsTheReplyInStandardBoxes)
{
    // As long as a calibration reply gets: 126 characters.
    const std::string reply = "Sensor levels 12 80 " + std::string(106, 'L');
    printer.ReplyTo("cal", reply + "\r\n");
    TSettingsDlg dlg;
    dlg.show();
    std::vector<StandardBox> boxes;
    // The question, then, once the exchange is over, the reply.
    test::WhenModalShows([&](QWidget* modal) {
        auto* question = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(question, nullptr);
        boxes.push_back({question->windowTitle().toStdString(), question->text().toStdString(),
                         question->button(QMessageBox::Yes) != nullptr});
        test::WhenModalShows([&](QWidget* next) {
            auto* answer = qobject_cast<QMessageBox*>(next);
            ASSERT_NE(answer, nullptr);
            boxes.push_back({answer->windowTitle().toStdString(), answer->text().toStdString(),
                             answer->button(QMessageBox::Yes) != nullptr});
            answer->button(QMessageBox::Ok)->click();
        });
        question->button(QMessageBox::Yes)->click();
    });
    dlg.CalibrationBt->click();

    EXPECT_EQ(printer.Received(), "\r\ncal\r\n");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Label sensor sensitivity calibration");
    EXPECT_EQ(boxes[0].text, CALIBRATION_WARNING);
    EXPECT_TRUE(boxes[0].yesNo);
    EXPECT_EQ(boxes[1].caption, "Calibration response");
    EXPECT_EQ(boxes[1].text, reply);
    EXPECT_FALSE(boxes[1].yesNo);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "pause:2000"), ui.events.end());
    EXPECT_FALSE(ui.busyVisible);
}

TEST_F(ServiceCommandTest, CalibrationWithoutAnswerSaysNoPrinterResponseInAStandardBox)
{
    printer.SetSilent(true);
    TSettingsDlg dlg;
    dlg.show();
    std::string caption;
    std::string text;
    test::WhenModalShows([&](QWidget* modal) {
        test::WhenModalShows([&](QWidget* next) {
            auto* answer = qobject_cast<QMessageBox*>(next);
            ASSERT_NE(answer, nullptr);
            caption = answer->windowTitle().toStdString();
            text = answer->text().toStdString();
            answer->button(QMessageBox::Ok)->click();
        });
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    dlg.CalibrationBt->click();
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(text, "No printer response");
    // Said once, in that box.
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(std::count_if(ui.events.begin(), ui.events.end(),
                            [](const std::string& event) { return event.starts_with("error:"); }),
              0);
    EXPECT_FALSE(ui.busyVisible);
}

// The printer stops taking bytes and the user closes the dialog while a
// service command waits (by Esc, its close button or OK): the refused byte
// ends the command, as it ends the terminal's send once that is closed, with
// no retry question and no outcome after the dialog is gone, and the port
// closed.
TEST_F(ServiceCommandTest, ClosingDuringAStuckCommandEndsItWithoutAQuestion)
{
    const struct {
        const char* button;
        const char* closedBy;
    } rows[] = {
        {"DiagnBt", "reject"}, {"GetClock", "reject"}, {"CalibrationBt", "reject"}, {"ResetBt", "OkBt"},
    };
    LinkTimeouts.WriteTimeoutMs = 100;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button);
        ui.messageBoxes.clear();
        TSettingsDlg dlg;
        dlg.show();
        printer.BlockWrites();
        // The reset's warning is answered Yes; a retry question would be too.
        ui.answers = {1, 1};
        int pumps = 0;
        ui.onProcessMessages = [&] {
            if (++pumps == 5) {
                if (std::string(row.closedBy) == "OkBt") {
                    dlg.OkBt->click();
                } else {
                    dlg.reject();
                }
            }
        };
        // The calibration's question is answered Yes; an outcome box is counted.
        int outcomes = 0;
        QTimer answering;
        answering.setInterval(10);
        QObject::connect(&answering, &QTimer::timeout, [&outcomes] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            if (box->button(QMessageBox::Yes) != nullptr) {
                box->button(QMessageBox::Yes)->click();
            } else {
                ++outcomes;
                box->button(QMessageBox::Ok)->click();
            }
        });
        answering.start();
        dlg.findChild<QPushButton*>(row.button)->click();
        answering.stop();
        ui.onProcessMessages = nullptr;
        EXPECT_GE(pumps, 5);
        const std::size_t questions = std::string(row.button) == "ResetBt" ? 1 : 0;
        EXPECT_EQ(ui.messageBoxes.size(), questions) << ui.messageBoxes.back().text;
        EXPECT_EQ(outcomes, 0);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_LT(CommLink.PortHandle, 0);
        EXPECT_FALSE(ExchangeInProgress());
        EXPECT_FALSE(ui.busyVisible);
        printer.Resume();
    }
}

// Reset and Calibration pressed while a printer exchange holds the port are
// refused with a beep before their warning is asked: a Yes could only be
// refused afterwards.
TEST_F(ServiceCommandTest, ResetAndCalibrationRefuseBeforeTheyAskDuringAnExchange)
{
    TSettingsDlg dlg;
    dlg.show();
    const test::ModalWatch modals;
    const TExchangeGuard running;
    for (QPushButton* button : {dlg.ResetBt, dlg.CalibrationBt}) {
        SCOPED_TRACE(button->objectName().toStdString());
        ui.events.clear();
        button->click();
        EXPECT_EQ(ui.events, std::vector<std::string>{"beep"});
    }
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_FALSE(modals.Shown());
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(ServiceCommandTest, CalibrationAnsweredNoSendsNothing)
{
    TSettingsDlg dlg;
    dlg.show();
    test::WhenModalShows([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click(); });
    dlg.CalibrationBt->click();
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(ServiceCommandTest, UsesTheListsPortChoiceForItsExchangeOnly)
{
    TSettingsDlg dlg;
    dlg.show();
    dlg.Bauds->setCurrentIndex(4);
    dlg.DiagnBt->click();
    ASSERT_TRUE(printer.WaitForReceived(5));
    const termios port = printer.PortSettings();
    EXPECT_EQ(cfgetospeed(&port), static_cast<speed_t>(B38400));
    EXPECT_EQ(Settings.BaudIndex, 2);
    EXPECT_EQ(dlg.SavedBaudIndex, 2);
}

TEST_F(ServiceCommandTest, ASecondCommandDuringAnExchangeBeeps)
{
    TExchangeGuard running;
    TSettingsDlg dlg;
    dlg.show();
    dlg.FormsBt->click();
    EXPECT_TRUE(printer.Received().empty());
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "beep"), ui.events.end());
}

class SettingsDlgWindowTest : public test::MainWindowTest {
protected:
    SettingsDlgWindowTest() { EnumerateSerialPortsHook = [] {}; }
    ~SettingsDlgWindowTest() override { EnumerateSerialPortsHook = nullptr; }
};

TEST_F(SettingsDlgWindowTest, AFirstRunWithoutConfigurationOpensTheSettingsDialog)
{
    InstallFirstRunSettingsDialog();
    std::string shown;
    test::WhenModalShows([&shown](QWidget* modal) {
        shown = modal->objectName().toStdString();
        modal->findChild<QPushButton*>("OkBt")->click();
    });
    StartWindow();
    EXPECT_TRUE(QTest::qWaitFor([&shown] { return !shown.empty(); }));
    EXPECT_EQ(shown, "SettingsDlg");
}

TEST_F(SettingsDlgWindowTest, MenuAndToolbarOpenItModally)
{
    TZKedit& w = MakeWindow();
    auto* toolbar = new TZKToolbar(w);
    w.show();
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        bool modal = false;
        test::WhenModalShows([&modal](QWidget* dialog) {
            modal = dialog->objectName() == "SettingsDlg";
            dialog->findChild<QPushButton*>("C")->click();
        });
        if (way == 0) {
            ASSERT_TRUE(w.MenuItem("SettingsM")->isEnabled());
            w.MenuItem("SettingsM")->trigger();
        } else {
            toolbar->findChild<QToolButton*>("SettingsBt")->click();
        }
        EXPECT_TRUE(modal);
    }
}

}  // namespace
}  // namespace zk
