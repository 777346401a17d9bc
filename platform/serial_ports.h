#pragma once
// The serial ports of this machine, as device paths.

#include <filesystem>
#include <string>
#include <vector>

namespace zk::platform {

// Entries of sysRoot ("/sys/class/tty" by default) that have a real device
// (ttyS with a known UART, ttyUSB, ttyACM and the like), sorted by name, as
// "/dev/NAME". Empty when there are none.
std::vector<std::string> ListSerialPorts(const std::filesystem::path& sysRoot = "/sys/class/tty");

}  // namespace zk::platform
