#include "engine/text/glyph_expand.h"

#include <algorithm>

#include "engine/render/label_image.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render_state.h"

namespace zk {

namespace {

// Cells across a source row: the glyph width, or the whole stored row for
// a soft font.
int SourceWidth()
{
    return SoftFontSelected() ? GlyphGeometry.GlyphBytesPerRow * 8 : GlyphGeometry.GlyphWidth;
}

bool SourceDot(GlyphRows rows, int row, int column)
{
    const std::size_t at = static_cast<std::size_t>(row) * GlyphGeometry.GlyphBytesPerRow + static_cast<std::size_t>(column / 8);
    return at < rows.size() && ((rows[at] >> (7 - column % 8)) & 1);
}

std::uint8_t* RenderRow(int r)
{
    return PrinterFont.GlyphRenderBuffer.data() + static_cast<std::size_t>(r) * GlyphRenderRowBytes;
}

bool RenderBit(int r, int bit)
{
    return (RenderRow(r)[bit >> 3] >> (7 - (bit & 7))) & 1;
}

// Builds output rows 0..outRows-1 of k bits per source dot; dotAt(r, i)
// tells whether dot i of output row r is ink. Rows start white.
template <typename DotAt>
void FillRows(int outRows, int cellsAcross, int k, DotAt dotAt)
{
    const int usedBytes = (cellsAcross * k + 7) / 8;
    for (int r = 0; r < outRows; ++r) {
        std::uint8_t* row = RenderRow(r);
        std::fill(row, row + usedBytes, 0xFF);
        for (int i = 0; i < cellsAcross; ++i) {
            if (!dotAt(r, i)) continue;
            for (int bit = i * k; bit < (i + 1) * k; ++bit) {
                row[bit >> 3] = static_cast<std::uint8_t>(row[bit >> 3] & ~(0x80u >> (bit & 7)));
            }
        }
    }
}

bool Refused(int width)
{
    return width * TextRenderState.TextHMult > MaxGlyphExtent ||
           GlyphGeometry.GlyphHeight * TextRenderState.TextVMult > MaxGlyphExtent;
}

void Emit(int rotation, int x, int y, int cellsAcross, int outRows, int k, int repeat)
{
    TextRenderState.BlitScaleX = static_cast<std::uint16_t>(k);
    TextRenderState.BlitScaleY = static_cast<std::uint16_t>(repeat);
    TextRenderState.BlitRotation = rotation;
    if (SendGlyphsAsGraphics) {
        if (GlyphGraphicsSender) {
            GlyphGraphicsSender({x, y, (k * cellsAcross + 7) / 8, outRows, repeat});
        }
        return;
    }
    BlitGlyphBitmap(x, y, cellsAcross, outRows);
}

// ANDs the part of the glyph bitmap from (srcLeft, srcTop), w by h, onto
// the label image at (dstX, dstY). Outside the glyph the bitmap is margin:
// white, or black for inverse text.
void AndBitmap(int srcLeft, int srcTop, int w, int h, int dstX, int dstY, int cellsAcross, int cellRows,
               int bitmapRows)
{
    const int xs = TextRenderState.BlitScaleX;
    const int ys = TextRenderState.BlitScaleY;
    const bool inverse = (TextRenderState.TextAttributes & TextStyle::Inverse) != 0;
    const int glyphBits = cellsAcross * xs;
    const int glyphLines = std::min(cellRows * ys, bitmapRows);
    const int bitmapDots = (cellsAcross + 2) * xs;
    TLabelImage& image = LabelImage;

    const int rowFrom = std::max(0, -dstY);
    const int rowTo = std::min(h, image.Height() - dstY);
    const int colFrom = std::max(0, -dstX);
    const int colTo = std::min(w, image.Width() - dstX);
    for (int j = rowFrom; j < rowTo; ++j) {
        const int sy = srcTop + j;
        std::uint32_t* line = image.Bits() + static_cast<std::ptrdiff_t>(dstY + j) * image.Width();
        const bool glyphLine = sy >= 0 && sy < glyphLines;
        if (!inverse) {
            if (!glyphLine) continue;
            // Only ink can print: walk the glyph's bits, skipping white bytes.
            const std::uint8_t* row = RenderRow(sy / ys);
            const int from = std::max(colFrom, -srcLeft);
            const int to = std::min(colTo, glyphBits - srcLeft);
            for (int i = from; i < to; ++i) {
                const int sx = srcLeft + i;
                if ((sx & 7) == 0 && row[sx >> 3] == 0xFF && i + 8 <= to) {
                    i += 7;
                    continue;
                }
                if (!((row[sx >> 3] >> (7 - (sx & 7))) & 1)) line[dstX + i] &= Black;
            }
            continue;
        }
        // Inverted: the cell prints black and the glyph's ink leaves the image.
        if (sy < 0 || sy >= bitmapRows) continue;
        const int from = std::max(colFrom, -srcLeft);
        const int to = std::min(colTo, bitmapDots - srcLeft);
        for (int i = from; i < to; ++i) {
            const int sx = srcLeft + i;
            const bool ink = glyphLine && sx < glyphBits && !RenderBit(sy / ys, sx);
            if (!ink) line[dstX + i] &= Black;
        }
    }
}

}  // namespace

void ExpandGlyph0(GlyphRows rows, int penX, int penY)
{
    const int width = SourceWidth();
    const int height = GlyphGeometry.GlyphHeight;
    if (Refused(width)) return;
    const int k = TextRenderState.TextHMult;
    FillRows(height, width, k, [&](int r, int i) { return SourceDot(rows, r, i); });
    Emit(0, penX, penY, width, height, k, TextRenderState.TextVMult);
}

void ExpandGlyph90(GlyphRows rows, int penX, int penY)
{
    const int width = SourceWidth();
    const int height = GlyphGeometry.GlyphHeight;
    if (Refused(width)) return;
    const int k = TextRenderState.TextVMult;
    FillRows(width, height, k, [&](int r, int i) { return SourceDot(rows, height - 1 - i, r); });
    Emit(1, penX - k * (height + 2) + 1, penY, height, width, k, TextRenderState.TextHMult);
}

void ExpandGlyph180(GlyphRows rows, int penX, int penY)
{
    const int width = SourceWidth();
    const int height = GlyphGeometry.GlyphHeight;
    if (Refused(width)) return;
    const int k = TextRenderState.TextHMult;
    FillRows(height, width, k, [&](int r, int i) { return SourceDot(rows, height - 1 - r, width - 1 - i); });
    Emit(2, penX + 1 - k * (width + 2), penY - TextRenderState.TextVMult * (height + 2) + 1, width, height, k,
         TextRenderState.TextVMult);
}

void ExpandGlyph270(GlyphRows rows, int penX, int penY)
{
    const int width = SourceWidth();
    const int height = GlyphGeometry.GlyphHeight;
    if (Refused(width)) return;
    const int k = TextRenderState.TextVMult;
    FillRows(width, height, k, [&](int r, int i) { return SourceDot(rows, i, width - 1 - r); });
    Emit(3, penX, penY - TextRenderState.TextHMult * (width + 2) + 1, height, width, k, TextRenderState.TextHMult);
}

void ExpandGlyph(int rotation, GlyphRows rows, int penX, int penY)
{
    switch (rotation) {
    case 0: ExpandGlyph0(rows, penX, penY); break;
    case 1: ExpandGlyph90(rows, penX, penY); break;
    case 2: ExpandGlyph180(rows, penX, penY); break;
    case 3: ExpandGlyph270(rows, penX, penY); break;
    default: break;
    }
}

void BlitGlyphBitmap(int x, int y, int c, int d)
{
    const int xs = TextRenderState.BlitScaleX;
    const int ys = TextRenderState.BlitScaleY;
    const int bitmapRows = (d + 2 - (SoftFontSelected() ? 1 : 0)) * ys;
    const bool arabic = ArabicGlyphSet && !UseEnglishTable && !SoftFontSelected();
    if (!arabic) {
        AndBitmap(0, 0, (c + 2) * xs, bitmapRows, x, y, c, d, bitmapRows);
        return;
    }
    const int h = d + 2;
    switch (TextRenderState.BlitRotation) {
    case 0: AndBitmap(xs, ys, c * xs, h * ys, x, y, c, d, bitmapRows); break;
    case 1: AndBitmap(0, ys, c * xs, d * ys, x + xs, y, c, d, bitmapRows); break;
    case 2: AndBitmap(xs, ys, c * xs, h * ys, x + 2 * xs, y + 2 * ys, c, d, bitmapRows); break;
    case 3: AndBitmap(xs, ys, c * xs, d * ys, x, y + 2 * ys, c, d, bitmapRows); break;
    default: break;
    }
}

}  // namespace zk
