// The main of the window benchmarks: one QApplication, offscreen unless
// another platform is asked for, around Google Benchmark's run.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
