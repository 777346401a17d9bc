#include "engine/image/grey_kernels.h"

#include <algorithm>

namespace zk {

namespace {

std::int32_t LimitByte(std::int32_t value) { return std::clamp(value, 0, 255); }

std::uint32_t Gained(std::uint32_t channel, int gain)
{
    return std::min<std::uint32_t>(255, (channel * static_cast<std::uint32_t>(gain)) >> 4);
}

}  // namespace

// clang-format off
const std::array<std::int8_t, 256> ContrastCurve = {
      0,   0,  -1,  -2,  -3,  -4,  -5,  -6,  -7,  -8,  -9,  -9, -10, -11, -12, -12,
    -13, -14, -14, -15, -16, -16, -17, -17, -18, -19, -19, -20, -20, -20, -21, -21,
    -22, -22, -23, -23, -23, -24, -24, -24, -24, -25, -25, -25, -25, -25, -26, -26,
    -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26, -26,
    -26, -26, -26, -26, -25, -25, -25, -25, -25, -24, -24, -24, -24, -23, -23, -23,
    -23, -22, -22, -22, -21, -21, -21, -20, -20, -19, -19, -19, -18, -18, -17, -17,
    -16, -16, -16, -15, -15, -14, -14, -13, -13, -12, -12, -11, -11, -10, -10,  -9,
     -8,  -8,  -7,  -7,  -6,  -6,  -5,  -5,  -4,  -3,  -3,  -2,  -2,  -1,  -1,   0,
      0,   0,   1,   1,   2,   2,   3,   3,   4,   5,   5,   6,   6,   7,   7,   8,
      8,   9,  10,  10,  11,  11,  12,  12,  13,  13,  14,  14,  15,  15,  16,  16,
     16,  17,  17,  18,  18,  19,  19,  19,  20,  20,  21,  21,  21,  22,  22,  22,
     23,  23,  23,  23,  24,  24,  24,  24,  25,  25,  25,  25,  25,  26,  26,  26,
     26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,  26,
     26,  26,  26,  25,  25,  25,  25,  25,  24,  24,  24,  24,  23,  23,  23,  22,
     22,  21,  21,  20,  20,  20,  19,  19,  18,  17,  17,  16,  16,  15,  14,  14,
     13,  12,  12,  11,  10,   9,   9,   8,   7,   6,   5,   4,   3,   2,   1,   0,
};
// clang-format on

TGreyWork::TGreyWork(int width, int height)
    : Width(std::max(width, 0)), Height(std::max(height, 0)),
      Cells(static_cast<std::size_t>(Width + 2) * static_cast<std::size_t>(Height + 2), 0)
{
}

void ApplyChannelGains(std::span<std::uint32_t> pixels, int redGain, int greenGain, int blueGain)
{
    for (std::uint32_t& pixel : pixels) {
        pixel = (pixel & 0xFF000000u) | (Gained(RedOf(pixel), redGain) << 16) |
                (Gained(GreenOf(pixel), greenGain) << 8) | Gained(BlueOf(pixel), blueGain);
    }
}

void GreyRow(std::span<const std::uint32_t> pixels, std::span<std::int32_t> cells, int brightness, int contrast)
{
    for (std::size_t x = 0; x < cells.size(); ++x) {
        const std::uint32_t pixel = pixels[x];
        std::int32_t grey = (7 * BlueOf(pixel) + 38 * GreenOf(pixel) + 19 * RedOf(pixel)) >> 6;
        grey = LimitByte(grey + brightness);
        // Integer division truncates towards zero, as the correction must.
        grey = LimitByte(grey + contrast * ContrastCurve[grey] / 100);
        cells[x] = grey;
    }
}

void GreyWithBrightnessContrast(const TColourImage& image, TGreyWork& work, int brightness, int contrast)
{
    for (int y = 0; y < work.Height; ++y) {
        const std::span<const std::uint32_t> pixels(image.Pixels.data() + static_cast<std::size_t>(y) * image.Width,
                                                    static_cast<std::size_t>(work.Width));
        GreyRow(pixels, std::span(&work.CellOfPixel(0, y), static_cast<std::size_t>(work.Width)), brightness,
                contrast);
    }
}

void DiffuseRow(std::span<std::int32_t> row, std::span<std::int32_t> below, bool leftToRight)
{
    const auto spread = [](std::int32_t& cell, std::int32_t share, bool subtract) {
        cell = LimitByte((cell & 0xFF) + (subtract ? -share : share));
    };
    const int width = static_cast<int>(row.size()) - 2;
    const int step = leftToRight ? 1 : -1;
    const int first = leftToRight ? 1 : width;
    for (int i = 0; i < width; ++i) {
        const std::size_t column = static_cast<std::size_t>(first + i * step);
        std::int32_t& cell = row[column];
        const std::int32_t value = cell & 0xFF;
        const bool white = value >= 128;
        cell = white ? 255 : 0;
        const std::int32_t error = white ? 255 - value : value;
        spread(row[column + step], (7 * error) >> 4, white);
        spread(below[column], (5 * error) >> 4, white);
        spread(below[column + step], (1 * error) >> 4, white);
        spread(below[column - step], (3 * error) >> 4, white);
    }
}

void SerpentineErrorDiffusion(TGreyWork& work)
{
    const std::size_t stride = static_cast<std::size_t>(work.Stride());
    for (int row = 1; row <= work.Height; ++row) {
        DiffuseRow(std::span(&work.Cell(0, row), stride), std::span(&work.Cell(0, row + 1), stride), row % 2 == 1);
    }
}

void MonochromeRow(std::span<const std::int32_t> cells, std::span<std::uint16_t> words)
{
    for (std::size_t x = 0; x < cells.size(); ++x) {
        words[x] = (cells[x] & 0xFF) >= 127 ? MonoWhite : MonoBlack;
    }
    std::fill(words.begin() + static_cast<std::ptrdiff_t>(cells.size()), words.end(), MonoWhite);
}

void GreyToMonochrome16(const TGreyWork& work, TMonoImage16& result)
{
    for (int y = 0; y < result.Height; ++y) {
        const std::size_t first = static_cast<std::size_t>(work.Height - y) * work.Stride() + 1;
        MonochromeRow(std::span(work.Cells.data() + first, static_cast<std::size_t>(result.Width)),
                      std::span(&result.Words[static_cast<std::size_t>(y) * result.WordsPerRow()],
                                static_cast<std::size_t>(result.WordsPerRow())));
    }
}

TMonoImage16 ConvertToMonochrome(const TColourImage& image, int brightness, int contrast, bool threshold)
{
    TGreyWork work(image.Width, image.Height);
    GreyWithBrightnessContrast(image, work, brightness, contrast);
    if (!threshold) {
        SerpentineErrorDiffusion(work);
    }
    TMonoImage16 result(image.Width, image.Height);
    GreyToMonochrome16(work, result);
    return result;
}

}  // namespace zk
