#include "engine/text/glyph_lookup.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/model/figure_list.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

int BytesForWidth(int width) { return (width + 7) / 8; }

// Each row smeared one dot to the right, into BoldGlyphBuffer; the width
// does not grow, so a glyph touching its right edge inks the bits past it.
GlyphRows Embolden(GlyphRows rows)
{
    const std::size_t size = std::min(rows.size(), BoldGlyphBuffer.size());
    if (size > 0) std::memcpy(BoldGlyphBuffer.data(), rows.data(), size);
    const std::size_t perRow = GlyphGeometry.GlyphBytesPerRow;
    if (perRow == 0) return GlyphRows(BoldGlyphBuffer.data(), size);
    for (std::size_t start = 0; start + perRow <= size; start += perRow) {
        std::uint8_t previous = 0;
        for (std::size_t i = 0; i < perRow; ++i) {
            const std::uint8_t byte = BoldGlyphBuffer[start + i];
            BoldGlyphBuffer[start + i] = static_cast<std::uint8_t>(byte | (byte >> 1) | ((previous & 1) << 7));
            previous = byte;
        }
    }
    return GlyphRows(BoldGlyphBuffer.data(), size);
}

GlyphRows WithStyle(GlyphRows rows)
{
    return (TextRenderState.TextAttributes & TextStyle::Bold) ? Embolden(rows) : rows;
}

// The bytes at offset..offset+length of the selected glyph data; empty when
// they do not all lie inside it.
GlyphRows GlyphDataSpan(std::size_t offset, std::size_t length)
{
    const std::size_t size = TextRenderState.GlyphDataSize;
    if (TextRenderState.GlyphBase == nullptr || offset > size || length > size - offset) return {};
    return GlyphRows(TextRenderState.GlyphBase + offset, length);
}

std::uint16_t CodeTableEntry(std::uint8_t code)
{
    return UseEnglishTable ? GlyphIndexEnglish(code) : GlyphIndexForLanguage(code);
}

}  // namespace

GlyphRows RepackGlyphRows(GlyphRows rows)
{
    const int wanted = BytesForWidth(GlyphGeometry.GlyphWidth);
    const int stored = GlyphGeometry.GlyphBytesPerRow;
    if (stored == wanted) return rows;
    GlyphRepackBuffer.fill(0);
    const int height = GlyphGeometry.GlyphHeight;
    std::size_t out = 0;
    for (int r = 0; r < height; ++r) {
        for (int i = 0; i < wanted && out < GlyphRepackBuffer.size(); ++i, ++out) {
            const std::size_t in = static_cast<std::size_t>(r * stored + i);
            GlyphRepackBuffer[out] = in < rows.size() ? rows[in] : 0;
        }
    }
    GlyphGeometry.GlyphBytesPerRow = static_cast<std::uint8_t>(wanted);
    return GlyphRows(GlyphRepackBuffer.data(), out);
}

bool SoftFontSelected() { return TextRenderState.CurrentFont > 5; }

char SoftFontLetter(int font)
{
    if (font < 6) return 0;
    int index = font - 6;
    for (TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font) && index-- == 0) {
            return figure->SoftFont().Letter.bytes()[0];
        }
    }
    return 0;
}

int SoftFontHeight(int font)
{
    const char letter = SoftFontLetter(font);
    if (letter != 0) {
        const int wanted = std::toupper(static_cast<unsigned char>(letter));
        for (TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Font) &&
                std::toupper(static_cast<unsigned char>(figure->SoftFont().Letter.bytes()[0])) == wanted) {
                return figure->SoftFont().Height;
            }
        }
    }
    return 16;
}

const TFontData* SoftFontDataForLetter(char letter)
{
    if (letter == 0) return nullptr;
    for (TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font) && figure->SoftFont().Letter.bytes()[0] == letter) {
            return figure->SoftFont().Data.get();
        }
    }
    return nullptr;
}

std::optional<GlyphRows> FindSoftFontGlyph(std::uint8_t code)
{
    const std::uint8_t* block = TextRenderState.GlyphBase;
    const std::size_t size = TextRenderState.GlyphDataSize;
    if (block == nullptr || size < 3) return std::nullopt;
    GlyphGeometry.GlyphHeight = block[2];
    const std::size_t height = block[2];
    std::size_t at = 3;
    for (int record = 0; record < block[0]; ++record) {
        if (size - at < 3) return std::nullopt;
        const std::uint8_t recordCode = block[at];
        const std::uint8_t advance = block[at + 1];
        const std::uint8_t perRow = block[at + 2];
        const std::size_t rowBytes = height * perRow;
        if (size - at - 3 < rowBytes) return std::nullopt;  // record runs past the block
        GlyphGeometry.GlyphWidth = advance;
        GlyphGeometry.GlyphBytesPerRow = perRow;
        if (recordCode == code) {
            TextRenderState.RenderedWidthSum += TextRenderState.TextHMult * (advance + 2);
            return WithStyle(GlyphRows(block + at + 3, rowBytes));
        }
        at += 3 + rowBytes;
    }
    return std::nullopt;
}

std::optional<GlyphRows> FindResidentGlyph(std::uint8_t code)
{
    if (SoftFontSelected()) return FindSoftFontGlyph(code);
    const std::size_t stride = TextRenderState.GlyphStride;
    const std::size_t height = GlyphGeometry.GlyphHeight;
    if (!ArabicGlyphSet || UseEnglishTable) {
        const std::size_t offset = CodeTableEntry(code) * stride;
        GlyphGeometry.GlyphBytesPerRow = static_cast<std::uint8_t>(BytesForWidth(GlyphGeometry.GlyphWidth));
        return WithStyle(GlyphDataSpan(offset, height * GlyphGeometry.GlyphBytesPerRow));
    }
    const std::size_t offset = GlyphIndexForLanguage(code) * stride;
    const GlyphRows widthByte = GlyphDataSpan(offset, 1);
    GlyphGeometry.GlyphWidth = widthByte.empty() ? 0 : std::min(widthByte[0], TextRenderState.ArabicMaxWidth);
    GlyphGeometry.GlyphBytesPerRow = TextRenderState.ArabicRowBytes;
    const GlyphRows stored = GlyphDataSpan(offset + 1, height * TextRenderState.ArabicRowBytes);
    TextRenderState.RenderedWidthSum += TextRenderState.TextHMult * GlyphGeometry.GlyphWidth;
    return WithStyle(RepackGlyphRows(stored));
}

}  // namespace zk
