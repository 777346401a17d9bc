#include "platform/serial_ports.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace zk::platform {

namespace {

// A ttyS entry exists for every possible legacy port; only those whose UART
// type is known (not 0) are real.
bool IsRealPort(const std::filesystem::path& entry)
{
    std::error_code error;
    if (!std::filesystem::exists(entry / "device", error)) {
        return false;
    }
    std::ifstream type(entry / "type");
    int uartType = -1;
    if (type >> uartType) {
        return uartType != 0;
    }
    return true;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const std::filesystem::path& sysRoot)
{
    std::vector<std::string> ports;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(sysRoot, error)) {
        if (IsRealPort(entry.path())) {
            ports.push_back("/dev/" + entry.path().filename().string());
        }
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

}  // namespace zk::platform
