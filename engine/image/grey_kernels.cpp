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

void GreyWithBrightnessContrast(const TColourImage& image, TGreyWork& work, int brightness, int contrast)
{
    for (int y = 0; y < work.Height; ++y) {
        for (int x = 0; x < work.Width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            std::int32_t grey = (7 * BlueOf(pixel) + 38 * GreenOf(pixel) + 19 * RedOf(pixel)) >> 6;
            grey = LimitByte(grey + brightness);
            // Integer division truncates towards zero, as the correction must.
            grey = LimitByte(grey + contrast * ContrastCurve[grey] / 100);
            work.CellOfPixel(x, y) = grey;
        }
    }
}

void SerpentineErrorDiffusion(TGreyWork& work)
{
    const auto spread = [&](int column, int row, std::int32_t share, bool subtract) {
        std::int32_t& cell = work.Cell(column, row);
        cell = LimitByte((cell & 0xFF) + (subtract ? -share : share));
    };
    for (int row = 1; row <= work.Height; ++row) {
        const bool leftToRight = (row % 2) == 1;
        const int step = leftToRight ? 1 : -1;
        const int first = leftToRight ? 1 : work.Width;
        for (int i = 0; i < work.Width; ++i) {
            const int column = first + i * step;
            std::int32_t& cell = work.Cell(column, row);
            const std::int32_t value = cell & 0xFF;
            const bool white = value >= 128;
            cell = white ? 255 : 0;
            const std::int32_t error = white ? 255 - value : value;
            spread(column + step, row, (7 * error) >> 4, white);
            spread(column, row + 1, (5 * error) >> 4, white);
            spread(column + step, row + 1, (1 * error) >> 4, white);
            spread(column - step, row + 1, (3 * error) >> 4, white);
        }
    }
}

void GreyToMonochrome16(const TGreyWork& work, TMonoImage16& result)
{
    for (int y = 0; y < result.Height; ++y) {
        std::uint16_t* row = &result.Words[static_cast<std::size_t>(y) * result.WordsPerRow()];
        for (int x = 0; x < result.Width; ++x) {
            row[x] = (work.CellOfPixel(x, y) & 0xFF) >= 127 ? MonoWhite : MonoBlack;
        }
        std::fill(row + result.Width, row + result.WordsPerRow(), MonoWhite);
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
