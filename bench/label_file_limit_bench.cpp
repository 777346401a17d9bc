// The largest label files the reader accepts: MaxLabelFigures figures, each
// as costly to read and to draw as its kind allows, on the largest label
// (608 x 2000 dots). For each kind the benchmark reads the file (as the
// open-label browser does when a file is selected) and draws it as the
// preview does; the counters read_ms, preview_ms and total_ms give the
// times, and goal_met is 1 when the whole preview (read and draw) took at
// most GoalMs. Goal: every accepted file previews in at most 300 ms.
//
// The cases are the costliest figures found by timing one figure of every
// configuration on this label: each resident font at each rotation, with
// multipliers 1, 3 and 8 across and along, every attribute that changes the
// drawing (inverse, bold, reversed), in the middle and at the corners, data
// of the widest glyph or of the longest variable; bars, boxes and lines in
// each mode, of thicknesses 1 to 2047 and every direction across the label;
// every barcode type at each rotation and narrow width, with and without
// its human-readable line; PDF417 symbols over module sizes, column and row
// limits, rotations and data lengths; and, for the data expression, the
// items that cost the most per character typed (a variable of Length 255,
// the date and week with and without offsets, each kept whole or cut to
// nothing by a modifier). A file of the largest size the reader takes, all
// empty bar records, is refused as fast.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/barcode/barcode_types.h"
#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/text/printer_font.h"

namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

constexpr int LabelWidth = 608;
constexpr int LabelLength = 2000;

// A picture block of 255 bytes a row, as many rows as a block holds, every
// row literal bytes that alternate, so that no run shortens the decoding.
std::shared_ptr<zk::TPictureData> WidestPictureBlock()
{
    auto data = std::make_shared<zk::TPictureData>();
    data->BytesPerLine = 255;
    const std::size_t rows = (0xFFFF - 2) / 255;
    for (std::size_t i = 0; i < rows * 255; ++i) {
        data->Rows.push_back(i % 2 == 0 ? 0x0F : 0x30);
    }
    return data;
}

// A soft font of 'W' glyphs of 64 x 64 dots; seven times (448 dots) is the
// largest size the renderer draws them at.
std::shared_ptr<zk::TFontData> LargestSoftFont()
{
    auto font = std::make_shared<zk::TFontData>();
    font->Bytes = {1, 0, 64, 'W', 64, 8};
    for (int i = 0; i < 64 * 8; ++i) {
        font->Bytes.push_back(static_cast<std::uint8_t>(i % 3 == 0 ? 0xFF : 0x5A));
    }
    return font;
}

std::string Quoted(std::string s) { return "\"" + s + "\""; }

// The longest data text a PDF417 record holds: item repeated up to 65,534
// characters.
std::string LongestExpression(std::string_view item)
{
    std::string data;
    while (data.size() + item.size() <= 0xFFFF - 1) data += item;
    return data;
}

// V0 at its longest: 255 characters for every two typed.
void DefineLongestVariable()
{
    zk::TVariable& v = zk::Variables[0];
    v.Defined = 1;
    v.Value = "1";
    v.Length = 255;
    v.PadChar = '0';
    v.Justification = 3;
}

zk::TPdf417Figure LargestPdf417(int rotation, std::string data)
{
    zk::TPdf417Figure p;
    p.MaxWidth = 2047;
    p.MaxHeight = 2047;
    p.MaxCols = 34;
    p.MaxRows = 90;
    p.ModuleWidth = 2;
    p.ModuleHeight = 4;
    p.Position = 1;
    p.Rotation = I16(rotation);
    p.Data = std::move(data);
    return p;
}

zk::TTextFigure LargestResidentText(int rotation, std::uint16_t attributes)
{
    zk::TTextFigure t;
    t.Font = 5;
    t.HMult = 8;
    t.VMult = 8;
    t.Rotation = I16(rotation);
    t.X = 300;
    t.Y = 1000;
    t.Attributes = attributes;
    t.Data = Quoted(std::string(65, 'W'));
    return t;
}

using FigureMaker = std::function<void(int index)>;

struct WorstCase {
    const char* name;
    FigureMaker add;
};

const std::vector<WorstCase>& WorstCases()
{
    static const std::vector<WorstCase> cases = {
        {"white bars over the whole label",
         [](int) { zk::AppendFigure(zk::TBarFigure{0, 0, 2047, 2047, 2}); }},
        {"boxes over the whole label, thickest border",
         [](int) { zk::AppendFigure(zk::TBoxFigure{0, 0, 2047, 2047, 80}); }},
        {"inverse bars over the whole label",
         [](int) { zk::AppendFigure(zk::TBarFigure{0, 0, 2047, 2047, 1}); }},
        {"black bars over the whole label",
         [](int) { zk::AppendFigure(zk::TBarFigure{0, 0, 2047, 2047, 0}); }},
        {"thickest diagonal lines across the label",
         [](int) { zk::AppendFigure(zk::TLineFigure{-2046, -2046, 2047, 2047, 80, 2}); }},
        {"inverse diagonal lines covering the label",
         [](int) { zk::AppendFigure(zk::TLineFigure{-2046, 1000, 2047, 1000, 2047, 1}); }},
        {"inverse steep diagonal lines covering the label",
         [](int) { zk::AppendFigure(zk::TLineFigure{300, -2046, 300, 2047, 2047, 1}); }},
        {"texts in the largest font at the largest size",
         [](int i) { zk::AppendFigure(LargestResidentText(i % 4, 3)); }},
        {"texts in the largest font at the largest size, turned 90 degrees",
         [](int) { zk::AppendFigure(LargestResidentText(1, 0)); }},
        {"texts in the largest font at the largest size, turned 270 degrees",
         [](int) { zk::AppendFigure(LargestResidentText(3, 0)); }},
        {"inverse texts in the largest font at the largest size, turned 90 degrees",
         [](int) { zk::AppendFigure(LargestResidentText(1, 1)); }},
        {"texts in the largest soft font at the largest size",
         [](int i) {
             if (i == 0) {
                 zk::TSoftFontFigure f;
                 f.Data = LargestSoftFont();
                 f.CharCount = 1;
                 f.Height = 64;
                 f.DataLength = static_cast<std::uint16_t>(f.Data->Bytes.size());
                 f.Letter = "A";
                 zk::AppendFigure(f);
                 return;
             }
             zk::TTextFigure t;
             t.Font = 6;
             t.HMult = 7;
             t.VMult = 7;
             t.Rotation = I16(i % 4);
             t.X = 300;
             t.Y = 1000;
             t.Data = Quoted(std::string(65, 'W'));
             zk::AppendFigure(t);
         }},
        {"densest barcodes of the greatest height, upright",
         [](int i) {
             zk::TBarcodeFigure b;
             b.Type = I16(i % 3);
             b.X = I16(i % 2 == 0 ? 0 : 600);
             b.Y = I16(i % 2 == 0 ? 0 : 1999);
             b.Narrow = 1;
             b.Wide = 1;
             b.Height = 2047;
             b.HumanReadable = 1;
             b.Rotation = I16(i % 2 == 0 ? 0 : 2);
             b.Data = Quoted(std::string(61, '7'));
             zk::AppendFigure(b);
         }},
        {"texts in the largest font, tallest and reversed, along the label",
         [](int i) {
             zk::TTextFigure t = LargestResidentText(i % 2 == 0 ? 1 : 3, 0x80);
             t.HMult = 1;
             t.X = I16(i % 2 == 0 ? 600 : 0);
             t.Y = I16(i % 2 == 0 ? 1990 : 0);
             zk::AppendFigure(t);
         }},
        {"widest barcodes with the longest data",
         [](int i) {
             zk::TBarcodeFigure b;
             b.Type = I16(i % zk::BarcodeTypeCount);
             b.X = 0;
             b.Y = 1000;
             b.Narrow = 8;
             b.Wide = 8;
             b.Height = 255;
             b.HumanReadable = 1;
             b.Rotation = I16(i % 4);
             b.Data = Quoted(std::string(61, '7'));
             zk::AppendFigure(b);
         }},
        {"PDF417 symbols of the most codewords",
         [](int i) {
             zk::AppendFigure(LargestPdf417(i % 4, Quoted(std::string(1800, static_cast<char>('0' + i % 10)))));
         }},
        {"PDF417 symbols of the most codewords in the largest modules",
         [](int i) {
             zk::TPdf417Figure p = LargestPdf417(i % 4, Quoted(std::string(1800, static_cast<char>('0' + i % 10))));
             p.ModuleWidth = 8;
             p.ModuleHeight = 32;
             zk::AppendFigure(p);
         }},
        {"PDF417 symbols whose longest data repeats the longest variable",
         [](int i) {
             if (i == 0) DefineLongestVariable();
             zk::AppendFigure(LargestPdf417(i % 4, LongestExpression("V0")));
         }},
        {"PDF417 symbols whose longest data repeats the longest variable, cut to nothing",
         [](int i) {
             if (i == 0) DefineLongestVariable();
             zk::AppendFigure(LargestPdf417(i % 4, LongestExpression("V0L0")));
         }},
        {"PDF417 symbols whose longest data repeats the date, cut to nothing",
         [](int i) { zk::AppendFigure(LargestPdf417(i % 4, LongestExpression("TDL0"))); }},
        {"PDF417 symbols whose longest data repeats the date with a variable offset, cut to nothing",
         [](int i) {
             if (i == 0) DefineLongestVariable();
             zk::AppendFigure(LargestPdf417(i % 4, LongestExpression("TW-V0L0")));
         }},
        {"PDF417 symbols whose longest data is one quoted text",
         [](int i) { zk::AppendFigure(LargestPdf417(i % 4, Quoted(std::string(0xFFFF - 3, 'A')))); }},
        {"pictures of the largest block, one block per figure",
         [](int i) {
             static const auto block = WidestPictureBlock();
             zk::TPictureFigure p;
             p.Width = 2040;
             p.Height = 32767;
             p.Name = "P" + std::to_string(i);
             // A block of its own per name: each is stored and read.
             p.Data = std::make_shared<zk::TPictureData>(*block);
             p.DataLength = static_cast<std::uint16_t>(p.Data->BlockLength());
             zk::AppendFigure(p);
         }},
    };
    return cases;
}

bool LoadFontBesideProgram()
{
    const auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    zk::ProgramPaths.PrinterFontFileName = (dir / zk::PrinterFontFileBaseName).string();
    return zk::LoadPrinterFont() == zk::PrinterFontLoaded;
}

// The file of the worst case: as many figures as the reader accepts, and
// no more than the file size bound holds.
zk::ByteSink LargestFile(const WorstCase& worst)
{
    zk::ClearFigureList();
    zk::LabelSetup.LabelWidth = LabelWidth;
    zk::LabelSetup.LabelLength = LabelLength;
    constexpr std::size_t MaxFileSize = 64u << 20;
    zk::ByteSink file;
    for (std::size_t i = 0; i < zk::MaxLabelFigures; ++i) {
        worst.add(static_cast<int>(i));
        if (i % 64 == 63 && zk::EncodeLabelFile().size() > MaxFileSize) {
            zk::DeleteFigure(zk::FigureList.FigureTail);
            break;
        }
    }
    file = zk::EncodeLabelFile();
    zk::ClearFigureList();
    return file;
}

constexpr double GoalMs = 300;

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_LargestAcceptedFile(benchmark::State& state)
{
    if (!LoadFontBesideProgram()) {
        state.SkipWithError("printer font file not found beside the benchmark");
        return;
    }
    const WorstCase& worst = WorstCases()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(worst.name);
    const zk::ByteSink file = LargestFile(worst);
    double readMs = 0;
    double previewMs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (zk::ReadLabelImage(file) != zk::LabelReadResult::Complete) {
            state.SkipWithError("the largest file was not read whole");
            return;
        }
        readMs += MsSince(start);
        start = std::chrono::steady_clock::now();
        zk::LabelImage.Resize(zk::LabelSetup.LabelWidth, zk::LabelSetup.LabelLength);
        zk::RedrawLabel(zk::RedrawPreview);
        benchmark::DoNotOptimize(zk::LabelImage.Bits());
        previewMs += MsSince(start);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["figures"] = static_cast<double>(zk::CountFigures());
    state.counters["file_MiB"] = static_cast<double>(file.size()) / (1 << 20);
    state.counters["read_ms"] = readMs / runs;
    state.counters["preview_ms"] = previewMs / runs;
    state.counters["total_ms"] = (readMs + previewMs) / runs;
    state.counters["goal_met"] = (readMs + previewMs) / runs <= GoalMs ? 1 : 0;
    zk::ClearFigureList();
}
void BM_RefusedFileOfEmptyRecords(benchmark::State& state)
{
    zk::ClearFigureList();
    zk::ByteSink file = zk::EncodeLabelFile();
    const std::uint8_t emptyBar[] = {'R', 0, 0};
    while (file.size() + sizeof emptyBar <= (64u << 20)) {
        file.insert(file.end(), std::begin(emptyBar), std::end(emptyBar));
    }
    for (auto _ : state) {
        if (zk::ReadLabelImage(file) != zk::LabelReadResult::TooManyFigures) {
            state.SkipWithError("the file was not refused");
            return;
        }
    }
    state.counters["file_MiB"] = static_cast<double>(file.size()) / (1 << 20);
}
BENCHMARK(BM_RefusedFileOfEmptyRecords)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_LargestAcceptedFile)
    ->DenseRange(0, static_cast<int>(WorstCases().size()) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
