#pragma once
// One row of a PDF417 symbol as modules, and its drawing into the label image.

#include <array>
#include <cstdint>
#include <span>

#include "engine/pdf417/pdf417_fit.h"

namespace zk {

// Start, left indicator, up to 30 data codewords, right indicator: 17 modules
// each; the stop pattern 18.
inline constexpr int Pdf417MaxRowModules = Pdf417MaxAllColumns * 17 + 1;

struct TPdf417Row {
    std::array<std::uint8_t, Pdf417MaxRowModules> Modules{};  // non-zero = bar
    int Count = 0;
};

// Appends length modules, the first in bit length - 1 of modules.
void Pdf417AppendPattern(TPdf417Row& row, std::uint32_t modules, int length);

// Builds row rowIndex of a symbol from its codewords (rows x columns of
// them, row by row): start, left row indicator, the row's data codewords,
// right row indicator and stop, all from the row's cluster.
void Pdf417BuildRow(TPdf417Row& row, std::span<const std::uint16_t> codewords, int rowIndex,
                    const TPdf417Layout& layout);

// Draws the row's bars, each module moduleWidth dots wide, as lines of length
// dots from (x, y) in the label image, turned like every figure: rotation 0
// bars downward and modules to the right, 1 bars leftward and modules
// downward, 2 upward and to the left, 3 rightward and upward. x and y are
// image coordinates (the reference point included); the end is excluded.
void DrawPdf417Row(const TPdf417Row& row, int moduleWidth, int x, int y, int length, int rotation);

}  // namespace zk
