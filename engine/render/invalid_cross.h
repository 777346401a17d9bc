#pragma once
// The red cross that marks a figure whose data could not be encoded.

namespace zk {

// Lines (x1, y1)-(x2, y2) and (x1, y2)-(x2, y1) in red, 3 dots wide, into
// the label image (image coordinates, clipped).
void DrawInvalidCross(int x1, int y1, int x2, int y2);

}  // namespace zk
