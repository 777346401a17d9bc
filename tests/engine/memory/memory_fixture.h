#pragma once
// A printer with memory at the far end of the link, and small helpers for
// the printer-memory tests.

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "engine/link/serial_link.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"
#include "tests/support/printer_memory.h"

namespace zk::test {

class MemoryExchangeTest : public EngineTest {
protected:
    MemoryExchangeTest()
    {
        LinkTimeouts.ReplySilenceMs = 300;
        LinkTimeouts.WriteTimeoutMs = 200;
    }

    // The emulator takes bytes in its own thread; waits until it has seen
    // what the engine sent.
    static bool WaitUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) const
    {
        const std::string path = (TempDir() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    bool SawEvent(const std::string& event) const
    {
        return std::find(ui.events.begin(), ui.events.end(), event) != ui.events.end();
    }

    PrinterEmulator printer;
    PrinterMemory memory{printer};
};

// A 1-bit PCX file of width x height dots with the given run-length rows.
inline std::string MakePcxFile(int width, int height, int bytesPerLine, const std::string& rows)
{
    std::string header(128, '\0');
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = 1;
    header[8] = static_cast<char>((width - 1) & 0xFF);
    header[9] = static_cast<char>((width - 1) >> 8);
    header[10] = static_cast<char>((height - 1) & 0xFF);
    header[11] = static_cast<char>((height - 1) >> 8);
    header[65] = 1;
    header[66] = static_cast<char>(bytesPerLine);
    return header + rows;
}

// A font block with one glyph per code, each of the given height and one
// byte per row; the rows hold CR and LF bytes on purpose.
inline std::string MakeFontData(const std::string& codes, int height)
{
    std::string data;
    data.push_back(static_cast<char>(codes.size()));
    data.push_back('\0');
    data.push_back(static_cast<char>(height));
    for (const char code : codes) {
        data += std::string{code, 8, 1};
        for (int row = 0; row < height; ++row) {
            data.push_back(row % 2 == 0 ? '\n' : '\r');
        }
    }
    return data;
}

}  // namespace zk::test
