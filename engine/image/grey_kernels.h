#pragma once
// The pixel kernels of the colour converter: channel gains on the colour
// image, grey with brightness and contrast into the work image, serpentine
// Floyd-Steinberg error diffusion, and the 16-bit black-and-white result.
//
// The converter's bitmaps are bottom-up, so the kernels walk them from the
// image's bottom row: work row 1 is the bottom image row, and the row
// "below" a work row during diffusion is the next row up in the image.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/image/colour_image.h"

namespace zk {

// The grey work image: (Width + 2) x (Height + 2) cells, a zero row first,
// then one row per image row with a zero border cell at both ends, and a
// last zero row; the border cells absorb diffused error.
struct TGreyWork {
    int Width = 0;
    int Height = 0;
    std::vector<std::int32_t> Cells;

    TGreyWork(int width, int height);
    int Stride() const { return Width + 2; }
    std::int32_t& Cell(int column, int row) { return Cells[static_cast<std::size_t>(row) * Stride() + column]; }
    std::int32_t Cell(int column, int row) const { return Cells[static_cast<std::size_t>(row) * Stride() + column]; }
    // The cell of image pixel (x, y), y counted from the top.
    std::int32_t& CellOfPixel(int x, int y) { return Cell(x + 1, Height - y); }
    std::int32_t CellOfPixel(int x, int y) const { return Cell(x + 1, Height - y); }
};

// Contrast correction by grey value: 0 at the ends and the middle, down to
// -26 for dark greys and up to +26 for light ones.
extern const std::array<std::int8_t, 256> ContrastCurve;

// Gains are track bar positions 0..32; 16 keeps a channel as it is.
inline constexpr int NeutralGain = 16;

// Each channel = min(255, (channel x gain) >> 4); the fourth byte stays.
void ApplyChannelGains(std::span<std::uint32_t> pixels, int redGain, int greenGain, int blueGain);

// One image row of grey cells (the row's image columns, no border).
void GreyRow(std::span<const std::uint32_t> pixels, std::span<std::int32_t> cells, int brightness, int contrast);

// Fills the work image: grey = (7 blue + 38 green + 19 red) >> 6, plus
// brightness (-100..100) and limited to 0..255, plus contrast (0..250) x
// ContrastCurve[grey] / 100 truncated towards zero, limited again.
void GreyWithBrightnessContrast(const TColourImage& image, TGreyWork& work, int brightness, int contrast);

// Decides the image cells of one work row (border cells at both ends) and
// spreads their error onto it and onto the row below.
void DiffuseRow(std::span<std::int32_t> row, std::span<std::int32_t> below, bool leftToRight);

// Decides every image cell to 0 or 255 and spreads the error 7/16 ahead,
// 5/16 below, 1/16 below ahead and 3/16 below behind, alternating the
// walking direction from row to row.
void SerpentineErrorDiffusion(TGreyWork& work);

// One row of the result from its image cells; the words past them white.
void MonochromeRow(std::span<const std::int32_t> cells, std::span<std::uint16_t> words);

// A work value of 127 or more is white. result must have the work's size.
void GreyToMonochrome16(const TGreyWork& work, TMonoImage16& result);

// The whole conversion of a displayed colour image (gains already applied).
TMonoImage16 ConvertToMonochrome(const TColourImage& image, int brightness, int contrast, bool threshold);

}  // namespace zk
