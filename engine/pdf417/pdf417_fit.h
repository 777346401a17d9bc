#pragma once
// Choosing the error-correction level and fitting a PDF417 symbol's rows,
// columns, module width and row height into its figure's rectangle.

#include <cstdint>

#include "engine/model/figures.h"

namespace zk {

// The standard's limits: 928 codewords, 30 data columns (34 with start, stop
// and the row indicators), 90 rows.
inline constexpr int Pdf417MaxCodewords = 928;
inline constexpr int Pdf417MaxAllColumns = 34;
inline constexpr int Pdf417MaxRows = 90;

struct TPdf417Layout {
    int Rows = 0;         // r
    int Columns = 0;      // c, data columns
    int ModuleWidth = 0;  // a, dots
    int RowHeight = 0;    // h, dots
    int Level = 0;        // L, 2^(L+1) error-correction codewords
};

// The level a figure asks for (SecurityLevel 1..9 = level 0..8), or for
// automatic (0) the level for n codewords (descriptor and data).
int Pdf417ChooseLevel(std::uint8_t securityLevel, int count);

// Fits t codewords into the figure's limits at its own module width and row
// height. On success fills rows, columns, module width and row height.
bool Pdf417FitSymbol(const TPdf417Figure& figure, int total, TPdf417Layout& layout);

// Fits by lowering the row height and then the module width, for a symbol
// that did not fit at the figure's own sizes. False when nothing fits.
bool Pdf417FitShrink(const TPdf417Figure& figure, int total, TPdf417Layout& layout);

}  // namespace zk
