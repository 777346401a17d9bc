#pragma once
// Resizing one figure by dragging a handle: bar and box corners, line
// ends, the barcode edge where the bars end and the PDF417 corner opposite
// its anchor. Text and pictures have no handles. While the handle is
// dragged only ResizeRect changes; EndResize writes it back.

#include <cstdint>

namespace zk {

// Handles: 1..4 corners (x1, y1), (x2, y1), (x1, y2), (x2, y2); 5..8 the
// edges y2, x1, y1, x2.
// Looks for a handle within 4 dots of the canvas point (x, y), head first;
// the first figure with one sets ResizeHandle, ResizeFigure and ResizeRect.
// ResizeHandle stays 0 when none is near.
void FindResizeHandle(std::int32_t x, std::int32_t y);

// Moves the coordinates of ResizeRect that the handle drags.
void MoveResizeHandle(std::int32_t dx, std::int32_t dy);

// The release of a resize drag: unless CancelResize is set, ResizeRect is
// written back with each kind's minimum sizes; then the figure gets its
// selection back and the label is redrawn.
void EndResize();

}  // namespace zk
