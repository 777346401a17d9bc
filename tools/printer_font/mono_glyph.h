#pragma once
// A 1-bit glyph image as the printer font file stores it: rows of bits,
// one byte per dot here for easy placement, 1 = ink.

#include <cstdint>
#include <vector>

namespace zk::tools {

struct MonoGlyph {
    int Width = 0;
    int Rows = 0;
    std::vector<std::uint8_t> Dots;  // Rows * Width, row by row

    MonoGlyph() = default;
    MonoGlyph(int width, int rows) : Width(width), Rows(rows), Dots(static_cast<std::size_t>(width * rows), 0) {}

    std::uint8_t& At(int x, int y) { return Dots[static_cast<std::size_t>(y * Width + x)]; }
    std::uint8_t At(int x, int y) const { return Dots[static_cast<std::size_t>(y * Width + x)]; }
    void Set(int x, int y)
    {
        if (x >= 0 && y >= 0 && x < Width && y < Rows) At(x, y) = 1;
    }
    bool HasInk() const
    {
        for (std::uint8_t dot : Dots) {
            if (dot) return true;
        }
        return false;
    }
};

// A rendered FreeType glyph: its ink and its placement against the pen.
struct RasterGlyph {
    MonoGlyph Ink;
    int Left = 0;     // ink's left edge right of the pen
    int Top = 0;      // ink's top edge above the baseline
    int Advance = 0;  // pen advance in dots
};

}  // namespace zk::tools
