#pragma once
// Turning one glyph into rows of the glyph render buffer at the text's
// multipliers and rotation, and combining them with the label image.

#include "engine/text/glyph_lookup.h"

namespace zk {

// Widest and tallest extent a glyph may have once multiplied; larger
// glyphs are not drawn.
inline constexpr int MaxGlyphExtent = 508;

void ExpandGlyph0(GlyphRows rows, int penX, int penY);
void ExpandGlyph90(GlyphRows rows, int penX, int penY);
void ExpandGlyph180(GlyphRows rows, int penX, int penY);
void ExpandGlyph270(GlyphRows rows, int penX, int penY);
// The expander of rotation 0..3.
void ExpandGlyph(int rotation, GlyphRows rows, int penX, int penY);

// ANDs the glyph in the render buffer (cellsAcross source cells per output
// row, cellRows output rows, scaled by BlitScaleX and BlitScaleY) with one
// white margin cell right and below onto LabelImage at (x, y); inverse
// text inverts the whole cell; the Arabic set blits its sub-rectangle.
void BlitGlyphBitmap(int x, int y, int cellsAcross, int cellRows);

}  // namespace zk
