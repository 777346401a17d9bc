#include "ui/dialogs/settings_service.h"

#include <cstdio>

#include "engine/config/translation.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

constexpr std::size_t ClockLineLength = 30;
constexpr std::size_t CalibrationLineLength = 126;
constexpr int CalibrationWaitMs = 2000;

// Closes the busy window of an exchange whose result the caller shows itself.
void CloseStatusBox()
{
    if (StatusBoxEnabled == 1) {
        Ui().CloseBusyWindow();
    }
}

}  // namespace

std::string SetClockCommand(const TClockTime& time)
{
    char command[64];
    std::snprintf(command, sizeof command, "\r\nTS%02u,%02u,%02u,%02u,%02u,%02u\r\n",
                  static_cast<unsigned>(time.Month), static_cast<unsigned>(time.Day),
                  static_cast<unsigned>(time.Year % 100), static_cast<unsigned>(time.Hour),
                  static_cast<unsigned>(time.Minute), static_cast<unsigned>(time.Second));
    return command;
}

void SendServiceCommand(const std::string& command)
{
    // The printer answers on its own paper: nothing is awaited, and a
    // refused byte was already told by the retry question.
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return;
    }
    PrinterPrintf("%s", command.c_str());
    ClosePort();
}

std::string ReadPrinterClock()
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return "No printer response";
    }
    ShowCommunicating("Reading printer clock");
    PrinterPrintf("%s", GetClockCommand);
    std::string line;
    if (CommLink.WriteAborted == 0) {
        ReceiveLineDroppingRest(line, ClockLineLength + 1);
    }
    const bool answered = CommLink.LinkError == 0;
    ClosePort();
    CloseStatusBox();
    return answered ? " " + TranslateToAnsi(line) : "No printer response";
}

void SetPrinterClock()
{
    SendServiceCommand(SetClockCommand(ClockNow()));
}

TCalibrationResult CalibrateLabelSensor()
{
    TExchangeGuard exchange;
    TCalibrationResult result;
    if (!OpenPort()) {
        return result;
    }
    result.PortOpened = true;
    ShowCommunicating("Calibrating label sensor");
    PrinterPrintf("%s", CalibrationCommand);
    Ui().Pause(CalibrationWaitMs);
    std::string line;
    if (CommLink.WriteAborted == 0) {
        ReceiveLineDroppingRest(line, CalibrationLineLength + 1);
    }
    result.Answered = CommLink.LinkError == 0;
    result.Reply = TranslateToAnsi(line);
    ClosePort();
    CloseStatusBox();
    return result;
}

}  // namespace zk
