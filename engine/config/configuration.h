#pragma once
// The configuration file: one "KEY = value" line per setting, read once at
// start-up and written once at shut-down.

#include <cstdint>
#include <string_view>

namespace zk {

// Refills the serial port list, then reads the configuration file; a
// missing or unreadable file leaves every setting as it is.
void LoadConfiguration();
// Rewrites the configuration file; a failure is silent and leaves the old file.
void SaveConfiguration();
// Fills SerialPortList from the machine, or /dev/ttyS0../dev/ttyS15.
void EnumerateSerialPorts();

// The C atol rules: leading blanks, an optional sign, decimal digits, and
// 0 for anything else; values beyond 32 bits saturate as the C library does.
std::int32_t ParseAtol(std::string_view text);

}  // namespace zk
