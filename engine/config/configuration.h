#pragma once
// The configuration file: one "KEY = value" line per setting, read once at
// start-up and written once at shut-down.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

// Refills the serial port list, then reads the configuration file; a
// missing or unreadable file leaves every setting as it is.
void LoadConfiguration();
// Rewrites the configuration file; a failure is silent and leaves the old file.
void SaveConfiguration();
// Fills SerialPortList from the machine, or /dev/ttyS0../dev/ttyS15.
void EnumerateSerialPorts();
// Where EnumerateSerialPorts takes the list from instead, when set: tests
// name their own ports, so that nothing they start reaches the machine's.
extern std::function<std::vector<std::string>()> SerialPortSource;

// The C atol rules: leading blanks, an optional sign, decimal digits, and
// 0 for anything else; values beyond 32 bits saturate as the C library does.
std::int32_t ParseAtol(std::string_view text);

}  // namespace zk
