#include <algorithm>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/shape_figures.h"

namespace zk {

void DrawBoxFigure(int x1, int y1, int thickness, int x2, int y2)
{
    if (thickness <= 0) return;
    const int left = std::min(x1, x2) + LabelSetup.LeftMargin;
    const int right = std::max(x1, x2) + LabelSetup.LeftMargin;
    const int top = std::min(y1, y2) + LabelSetup.TopMargin;
    const int bottom = std::max(y1, y2) + LabelSetup.TopMargin;
    const int width = right - left;
    const int height = bottom - top;
    // A frame thicker than the box fills it and stays inside it.
    const int across = std::min(thickness, height);
    const int down = std::min(thickness, width);
    LabelImage.FillRect(left, top, width, across, Black);
    LabelImage.FillRect(left, bottom - across, width, across, Black);
    LabelImage.FillRect(left, top, down, height, Black);
    LabelImage.FillRect(right - down, top, down, height, Black);
}

}  // namespace zk
