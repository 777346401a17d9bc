#pragma once
// Layout of the printer font file: 16 code tables, then the glyph data of
// the six resident fonts and of the Arabic glyph set at fixed offsets.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zk {

// 16 tables of 256 big-endian 16-bit glyph numbers, one per Language value.
inline constexpr std::size_t CodeTableEntries = 4096;
inline constexpr std::size_t CodeTableBytes = CodeTableEntries * 2;
inline constexpr std::size_t ResidentFontCount = 6;

// A resident font's glyphs: Rows rows of (Width + 7) / 8 bytes each, glyph n
// at Base + n * Stride (offsets relative to the glyph data). The nominal
// cell is the last NominalRows rows; the rows above it hold what rises above
// the cell, and the renderer starts a text BaselineShift rows above its y.
struct TResidentFontLayout {
    std::uint32_t Base;
    std::uint16_t Stride;
    std::uint8_t Width;
    std::uint8_t Rows;
    std::uint8_t NominalRows;
    std::uint8_t BaselineShift;
};

inline constexpr std::array<TResidentFontLayout, ResidentFontCount> ResidentFontLayouts = {{
    {0x0000, 58, 12, 29, 24, 5},
    {0x6424, 16, 8, 16, 12, 4},
    {0x7FC4, 42, 10, 21, 16, 4},
    {0xC848, 50, 12, 25, 20, 5},
    {0x11E9C, 58, 14, 29, 24, 5},
    {0x182C0, 232, 32, 58, 48, 9},
}};

// Arabic glyph set: each glyph is one width byte (its own width in dots, at
// most MaxWidth) and Rows rows of RowBytes bytes.
struct TArabicSetLayout {
    std::uint32_t Base;
    std::uint16_t Stride;
    std::uint8_t MaxWidth;
    std::uint8_t Rows;
    std::uint8_t RowBytes;
};

inline constexpr std::array<TArabicSetLayout, 4> ArabicSetLayouts = {{
    {0x34000, 33, 16, 16, 2},
    {0x35800, 61, 24, 20, 3},
    {0x38000, 73, 24, 24, 3},
    {0x3B000, 241, 40, 48, 5},
}};

// Fonts 0, 1 and 2 share the smallest Arabic set.
constexpr const TArabicSetLayout& ArabicSetForFont(int font)
{
    return ArabicSetLayouts[static_cast<std::size_t>(font < 3 ? 0 : font - 2)];
}

// Glyphs that fit between one font's base and the next: 442 for fonts 0..4
// (font 5 has room for more) and 167 in the Arabic set of font 3.
inline constexpr std::size_t ResidentGlyphCapacity = 442;
inline constexpr std::size_t ArabicGlyphCapacity = 167;

static_assert(ResidentFontLayouts[0].Base + ResidentGlyphCapacity * ResidentFontLayouts[0].Stride <=
              ResidentFontLayouts[1].Base);
static_assert(ResidentFontLayouts[4].Base + ResidentGlyphCapacity * ResidentFontLayouts[4].Stride <=
              ResidentFontLayouts[5].Base);
static_assert(ResidentFontLayouts[5].Base + ResidentGlyphCapacity * ResidentFontLayouts[5].Stride <=
              ArabicSetLayouts[0].Base);
static_assert(ArabicSetLayouts[1].Base + ArabicGlyphCapacity * ArabicSetLayouts[1].Stride <=
              ArabicSetLayouts[2].Base);

// The Language value of the Arabic code table.
inline constexpr int ArabicLanguage = 12;

}  // namespace zk
