#pragma once
// The printer's service commands that the settings dialog sends: reports
// (printed by the printer on its own paper, so no reply is read), defaults
// and reset, the clock and the label sensor calibration. Each runs as one
// printer exchange on the port chosen at the time.

#include <string>

#include "engine/expr/clock.h"

namespace zk {

inline constexpr const char* DiagnosticCommand = "\r\nU\r\n";
inline constexpr const char* FormsListCommand = "\r\nFI\r\n";
inline constexpr const char* GraphicsListCommand = "\r\nGI\r\n";
inline constexpr const char* FontsListCommand = "\r\nEI\r\n";
inline constexpr const char* DefaultParametersCommand = "\r\nRESET\r\n";
inline constexpr const char* ResetPrinterCommand = "\r\n\nM\r\nN\r\n";
inline constexpr const char* GetClockCommand = "\r\nTI\r\n";
inline constexpr const char* CalibrationCommand = "\r\ncal\r\n";

// Sets the printer clock: month, day, two-digit year, hour, minute, second.
std::string SetClockCommand(const TClockTime& time);

// Sends a command that has no reply.
void SendServiceCommand(const std::string& command);

// Asks the printer for its clock; " " and the printer's line, or
// "No printer response".
std::string ReadPrinterClock();

// Sets the printer clock from the engine clock.
void SetPrinterClock();

// What the sensor calibration brought back.
struct TCalibrationResult {
    bool PortOpened = false;  // false: OpenPort told the user, nothing was sent
    bool Answered = false;    // the printer sent its line
    std::string Reply;        // that line, in the screen's code page
};

// Starts the sensor calibration and waits for the printer to measure and
// answer; the caller shows the outcome.
TCalibrationResult CalibrateLabelSensor();

}  // namespace zk
