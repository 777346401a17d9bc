// RedrawLabel (preview mode) of a dense label of 608 x 2000 dots: 40 texts,
// one barcode of each of the 29 types, 3 PDF417 symbols (one near 900
// codewords), 20 bars, boxes and lines, and 5 pictures of 200 x 200 dots.
// Goal: median under 5 ms.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/barcode/barcode_types.h"
#include "engine/config/program_paths.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/pdf417/pdf417_encoder.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/text/printer_font.h"

namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Data each barcode type accepts as it is.
constexpr std::array<const char*, zk::BarcodeTypeCount> BARCODE_DATA = {
    "CODE39", "ABC123", "CODE93", "Label 12345", "A1234B", "9638507", "963850742", "963850712345",
    "400638133393", "12345678901212", "97802013796252495", "210000012345", "0112345678901231", "56310243031",
    "123456", "12345", "1234567", "123456", "12345", "00614141123456789", "03600029145", "0360002914503",
    "0360002914590000", "654321", "12345667", "65432112345", "1234567890123", "21000001234599",
    "21000001234500000",
};

std::shared_ptr<zk::TPictureData> PictureBlock()
{
    // 200 x 200 dots, 25 bytes a row: stripes of runs and literals.
    auto data = std::make_shared<zk::TPictureData>();
    data->BytesPerLine = 25;
    for (int row = 0; row < 200; ++row) {
        const std::uint8_t value = row % 8 < 4 ? 0x0F : 0x33;
        data->Rows.push_back(0xC0 | 12);
        data->Rows.push_back(0x00);
        for (int i = 0; i < 13; ++i) data->Rows.push_back(value);
    }
    data->RefCount = 5;
    return data;
}

zk::TPdf417Figure Pdf417(int y, std::uint16_t maxHeight, const std::string& data)
{
    zk::TPdf417Figure f;
    f.X = 4;
    f.Y = I16(y);
    f.MaxWidth = 600;
    f.MaxHeight = maxHeight;
    f.MaxCols = 34;
    f.MaxRows = 90;
    f.Position = 1;
    f.ModuleWidth = 2;
    f.ModuleHeight = 4;
    f.Data = Quoted(data);
    return f;
}

void BuildDenseLabel()
{
    zk::ClearFigureList();
    zk::LabelSetup.LabelWidth = 608;
    zk::LabelSetup.LabelLength = 2000;
    zk::LabelImage.Resize(608, 2000);

    for (int i = 0; i < 40; ++i) {
        zk::TTextFigure t;
        t.X = I16(10 + (i % 4) * 150);
        t.Y = I16(10 + i * 48);
        t.Font = I16(i % 6);
        t.HMult = I16(1 + i % 2);
        t.VMult = t.HMult;
        t.Rotation = 0;
        t.Data = Quoted("Text figure " + std::to_string(i));
        zk::AppendFigure(t);
    }
    for (int type = 0; type < zk::BarcodeTypeCount; ++type) {
        zk::TBarcodeFigure b;
        b.Type = I16(type);
        b.X = I16(40);
        b.Y = I16(20 + type * 64);
        b.Height = 40;
        b.Narrow = 2;
        b.Wide = 5;
        b.HumanReadable = I16(1 + type % 3);
        b.Data = Quoted(BARCODE_DATA[static_cast<std::size_t>(type)]);
        zk::AppendFigure(b);
    }
    std::string nearLimit;
    for (int i = 0; nearLimit.size() < 1100; ++i) {
        nearLimit += "Label " + std::to_string(i) + "; lot 12345678901234 / ";
        nearLimit += static_cast<char>(0xC0 + i % 32);
        nearLimit += static_cast<char>(0xA0 + i % 16);
    }
    zk::AppendFigure(Pdf417(0, 1990, nearLimit));
    zk::AppendFigure(Pdf417(100, 300, "Order 4711, 24 parts"));
    zk::AppendFigure(Pdf417(1500, 400, "12345678901234567890123456789012345678901234567890"));
    for (int i = 0; i < 20; ++i) {
        zk::AppendFigure(zk::TBarFigure{I16(500), I16(i * 100), I16(100), I16(30), I16(i % 3)});
        zk::AppendFigure(zk::TBoxFigure{I16(5), I16(i * 100), I16(600), I16(i * 100 + 90), I16(1 + i % 4)});
        zk::AppendFigure(zk::TLineFigure{I16(0), I16(i * 100), I16(607), I16(i * 100 + 60), I16(1 + i % 5), I16(i % 3)});
    }
    const auto block = PictureBlock();
    for (int i = 0; i < 5; ++i) {
        zk::TPictureFigure p;
        p.X = I16(300 + (i % 2) * 100);
        p.Y = I16(100 + i * 380);
        p.Width = 200;
        p.Height = 200;
        p.Name = "PIC" + std::to_string(i);
        p.Data = block;
        p.DataLength = static_cast<std::uint16_t>(block->BlockLength());
        zk::AppendFigure(p);
    }
}

bool LoadFontBesideProgram()
{
    const auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    zk::ProgramPaths.PrinterFontFileName = (dir / zk::PrinterFontFileBaseName).string();
    return zk::LoadPrinterFont() == zk::PrinterFontLoaded;
}

void BM_RedrawDenseLabel(benchmark::State& state)
{
    if (!LoadFontBesideProgram()) {
        state.SkipWithError("printer font file not found beside the benchmark");
        return;
    }
    BuildDenseLabel();
    for (auto _ : state) {
        zk::RedrawLabel(zk::RedrawPreview);
        benchmark::DoNotOptimize(zk::LabelImage.Bits());
    }
    state.counters["figures"] = zk::DrawnFigureCount;
    zk::ClearFigureList();
}
BENCHMARK(BM_RedrawDenseLabel)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
