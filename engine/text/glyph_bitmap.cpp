#include "engine/text/glyph_bitmap.h"

#include "engine/text/font_select.h"
#include "engine/text/glyph_lookup.h"
#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

// The lookup works in the renderer's state; a glyph shown outside a text
// leaves that state as the last text left it.
class RenderStateKeeper {
public:
    RenderStateKeeper()
        : m_geometry(GlyphGeometry), m_state(TextRenderState), m_useEnglish(UseEnglishTable)
    {
        // Plain glyphs at multiplier 1, from the table of Language.
        TextRenderState.TextAttributes = 0;
        TextRenderState.TextHMult = 1;
        TextRenderState.TextVMult = 1;
        UseEnglishTable = 0;
    }
    ~RenderStateKeeper()
    {
        GlyphGeometry = m_geometry;
        TextRenderState = m_state;
        UseEnglishTable = m_useEnglish;
    }
    RenderStateKeeper(const RenderStateKeeper&) = delete;
    RenderStateKeeper& operator=(const RenderStateKeeper&) = delete;

private:
    TGlyphGeometry m_geometry;
    TTextRenderState m_state;
    std::uint8_t m_useEnglish;
};

// rows hold GlyphHeight rows of GlyphBytesPerRow bytes, the leftmost dot in
// the most significant bit.
std::optional<TGlyphBitmap> ToBitmap(GlyphRows rows, int width)
{
    const int height = GlyphGeometry.GlyphHeight;
    const std::size_t perRow = GlyphGeometry.GlyphBytesPerRow;
    if (rows.empty() || width <= 0 || height <= 0) return std::nullopt;
    TGlyphBitmap bitmap{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height))};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * perRow + static_cast<std::size_t>(x / 8);
            if (at < rows.size() && ((rows[at] >> (7 - x % 8)) & 1)) {
                bitmap.Ink[static_cast<std::size_t>(y * width + x)] = 1;
            }
        }
    }
    return bitmap;
}

}  // namespace

std::optional<TGlyphBitmap> ResidentGlyphBitmap(int font, std::uint8_t code)
{
    if (font < 0 || font >= static_cast<int>(ResidentFontCount)) return std::nullopt;
    RenderStateKeeper keeper;
    if (ArabicGlyphSet) {
        SelectArabicFont(font);
    } else {
        SelectNormalFont(font, 0);
    }
    const std::optional<GlyphRows> rows = FindResidentGlyph(code);
    if (!rows) return std::nullopt;
    return ToBitmap(*rows, GlyphGeometry.GlyphWidth);
}

std::optional<TGlyphBitmap> SoftGlyphBitmap(char letter, std::uint8_t code)
{
    RenderStateKeeper keeper;
    if (!SelectSoftFontByLetter(letter)) return std::nullopt;
    const std::optional<GlyphRows> rows = FindSoftFontGlyph(code);
    if (!rows) return std::nullopt;
    return ToBitmap(*rows, GlyphGeometry.GlyphBytesPerRow * 8);
}

}  // namespace zk
