#pragma once
// One character's glyph as a grid of dots, taken from the same lookup the
// text renderer uses, for showing a font's whole character set.

#include <cstdint>
#include <optional>
#include <vector>

namespace zk {

struct TGlyphBitmap {
    int Width = 0;  // dots; a soft glyph is its whole stored rows wide
    int Rows = 0;
    std::vector<std::uint8_t> Ink;  // Width * Rows, row by row; 1 = a printed dot

    bool InkAt(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < Width && y < Rows && Ink[static_cast<std::size_t>(y * Width + x)] != 0;
    }
};

// Resident font 0..5 in the code table of Language: the Arabic set (each
// glyph its own width) while ArabicGlyphSet is set, else the normal set.
// None when the glyph lies outside the loaded glyph data.
std::optional<TGlyphBitmap> ResidentGlyphBitmap(int font, std::uint8_t code);

// The label's soft font of that letter; none when there is no such font or
// it lacks the code.
std::optional<TGlyphBitmap> SoftGlyphBitmap(char letter, std::uint8_t code);

}  // namespace zk
