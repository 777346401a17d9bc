#include "platform/serial_ports.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zk::platform {
namespace {

TEST(SerialPortsTest, OnlyEntriesWithARealDeviceSortedByName)
{
    const auto root = std::filesystem::temp_directory_path() / "zk-sysfs-test";
    std::filesystem::remove_all(root);
    auto add = [&root](const char* name, const char* uartType) {
        std::filesystem::create_directories(root / name / "device");
        if (uartType != nullptr) std::ofstream(root / name / "type") << uartType << "\n";
    };
    add("ttyUSB0", nullptr);
    add("ttyS1", "4");
    add("ttyS2", "0");  // a legacy slot with no UART behind it
    add("ttyACM0", nullptr);
    std::filesystem::create_directories(root / "tty0");  // a virtual console: no device
    EXPECT_EQ(ListSerialPorts(root), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyS1", "/dev/ttyUSB0"}));
    std::filesystem::remove_all(root);
    EXPECT_TRUE(ListSerialPorts(root).empty());
}

}  // namespace
}  // namespace zk::platform
