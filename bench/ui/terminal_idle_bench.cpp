// What the terminal costs while nothing arrives: it is shown on a
// pseudo-terminal whose far end stays silent, and the process's CPU time
// over 10 s of idle event loop is measured. cpu_percent is that time as a
// share of one core (goal: under 1%).

#include <pty.h>
#include <time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <array>

#include <benchmark/benchmark.h>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "ui/dialogs/terminal_dlg.h"

namespace {

constexpr int IdleMs = 10000;

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void TerminalIdle(benchmark::State& state)
{
    std::array<char, 256> name{};
    int master = -1;
    int slave = -1;
    openpty(&master, &slave, name.data(), nullptr, nullptr);
    zk::ProgramPaths.SerialPortList = {name.data()};
    zk::Settings.Port = 0;
    double busy = 0;
    {
        zk::TTerminalDlg terminal;
        terminal.show();
        QCoreApplication::processEvents();
        for (auto _ : state) {
            const double before = ProcessCpuSeconds();
            QEventLoop idle;
            QTimer::singleShot(IdleMs, &idle, &QEventLoop::quit);
            idle.exec();
            busy = ProcessCpuSeconds() - before;
        }
        terminal.reject();
    }
    close(master);
    close(slave);
    state.counters["cpu_percent"] = 100.0 * busy / (IdleMs / 1000.0);
}

BENCHMARK(TerminalIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
