// The colour converter on a photograph of 9999 x 6000 pixels (a JPEG the
// benchmark writes): the slowest of ten steps of the Red slider, each until
// the window shows it (gain_step_ms, goal at most 50 ms), the load and the Convert of the whole
// picture (load_ms, convert_ms), and the peak memory through load and
// Convert above what the program held before, per pixel of the picture
// (peak_bytes_per_pixel, goal at most 8).

#include <QApplication>
#include <QScrollArea>
#include <QSlider>
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ui/dialogs/color_to_bw.h"

namespace {

namespace fs = std::filesystem;

constexpr int PictureWidth = 9999;
constexpr int PictureHeight = 6000;
constexpr double GainStepGoalMs = 50;
constexpr double PeakGoalBytesPerPixel = 8;

// A photograph-like JPEG, written a row at a time so that writing it holds
// no picture in memory.
void WriteLargeJpeg(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = PictureWidth;
    info.image_height = PictureHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(PictureWidth) * 3);
    while (info.next_scanline < info.image_height) {
        const unsigned y = info.next_scanline;
        for (int x = 0; x < PictureWidth; ++x) {
            row[3 * x] = static_cast<JSAMPLE>(x * 255 / PictureWidth);
            row[3 * x + 1] = static_cast<JSAMPLE>(y * 255 / PictureHeight);
            row[3 * x + 2] = static_cast<JSAMPLE>((x ^ y) & 0xFF);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// A field of /proc/self/status in bytes (VmRSS now, VmHWM the peak).
double StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        double kib = 0;
        if (name == field + ":" && status >> kib) return kib * 1024;
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

// Starts the peak (VmHWM) afresh from the memory held now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_LargePictureConverter(benchmark::State& state)
{
    std::string folder = (fs::temp_directory_path() / "zkcolourbench.XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = folder + "/photo.jpg";
    WriteLargeJpeg(path);
    double gainStepMs = 0;
    double loadMs = 0;
    double convertMs = 0;
    double peak = 0;
    {
        zk::TColorToBW form;
        form.show();
        QCoreApplication::processEvents();

        ResetPeakMemory();
        const double before = StatusBytes("VmRSS");
        auto start = std::chrono::steady_clock::now();
        if (!form.OpenPicture(path)) {
            state.SkipWithError("the picture did not load");
            return;
        }
        QCoreApplication::processEvents();
        loadMs = MsSince(start);
        start = std::chrono::steady_clock::now();
        form.ConvertBtClick();
        QCoreApplication::processEvents();
        convertMs = MsSince(start);
        peak = StatusBytes("VmHWM") - before;

        // The slowest step counts: the first after Convert also makes the
        // result white again.
        for (auto _ : state) {
            start = std::chrono::steady_clock::now();
            form.Red->setValue(form.Red->value() == 20 ? 12 : 20);
            QCoreApplication::processEvents();
            form.ColorBox->viewport()->repaint();
            form.BWBox->viewport()->repaint();
            gainStepMs = std::max(gainStepMs, MsSince(start));
        }
    }
    fs::remove_all(folder);
    const double pixels = static_cast<double>(PictureWidth) * PictureHeight;
    state.counters["gain_step_ms"] = gainStepMs;
    state.counters["load_ms"] = loadMs;
    state.counters["convert_ms"] = convertMs;
    state.counters["peak_bytes_per_pixel"] = peak / pixels;
    state.counters["goals_met"] = gainStepMs <= GainStepGoalMs && peak / pixels <= PeakGoalBytesPerPixel ? 1 : 0;
}

BENCHMARK(BM_LargePictureConverter)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
