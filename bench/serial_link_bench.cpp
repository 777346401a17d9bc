// Throughput of the serial link's send path over a pseudo-terminal whose far
// end is drained by a thread. Each iteration sends 1 MiB; cpu_s_per_byte is
// the CPU time of the sending thread per byte (goal: at most 5 us, so the
// link never holds a 115200-baud line below 95% of its wire speed).

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>

#include "engine/config/program_paths.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"

namespace {

constexpr std::size_t MIB = 1 << 20;

// A pseudo-terminal made the engine's port, its master side read and dropped.
class DrainedPort {
public:
    DrainedPort()
    {
        std::array<char, 256> name{};
        openpty(&m_master, &m_slave, name.data(), nullptr, nullptr);
        zk::ProgramPaths.SerialPortList = {name.data()};
        zk::Settings.Port = 0;
        zk::Settings.BaudIndex = 6;
        m_thread = std::thread([this] {
            std::array<char, 65536> buffer{};
            while (!m_stop) {
                pollfd entry{m_master, POLLIN, 0};
                if (poll(&entry, 1, 50) > 0 && read(m_master, buffer.data(), buffer.size()) <= 0) {
                    break;
                }
            }
        });
    }
    ~DrainedPort()
    {
        zk::ClosePort();
        m_stop = true;
        m_thread.join();
        close(m_master);
        close(m_slave);
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void SetCounters(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * MIB));
    state.counters["cpu_s_per_byte"] =
        benchmark::Counter(static_cast<double>(MIB), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_PrinterPrintf(benchmark::State& state)
{
    DrainedPort port;
    zk::OpenPort();
    // Command lines of a typical length, 1 MiB in all.
    const std::string line(62, 'A');
    for (auto _ : state) {
        std::size_t sent = 0;
        while (sent < MIB) {
            sent += zk::PrinterPrintf("%s\r\n", line.c_str());
        }
    }
    SetCounters(state);
}

void BM_SendByte(benchmark::State& state)
{
    DrainedPort port;
    zk::OpenPort();
    for (auto _ : state) {
        for (std::size_t i = 0; i < MIB; ++i) {
            zk::SendByte(static_cast<std::uint8_t>(i));
        }
    }
    SetCounters(state);
}

BENCHMARK(BM_PrinterPrintf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SendByte)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
