#pragma once
// Filling a polygon into the label image. A dot belongs to the polygon when
// its centre lies inside (even-odd rule, edges through a centre count on the
// left and top only), so the result is exact and the same on every machine.

#include <span>

namespace zk {

class TLabelImage;

struct TDot {
    int X = 0;
    int Y = 0;
};

enum class TPaint {
    Black,
    White,
    Invert,  // every dot under the polygon turned black <-> white
};

// Clipped to the image; fewer than three corners or no area paints nothing.
void PaintPolygon(TLabelImage& image, std::span<const TDot> corners, TPaint paint);

}  // namespace zk
