#include "engine/text/glyph_expand.h"

#include <algorithm>
#include <cstring>

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


// Clears bits from..to-1 of row (ink), whole bytes at once.
void InkBits(std::uint8_t* row, int from, int to)
{
    const auto one = [row](int bit) {
        row[bit >> 3] = static_cast<std::uint8_t>(row[bit >> 3] & ~(0x80u >> (bit & 7)));
    };
    int bit = from;
    for (; bit < to && (bit & 7) != 0; ++bit) one(bit);
    if (bit + 8 <= to) {
        const int bytes = (to - bit) / 8;
        std::memset(row + (bit >> 3), 0, static_cast<std::size_t>(bytes));
        bit += 8 * bytes;
    }
    for (; bit < to; ++bit) one(bit);
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
            if (dotAt(r, i)) InkBits(row, i * k, (i + 1) * k);
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

// Turns black the pixels line[i] for from <= i < to whose render bit
// srcLeft + i equals bit (0 ink, 1 white); whole bytes at a time where the
// bits allow.
void InkWhereBit(std::uint32_t* line, const std::uint8_t* row, int srcLeft, int from, int to, bool bit)
{
    int i = from;
    const auto one = [&](int at) {
        const int sx = srcLeft + at;
        if (((row[sx >> 3] >> (7 - (sx & 7))) & 1) == (bit ? 1 : 0)) line[at] &= Black;
    };
    for (; i < to && ((srcLeft + i) & 7) != 0; ++i) one(i);
    for (; i + 8 <= to; i += 8) {
        const std::uint8_t bits = row[(srcLeft + i) >> 3];
        const std::uint8_t chosen = bit ? bits : static_cast<std::uint8_t>(~bits);
        if (chosen == 0) continue;
        if (chosen == 0xFF) {
            for (int k = 0; k < 8; ++k) line[i + k] &= Black;
            continue;
        }
        for (int k = 0; k < 8; ++k) {
            if ((chosen >> (7 - k)) & 1) line[i + k] &= Black;
        }
    }
    for (; i < to; ++i) one(i);
}

void InkAll(std::uint32_t* line, int from, int to)
{
    for (int i = from; i < to; ++i) line[i] &= Black;
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
            // Only ink can print.
            const int from = std::max(colFrom, -srcLeft);
            const int to = std::min(colTo, glyphBits - srcLeft);
            InkWhereBit(line + dstX, RenderRow(sy / ys), srcLeft, from, to, false);
            continue;
        }
        // Inverted: the cell prints black and the glyph's ink leaves the image.
        if (sy < 0 || sy >= bitmapRows) continue;
        const int from = std::max(colFrom, -srcLeft);
        const int to = std::min(colTo, bitmapDots - srcLeft);
        const int glyphTo = glyphLine ? std::clamp(glyphBits - srcLeft, from, to) : from;
        InkWhereBit(line + dstX, RenderRow(glyphLine ? sy / ys : 0), srcLeft, from, glyphTo, true);
        InkAll(line + dstX, glyphTo, to);
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
