#pragma once
// Selecting figures on the canvas: the click hit test, click and
// Shift-click selection, the rubber band, select all and unselect, and the
// red frames that show the selection. Soft-font figures are never hit,
// framed or selected here.

#include <cstdint>
#include <vector>

#include "ui/editing/editor_state.h"

namespace zk {

struct TFigure;
class TLabelImage;

// Whether a figure contains the label dot p under the click rules (edges
// included; a box only on its outline band, a line within its tolerance).
bool FigureContains(const TFigure& figure, TPoint p);

// Marks the first figure, head first, that contains the canvas point
// (x, y) with the hit mark; HitCount := 1 and result 1, else 0.
int HitTestFigures(std::int32_t x, std::int32_t y);

// A click at canvas point (x, y). Without add, a click on a selected figure
// keeps the whole selection (ready to be moved) and any other click selects
// only the figure hit, or nothing. With add, the figure hit joins the
// selection. Every figure's flags end as the selection bit alone.
void ClickSelect(std::int32_t x, std::int32_t y, bool add);

// Adds to the selection every figure with a corner (a line: an end point)
// inside BandRect, in canvas pixels.
void SelectInBand();

void SelectAllFigures();
void UnselectAll();

// One selection frame in canvas pixels: a four-sided path through the
// corners, or for a line figure one line from (x1, y1) to (x2, y2).
struct TSelectionFrame {
    bool IsLine = false;
    TResizeRect Shape;
    friend bool operator==(const TSelectionFrame&, const TSelectionFrame&) = default;
};

// The frames of the selected figures, in list order.
std::vector<TSelectionFrame> SelectionFrames();

// XORs the frames onto image; drawing them twice removes them.
void XorSelectionFrames(TLabelImage& image);

// With refresh, first has the canvas refreshed from the off-screen image;
// then XORs the frames onto the canvas (EditingHooks.Label, when set).
void DrawSelectionFrames(bool refresh);

}  // namespace zk
