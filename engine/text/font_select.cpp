#include "engine/text/font_select.h"

#include <cstdint>
#include <vector>

#include "engine/text/glyph_lookup.h"
#include "engine/text/printer_font.h"
#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

void SelectGlyphData(std::uint32_t base, std::uint16_t stride)
{
    const std::vector<std::uint8_t>& glyphs = PrinterFont.PrinterFontGlyphs;
    if (base < glyphs.size()) {
        TextRenderState.GlyphBase = glyphs.data() + base;
        TextRenderState.GlyphDataSize = glyphs.size() - base;
    } else {
        TextRenderState.GlyphBase = nullptr;
        TextRenderState.GlyphDataSize = 0;
    }
    TextRenderState.GlyphStride = stride;
}

}  // namespace

void SelectNormalFont(int font, int shift)
{
    const TResidentFontLayout& layout = ResidentFontLayouts[static_cast<std::size_t>(font)];
    TextRenderState.CurrentFont = static_cast<std::uint16_t>(font);
    SelectGlyphData(layout.Base, layout.Stride);
    GlyphGeometry.GlyphWidth = layout.Width;
    GlyphGeometry.GlyphHeight = layout.Rows;
    GlyphGeometry.GlyphBytesPerRow = static_cast<std::uint8_t>((layout.Width + 7) / 8);
    TextRenderState.BaselineShift = shift;
}

void SelectArabicFont(int font)
{
    const TArabicSetLayout& layout = ArabicSetForFont(font);
    TextRenderState.CurrentFont = static_cast<std::uint16_t>(font);
    SelectGlyphData(layout.Base, layout.Stride);
    GlyphGeometry.GlyphWidth = layout.MaxWidth;
    GlyphGeometry.GlyphHeight = layout.Rows;
    GlyphGeometry.GlyphBytesPerRow = layout.RowBytes;
    TextRenderState.ArabicRowBytes = layout.RowBytes;
    TextRenderState.ArabicMaxWidth = layout.MaxWidth;
    TextRenderState.BaselineShift = 0;
}

bool SelectSoftFont(int font) { return SelectSoftFontByLetter(SoftFontLetter(font)); }

bool SelectSoftFontByLetter(char letter)
{
    const TFontData* data = SoftFontDataForLetter(letter);
    if (data == nullptr) return false;
    TextRenderState.CurrentFont = static_cast<std::uint8_t>(letter);
    TextRenderState.GlyphBase = data->Bytes.data();
    TextRenderState.GlyphDataSize = data->Bytes.size();
    TextRenderState.GlyphStride = 0;
    GlyphGeometry.GlyphWidth = 0;
    GlyphGeometry.GlyphHeight = data->Bytes.size() >= 3 ? data->Bytes[2] : 0;
    TextRenderState.BaselineShift = 0;
    return true;
}

}  // namespace zk
