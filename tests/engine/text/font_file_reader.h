#pragma once
// Test-side reading of the generated printer font file, independent of the
// renderer: the file's path beside the test program and its glyph dots.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "engine/text/printer_font_layout.h"

namespace zk::test {

inline std::filesystem::path GeneratedFontFile()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "VEZARAZ.EVU";
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A glyph as a grid of dots, 1 = ink.
struct DotGlyph {
    int Width = 0;
    int Rows = 0;
    std::vector<std::vector<bool>> Dots;  // [row][column]
    bool Ink(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Rows && Dots[y][x]; }
};

inline std::uint16_t TableEntry(const std::vector<std::uint8_t>& file, int language, int code)
{
    const std::size_t at = (static_cast<std::size_t>(language) * 256 + static_cast<std::size_t>(code)) * 2;
    return static_cast<std::uint16_t>(file[at] << 8 | file[at + 1]);
}

inline DotGlyph DotsAt(const std::vector<std::uint8_t>& file, std::size_t offset, int width, int rows, int rowBytes)
{
    DotGlyph glyph{width, rows, std::vector<std::vector<bool>>(static_cast<std::size_t>(rows), std::vector<bool>(static_cast<std::size_t>(width)))};
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t byte = file[offset + static_cast<std::size_t>(y * rowBytes + x / 8)];
            glyph.Dots[y][x] = (byte >> (7 - x % 8)) & 1;
        }
    }
    return glyph;
}

inline DotGlyph ResidentGlyph(const std::vector<std::uint8_t>& file, int font, int language, int code)
{
    const TResidentFontLayout& layout = ResidentFontLayouts[static_cast<std::size_t>(font)];
    const std::size_t offset = CodeTableBytes + layout.Base + TableEntry(file, language, code) * std::size_t{layout.Stride};
    return DotsAt(file, offset, layout.Width, layout.Rows, (layout.Width + 7) / 8);
}

inline DotGlyph ArabicGlyph(const std::vector<std::uint8_t>& file, int font, int code)
{
    const TArabicSetLayout& layout = ArabicSetForFont(font);
    const std::size_t offset = CodeTableBytes + layout.Base + TableEntry(file, ArabicLanguage, code) * std::size_t{layout.Stride};
    return DotsAt(file, offset + 1, file[offset], layout.Rows, layout.RowBytes);
}

using DotSet = std::set<std::pair<int, int>>;  // (x, y)

// Where a glyph's ink lands for each rotation, given the pen position, the
// multipliers and the blit origins of the glyph expanders.
inline void AddRotatedGlyph(DotSet& dots, const DotGlyph& g, int rotation, int penX, int penY, int h, int v)
{
    for (int gy = 0; gy < g.Rows; ++gy) {
        for (int gx = 0; gx < g.Width; ++gx) {
            if (!g.Ink(gx, gy)) continue;
            int x0 = 0, y0 = 0, w = 0, hgt = 0;
            switch (rotation) {
            case 0: x0 = penX + gx * h; y0 = penY + gy * v; w = h; hgt = v; break;
            case 1:
                x0 = penX - v * (g.Rows + 2) + 1 + (g.Rows - 1 - gy) * v; y0 = penY + gx * h; w = v; hgt = h;
                break;
            case 2:
                x0 = penX + 1 - h * (g.Width + 2) + (g.Width - 1 - gx) * h;
                y0 = penY - v * (g.Rows + 2) + 1 + (g.Rows - 1 - gy) * v;
                w = h; hgt = v;
                break;
            default:
                x0 = penX + gy * v; y0 = penY - h * (g.Width + 2) + 1 + (g.Width - 1 - gx) * h; w = v; hgt = h;
                break;
            }
            for (int dy = 0; dy < hgt; ++dy) {
                for (int dx = 0; dx < w; ++dx) dots.insert({x0 + dx, y0 + dy});
            }
        }
    }
}

}  // namespace zk::test
