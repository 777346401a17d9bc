// Renders a label full of text: 100 text figures of 30 characters in font 3,
// multipliers 1 and 2, all four rotations. Goal: under 2 ms for the 100.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render.h"

namespace {

bool LoadFontBesideProgram()
{
    const auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    zk::ProgramPaths.PrinterFontFileName = (dir / zk::PrinterFontFileBaseName).string();
    return zk::LoadPrinterFont() == zk::PrinterFontLoaded;
}

void RenderHundredTexts(benchmark::State& state)
{
    if (!LoadFontBesideProgram()) {
        state.SkipWithError("printer font file not found beside the benchmark");
        return;
    }
    zk::LabelSetup.LabelWidth = 608;
    zk::LabelSetup.LabelLength = 2000;
    zk::LabelImage.Resize(608, 2000);
    const std::string text = "\"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123\"";
    for (auto _ : state) {
        zk::LabelImage.Clear();
        for (int i = 0; i < 100; ++i) {
            const int rotation = i % 4;
            const int mult = 1 + (i / 4) % 2;
            const int x = rotation == 1 ? 600 - (i % 8) * 4 : 20 + (i % 8) * 4;
            const int y = 20 + i * 19;
            zk::RenderPrinterText(x, rotation == 3 ? y + 900 : y, rotation, 3, mult, mult, 0, text);
        }
        benchmark::DoNotOptimize(zk::LabelImage.Bits());
    }
}
BENCHMARK(RenderHundredTexts)->Unit(benchmark::kMillisecond);

}  // namespace
