#pragma once
// The state one text render works in: glyph geometry, the render state,
// the mode flags, the scratch buffers, and the hand-off of glyph rows to
// the direct-graphics sender.

#include <array>
#include <cstdint>
#include <functional>

namespace zk {

struct TGlyphGeometry {
    std::uint8_t GlyphWidth = 0;        // dots
    std::uint8_t GlyphHeight = 0;       // rows
    std::uint8_t GlyphBytesPerRow = 0;  // bytes per stored row
};

struct TTextRenderState {
    std::uint16_t CurrentFont = 0;  // 0..5, or the soft font's letter
    std::uint16_t TextAttributes = 0;
    std::int16_t TextHMult = 1;
    std::int16_t TextVMult = 1;
    std::int16_t PenX = 0;
    std::int16_t PenY = 0;
    const std::uint8_t* GlyphBase = nullptr;  // start of the font's glyphs (resident) or its block (soft)
    std::size_t GlyphDataSize = 0;            // bytes from GlyphBase to the end of the data
    std::uint16_t GlyphStride = 0;
    std::int32_t BaselineShift = 0;
    std::int32_t RenderedWidthSum = 0;
    std::uint8_t ArabicRowBytes = 0;
    std::uint8_t ArabicMaxWidth = 0;  // widest glyph of the selected Arabic set
    std::uint16_t BlitScaleX = 1;
    std::uint16_t BlitScaleY = 1;
    std::int32_t BlitRotation = 0;
};

// Text attribute bits the renderer reads.
namespace TextStyle {
inline constexpr std::uint16_t Inverse = 0x01;
inline constexpr std::uint16_t Bold = 0x02;
inline constexpr std::uint16_t Reverse = 0x80;
inline constexpr std::uint16_t SoftFontMask = Bold | Reverse;
}  // namespace TextStyle

extern TGlyphGeometry GlyphGeometry;
extern TTextRenderState TextRenderState;
extern std::array<std::uint8_t, 256> GlyphRepackBuffer;
// Large enough for any soft glyph (255 rows of 255 bytes).
extern std::array<std::uint8_t, 65536> BoldGlyphBuffer;

// Resident fonts drawn from the Arabic glyph set.
extern std::uint8_t ArabicGlyphSet;
// Resident glyphs looked up in table 0 whatever the Language.
extern std::uint8_t UseEnglishTable;
// The text passed in is already evaluated and is drawn unchanged.
extern std::uint8_t RawTextMode;
// Glyph rows go to GlyphGraphicsSender instead of the label image.
extern std::uint8_t SendGlyphsAsGraphics;
// Set by the label redraw while it draws for a driver print: a text whose
// expression fails is left out.
extern std::uint8_t RedrawForDriverPrint;

// One glyph's rows for the direct-graphics sender: RowCount rows of
// BytesPerRow bytes at the start of GlyphRenderBuffer rows (64 bytes apart,
// 1 = white), each to be printed RowRepeat times, placed at (X, Y).
struct TGlyphGraphics {
    int X = 0;
    int Y = 0;
    int BytesPerRow = 0;
    int RowCount = 0;
    int RowRepeat = 1;
};
using TGlyphGraphicsSender = std::function<void(const TGlyphGraphics&)>;
// Installed by the printing code; glyphs are dropped while it is empty.
extern TGlyphGraphicsSender GlyphGraphicsSender;

// Program-start values of everything above (engine reset).
void ResetTextRenderState();

}  // namespace zk
