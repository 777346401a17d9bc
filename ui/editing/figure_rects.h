#pragma once
// The rectangles of figures that the click hit test, the rubber band and
// the selection frames work with, in label dots. The three differ a little
// (text heights, frame margins); RectRule picks the set of rules.

#include <cstdint>

#include "ui/editing/editor_state.h"

namespace zk {

struct TFigure;

enum class RectRule {
    Hit,    // click hit test and resize handles
    Band,   // rubber band (taller text cells)
    Frame,  // selection frames (one dot more around barcodes, bars, pictures, boxes)
};

// The figure's rectangle, normalised. A line gives the span of its two end
// points; a soft font gives an empty rectangle at (0, 0).
TEditRect FigureRect(const TFigure& figure, RectRule rule);

// Height of the text cell of a font under the rule: resident fonts 0..5 from
// the rule's table, soft fonts (6 and up) the height of their font figure.
std::int32_t TextCellHeight(std::int32_t font, RectRule rule);

// Height of soft font number font (6 and up), read from the figure list as
// the text dialog's font list numbers the soft fonts: the (font - 6)-th
// soft-font figure in list order names a letter, and the first soft-font
// figure with that letter, compared case-insensitively, gives the height;
// 16 when there is none.
std::int32_t SoftFontHeightFromFigures(std::int32_t font);

}  // namespace zk
