#include <array>
#include <cstdlib>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/polygon_fill.h"
#include "engine/render/shape_figures.h"

namespace zk {

void DrawDiagonalLine(int x1, int y1, int x2, int y2, int thickness, int mode)
{
    const int t = thickness;
    const int h = t / 2;
    const int dx = LabelSetup.LeftMargin;
    const int dy = LabelSetup.TopMargin;
    x1 += dx;
    x2 += dx;
    y1 += dy;
    y2 += dy;
    std::array<TDot, 4> corners{};
    if (std::abs(y2 - y1) < std::abs(x2 - x1)) {
        corners = {TDot{x1, y1 - h}, TDot{x1, y1 + t - h}, TDot{x2, y2 + t - h}, TDot{x2, y2 - h}};
    } else {
        corners = {TDot{x1 - h, y1}, TDot{x1 + t - h, y1}, TDot{x2 + t - h, y2}, TDot{x2 - h, y2}};
    }
    // Inverting the dots under the polygon is what XOR-ing a black scratch
    // image carrying the polygon in white does, without the scratch image.
    const TPaint paint = mode == ShapeInverse ? TPaint::Invert : mode == ShapeWhite ? TPaint::White : TPaint::Black;
    PaintPolygon(LabelImage, corners, paint);
}

}  // namespace zk
