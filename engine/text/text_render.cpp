#include "engine/text/text_render.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "engine/expr/data_expression.h"
#include "engine/model/label_setup.h"
#include "engine/text/font_select.h"
#include "engine/text/glyph_expand.h"
#include "engine/text/glyph_lookup.h"
#include "engine/text/printer_font.h"
#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

constexpr int HebrewLanguage = 11;
constexpr std::size_t TextBufferSize = 100;

std::int16_t Saturate16(int value)
{
    return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

// The pen moves along the text's direction: right, down, left or up.
struct Pen {
    int rotation = 0;
    int x = 0;
    int y = 0;

    Pen(int rot, int startX, int startY, int shift) : rotation(rot), x(startX), y(startY)
    {
        switch (rotation) {
        case 0: y -= shift; break;
        case 1: x += shift; break;
        case 2: y += shift; break;
        default: x -= shift; break;
        }
    }

    void Move(int amount)
    {
        switch (rotation) {
        case 0: x += amount; break;
        case 1: y += amount; break;
        case 2: x -= amount; break;
        default: y -= amount; break;
        }
    }

    // The whole line lies off the label (extent: its height across the text).
    bool LineOffLabel(int extent) const
    {
        const int width = LabelSetup.LabelWidth;
        const int length = LabelSetup.LabelLength;
        switch (rotation) {
        case 0: return y > length || y + extent < 0;
        case 1: return x < 0 || x - extent > width;
        case 2: return y < 0 || y - extent > length;
        default: return x > width || x + extent < 0;
        }
    }

    // The glyph at the pen reaches the label (extent: its size along the text).
    bool GlyphOnLabel(int extent) const
    {
        const int width = LabelSetup.LabelWidth;
        const int length = LabelSetup.LabelLength;
        switch (rotation) {
        case 0: return x <= width && x + extent >= 0;
        case 1: return y <= length && y + extent >= 0;
        case 2: return x >= 0 && x - extent <= width;
        default: return y >= 0 && y - extent <= length;
        }
    }

    void Draw(GlyphRows rows) const
    {
        TextRenderState.PenX = Saturate16(x);
        TextRenderState.PenY = Saturate16(y);
        ExpandGlyph(rotation, rows, x, y);
    }
};

void ClearRenderBuffer() { PrinterFont.GlyphRenderBuffer.fill(0xFF); }

// The characters to draw: the expression's result, or the text itself in
// raw mode; an empty result is one space. Empty when nothing is drawn.
std::string_view TextToDraw(std::string_view text, std::array<char, TextBufferSize>& buffer, std::uint16_t& attributes,
                            int& spacing)
{
    if (RawTextMode) {
        const std::size_t length = std::min({text.size(), text.find('\0'), buffer.size() - 1});
        std::memcpy(buffer.data(), text.data(), length);
        buffer[length] = '\0';
    } else {
        if (LabelSetup.Language == ArabicLanguage) {
            attributes ^= TextStyle::Reverse;
            if (!UseEnglishTable) {
                ArabicGlyphSet = 1;
                spacing = 0;
            }
        }
        EvaluateDataExpression(buffer, text, false);
        if (LabelSetup.Language == HebrewLanguage) {
            attributes ^= TextStyle::Reverse;
        }
        if (DataExpressionError && RedrawForDriverPrint) {
            return {};
        }
    }
    if (buffer[0] == '\0') {
        buffer[0] = ' ';
        buffer[1] = '\0';
    }
    return std::string_view(buffer.data());
}

}  // namespace

void RenderPrinterText(int x, int y, int rotation, int font, int hmult, int vmult, std::uint16_t attributes,
                       std::string_view text)
{
    ArabicGlyphSet = 0;
    TextRenderState.RenderedWidthSum = 0;
    hmult = std::max(hmult, 1);
    vmult = std::max(vmult, 1);
    rotation &= 3;
    const bool soft = font >= static_cast<int>(ResidentFontCount);
    if (font < 0) return;
    int spacing = soft ? 1 : LabelSetup.NormalSpacing;

    std::array<char, TextBufferSize> buffer{};
    const std::string_view shown = TextToDraw(text, buffer, attributes, spacing);
    if (shown.empty()) return;

    x += LabelSetup.LeftMargin;
    y += LabelSetup.TopMargin;
    if (soft) attributes &= TextStyle::SoftFontMask;

    TextRenderState.TextAttributes = attributes;
    TextRenderState.TextHMult = Saturate16(hmult);
    TextRenderState.TextVMult = Saturate16(vmult);
    ClearRenderBuffer();
    if (soft) {
        if (!SelectSoftFont(font)) return;
    } else if (ArabicGlyphSet) {
        SelectArabicFont(font);
    } else {
        SelectNormalFont(font, ResidentFontLayouts[static_cast<std::size_t>(font)].BaselineShift * vmult);
        TextRenderState.RenderedWidthSum =
            hmult * static_cast<int>(shown.size()) * (2 * spacing + GlyphGeometry.GlyphWidth);
    }

    Pen pen(rotation, x, y, TextRenderState.BaselineShift);
    if (pen.LineOffLabel(vmult * (GlyphGeometry.GlyphHeight + 2))) return;
    const bool reverse = (attributes & TextStyle::Reverse) != 0;
    for (char c : shown) {
        const std::optional<GlyphRows> rows = GlyphForCode(static_cast<std::uint8_t>(c));
        if (!rows) continue;  // a soft font lacking the character
        const int advance = hmult * (2 * spacing + GlyphGeometry.GlyphWidth);
        if (reverse) pen.Move(-advance);
        if (pen.GlyphOnLabel(hmult * (GlyphGeometry.GlyphWidth + 2))) pen.Draw(*rows);
        if (!reverse) pen.Move(advance);
    }
}

void RenderHumanReadable(int x, int y, int rotation, int font, int pitch, std::string_view chars, int count)
{
    UseEnglishTable = 1;
    ArabicGlyphSet = 0;
    SendGlyphsAsGraphics = 0;
    TextRenderState.TextAttributes = 0;
    TextRenderState.TextHMult = 1;
    TextRenderState.TextVMult = 1;
    int shift = 5;
    switch (font) {
    case 1:
        TextRenderState.TextVMult = 2;
        shift = 8;
        break;
    case 3:
    case 4: break;
    default: return;
    }
    rotation &= 3;
    ClearRenderBuffer();
    SelectNormalFont(font, shift);

    std::string_view text = chars.substr(0, std::min(chars.size(), chars.find('\0')));
    if (count > 0) text = text.substr(0, std::min<std::size_t>(text.size(), static_cast<std::size_t>(count)));

    Pen pen(rotation, x, y, shift);
    if (pen.LineOffLabel(GlyphGeometry.GlyphHeight + 1)) return;
    for (char c : text) {
        const std::optional<GlyphRows> rows = GlyphForCode(static_cast<std::uint8_t>(c));
        if (rows && pen.GlyphOnLabel(GlyphGeometry.GlyphWidth + 2)) pen.Draw(*rows);
        pen.Move(pitch);
    }
}

}  // namespace zk
