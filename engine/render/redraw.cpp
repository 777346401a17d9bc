#include "engine/render/redraw.h"

#include "engine/model/figure_list.h"
#include "engine/render/label_image.h"

namespace zk {

std::int32_t DrawnFigureCount = 0;
std::int32_t RedrawMode = 0;
std::function<void()> CanvasRedrawHook;

// Interim: clears the image and counts the drawable figures; the figure
// drawers fill in the rest.
void RedrawLabel(std::int32_t mode)
{
    DrawnFigureCount = 0;
    RedrawMode = mode;
    LabelImage.Clear();
    for (const TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font)) {
            ++DrawnFigureCount;
        }
    }
    if (mode == RedrawEditor && CanvasRedrawHook) {
        CanvasRedrawHook();
    }
}

}  // namespace zk
