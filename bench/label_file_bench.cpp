// Saving and loading a label of 500 figures, 20 of them pictures of
// 400 x 400 dots. Target: each under 5 ms.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/picture/pcx_row_encoder.h"

namespace {

constexpr int PictureDots = 400;
constexpr int PictureCount = 20;
constexpr int FigureCount = 500;

// A picture of diagonal stripes: rows of short runs, as scanned artwork has.
std::shared_ptr<zk::TPictureData> StripedPicture(int seed)
{
    auto block = std::make_shared<zk::TPictureData>();
    block->RefCount = 1;
    block->BytesPerLine = PictureDots / 8;
    std::vector<std::uint8_t> row(block->BytesPerLine);
    for (int y = 0; y < PictureDots; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = ((static_cast<int>(i) + y / 8 + seed) % 3 == 0) ? 0x00 : 0xFF;
        }
        zk::EncodePcxRow(row, block->Rows);
    }
    return block;
}

void BuildLabel()
{
    zk::ClearFigureList();
    for (int i = 0; i < FigureCount; ++i) {
        const auto at = static_cast<std::int16_t>(i % 300);
        if (i % (FigureCount / PictureCount) == 0) {
            zk::TPictureFigure picture;
            picture.X = at;
            picture.Width = PictureDots;
            picture.Height = PictureDots;
            picture.Name = "PICT" + std::to_string(1000 + i);
            picture.Data = StripedPicture(i);
            picture.DataLength = static_cast<std::uint16_t>(picture.Data->BlockLength());
            zk::AppendFigure(picture);
        } else if (i % 2 == 0) {
            zk::TTextFigure text;
            text.X = at;
            text.Data = "\"Item " + std::to_string(i) + "\"";
            zk::AppendFigure(text);
        } else {
            zk::AppendFigure(zk::TBoxFigure{at, at, static_cast<std::int16_t>(at + 40), 60, 2});
        }
    }
}

std::string BenchDir()
{
    const auto dir = std::filesystem::temp_directory_path() / "zk_label_bench";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

void BM_SaveLabel(benchmark::State& state)
{
    BuildLabel();
    zk::ProgramPaths.UserDir = BenchDir();
    zk::ProgramPaths.TempLabelFileName = zk::ProgramPaths.UserDir + "bench.zlb";
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::SaveLabelFile(true));
    }
    state.counters["bytes"] = static_cast<double>(zk::EncodeLabelFile().size());
}
BENCHMARK(BM_SaveLabel)->Unit(benchmark::kMillisecond);

void BM_EncodeLabel(benchmark::State& state)
{
    BuildLabel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::EncodeLabelFile());
    }
}
BENCHMARK(BM_EncodeLabel)->Unit(benchmark::kMillisecond);

void BM_LoadLabel(benchmark::State& state)
{
    BuildLabel();
    zk::ProgramPaths.UserDir = BenchDir();
    zk::ProgramPaths.TempLabelFileName = zk::ProgramPaths.UserDir + "bench.zlb";
    zk::SaveLabelFile(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zk::LoadLabelFile(zk::ProgramPaths.TempLabelFileName));
    }
    state.counters["figures"] = static_cast<double>(zk::CountFigures());
}
BENCHMARK(BM_LoadLabel)->Unit(benchmark::kMillisecond);

}  // namespace
