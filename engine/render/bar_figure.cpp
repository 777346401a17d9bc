#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/shape_figures.h"

namespace zk {

void DrawBarFigure(int x, int y, int width, int height, int mode)
{
    const int left = x + LabelSetup.LeftMargin;
    const int top = y + LabelSetup.TopMargin;
    switch (mode) {
    case ShapeInverse: LabelImage.InvertRect(left, top, width, height); break;
    case ShapeWhite: LabelImage.FillRect(left, top, width, height, White); break;
    default: LabelImage.FillRect(left, top, width, height, Black); break;
    }
}

}  // namespace zk
