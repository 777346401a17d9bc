// EncodePdf417 of a symbol near the 928-codeword limit, drawn into a label
// image of the largest label width.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/pdf417/pdf417_encoder.h"
#include "engine/render/label_image.h"

namespace {

zk::TPdf417Figure NearLimitFigure()
{
    // Mixed text, digits and bytes: about 770 data codewords, level 6 (128).
    std::string data;
    for (int i = 0; data.size() < 1100; ++i) {
        data += "Label " + std::to_string(i) + "; lot 12345678901234 / ";
        data += static_cast<char>(0xC0 + i % 32);
        data += static_cast<char>(0xA0 + i % 16);
    }
    zk::TPdf417Figure f;
    f.X = 4;
    f.Y = 4;
    f.MaxWidth = 600;
    f.MaxHeight = 1990;
    f.MaxCols = 34;
    f.MaxRows = 90;
    f.Position = 1;
    f.ModuleWidth = 2;
    f.ModuleHeight = 6;
    f.Data = "\"" + data + "\"";
    return f;
}

void BM_EncodePdf417NearLimit(benchmark::State& state)
{
    const zk::TPdf417Figure figure = NearLimitFigure();
    zk::LabelImage.Resize(608, 2000);
    const zk::TPdf417Symbol symbol = zk::BuildPdf417Symbol(figure);
    state.counters["codewords"] = symbol.Codewords.Count;
    state.counters["failed"] = symbol.Failed ? 1 : 0;
    for (auto _ : state) {
        zk::EncodePdf417(figure);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EncodePdf417NearLimit)->Unit(benchmark::kMicrosecond);

void BM_BuildPdf417NearLimit(benchmark::State& state)
{
    const zk::TPdf417Figure figure = NearLimitFigure();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::BuildPdf417Symbol(figure));
    }
}
BENCHMARK(BM_BuildPdf417NearLimit)->Unit(benchmark::kMicrosecond);

}  // namespace
