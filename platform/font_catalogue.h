#pragma once
// The installed scalable fonts: their families, the character sets a family
// covers, and monochrome glyph bitmaps and text metrics of one face at a
// pixel size, as the font converter needs them (fontconfig finds the faces,
// FreeType rasterises them).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zk::platform
{

// Character set numbers the converter offers (the single-byte encodings a
// face's glyphs are reached by).
namespace Charset
{
inline constexpr int Western = 0;
inline constexpr int Default = 1;
inline constexpr int Symbol = 2;
inline constexpr int Greek = 161;
inline constexpr int Turkish = 162;
inline constexpr int Baltic = 186;
inline constexpr int Cyrillic = 204;
inline constexpr int CentralEurope = 238;
inline constexpr int Oem = 255;
}  // namespace Charset

// Family names of the installed TrueType and OpenType faces, in the order of
// SortFamilyNames.
std::vector<std::string> ScalableFontFamilies();

// Names in the order of a sorted drop-down list, each once.
std::vector<std::string> SortFamilyNames(std::vector<std::string> names);

// The face file that draws a family in a style. Styles the family lacks are
// made up from the nearest face (emboldened, slanted).
struct FontFaceFile {
    std::string Path;
    int Index = 0;
    bool Embolden = false;
    bool Slant = false;
};
std::optional<FontFaceFile> FindFontFace(const std::string& family, bool bold, bool italic);

// Whether the family's regular face covers the character set.
bool FontHasCharset(const std::string& family, int charset);

// The character a byte stands for under a character set (Default reads as
// Western); for Symbol the byte itself, looked up in the face's symbol map.
char32_t CharsetCharacter(int charset, std::uint8_t byte);

struct TextMetrics {
    int Ascent = 0;   // dots above the baseline
    int Descent = 0;  // dots below it
    int Height = 0;   // Ascent + Descent: one text line
};

// A glyph's black box (the smallest rectangle around its ink), the box's
// top-left corner relative to the glyph origin on the baseline (y upwards)
// and the pen advance.
struct GlyphBox {
    int BlackBoxX = 0;
    int BlackBoxY = 0;
    int OriginX = 0;
    int OriginY = 0;
    int CellIncX = 0;
};

// A glyph's box and its ink: BlackBoxY rows of Pitch bytes (a multiple of
// 4), a set bit is ink, bit 7 of a row's first byte its leftmost dot.
struct MonoGlyph {
    GlyphBox Box;
    int Pitch = 0;
    std::vector<std::uint8_t> Bits;
};

// One face at one size, its outlines widened by a factor before they are
// rasterised in monochrome; glyphs are asked for by byte under a charset.
class GlyphRasterizer
{
public:
    GlyphRasterizer(const FontFaceFile& face, int pixelsPerEm, double widthFactor, int charset);
    ~GlyphRasterizer();
    GlyphRasterizer(const GlyphRasterizer&) = delete;
    GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

    bool Valid() const;
    TextMetrics Metrics() const;
    // None when the face has no glyph for the byte or it can't be drawn.
    std::optional<MonoGlyph> Glyph(std::uint8_t byte);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace zk::platform
