#pragma once
// The printer font file: code tables and the resident fonts' glyph data,
// loaded once at start-up, and the render buffer that text is built in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk {

// Rows of the glyph render buffer: a 1-bit image where a 1 bit is white.
inline constexpr int GlyphRenderRowBytes = 64;
inline constexpr int GlyphRenderRows = 512;

struct TPrinterFont {
    std::vector<std::uint16_t> PrinterFontCodeTable;  // 4096 entries in host order, empty until loaded
    std::vector<std::uint8_t> PrinterFontGlyphs;      // glyph data (the file after its code tables)
    std::array<std::uint8_t, GlyphRenderRowBytes * GlyphRenderRows> GlyphRenderBuffer{};
};

extern TPrinterFont PrinterFont;

inline constexpr int PrinterFontLoaded = 0;
inline constexpr int PrinterFontCantOpen = 1;
inline constexpr int PrinterFontNoMemory = 2;

// Reads ProgramPaths.PrinterFontFileName. A file too short to hold the code
// tables counts as one that cannot be opened.
int LoadPrinterFont();
void FreePrinterFont();
bool PrinterFontIsLoaded();

// Code table entries: Language * 256 + code, and table 0; 0 when no font
// is loaded.
std::uint16_t GlyphIndexForLanguage(std::uint8_t code);
std::uint16_t GlyphIndexEnglish(std::uint8_t code);

}  // namespace zk
