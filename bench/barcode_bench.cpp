// Encoding time of one barcode of each of the 29 types, as every redraw of a
// label does for its barcode figures.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/barcode/barcode.h"

namespace {

// Typical data for each type index, of the length the type asks for.
constexpr const char* DATA[zk::BarcodeTypeCount] = {
    "CODE39-1234", "CODE39-1234", "CODE93-1234", "Label 1234567890", "A123456B", "1234567", "123456712",
    "123456712345", "123456789012", "12345678901212", "12345678901212345", "210000012345",
    "0112345678901231\x1d" "10LOT42", "2134807501640", "1234567890", "1234567890", "1234567890", "12345678",
    "555551237", "00614141123456789", "03600029145", "0360002914512", "0360002914512345", "123456",
    "12345612", "12345612345", "1234567890123", "21000001234512", "21000001234512345",
};

void BM_EncodeBarcode(benchmark::State& state)
{
    const auto type = static_cast<int>(state.range(0));
    zk::TBarcodeFigure figure;
    figure.Type = static_cast<std::int16_t>(type);
    figure.Narrow = 2;
    figure.Wide = 5;
    figure.Height = 80;
    std::string quoted = "\"";
    quoted.append(DATA[type]);
    quoted.push_back('"');
    figure.Data = quoted;
    state.SetLabel(std::string(zk::BarcodeTypes[static_cast<std::size_t>(type)].Name));
    for (auto _ : state) {
        zk::EncodeBarcode(figure);
        benchmark::DoNotOptimize(zk::ModuleArray.data());
    }
}
BENCHMARK(BM_EncodeBarcode)->DenseRange(0, zk::BarcodeTypeCount - 1);

}  // namespace
