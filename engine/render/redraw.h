#pragma once
// Drawing the whole label into LabelImage.

#include <cstdint>
#include <functional>

namespace zk {

enum RedrawModes : std::int32_t {
    RedrawEditor = 0,       // the editor canvas: the canvas hook runs afterwards
    RedrawDriverPrint = 1,  // printing through a system printer
    RedrawPreview = 2,      // the open-label preview
};

// Figures drawn by the last RedrawLabel (soft fonts are not counted).
extern std::int32_t DrawnFigureCount;
// The mode of the last RedrawLabel.
extern std::int32_t RedrawMode;

// Set by the editor: in mode 0, after the figures are drawn, it copies the
// image to the visible canvas and adds grid dots, margin lines and
// selection frames.
extern std::function<void()> CanvasRedrawHook;

void RedrawLabel(std::int32_t mode);

}  // namespace zk
