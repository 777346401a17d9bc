#pragma once
// The mouse on the label canvas, apart from the window system: a press
// starts a drawing drag, a move of the selection, a resize or a rubber
// band; moves draw XOR feedback on EditingHooks.Label; the release applies
// the drag. The canvas widget forwards its mouse events here and keeps the
// cursors and the position display itself. Points are canvas pixels.

#include <cstdint>

namespace zk {

enum class TMouseButton { Left, Right, Middle };

void EditorMouseDown(TMouseButton button, bool shift, std::int32_t x, std::int32_t y);
void EditorMouseMove(std::int32_t x, std::int32_t y);
// With a drawing tool whose drag began here, runs EditingHooks.DrawFigure;
// the tool then returns to selection, whatever the release was.
void EditorMouseUp(std::int32_t x, std::int32_t y);

// A drawing, move, resize or rubber-band drag is under way.
bool MouseOperationInProgress();
// Ends the drag under way without applying it and forgets the figure it
// held; the tool goes back to selection, so the release that follows does
// nothing. For whatever replaces the label under the mouse: the drag's
// feedback goes with the old picture.
void EndMouseOperation();

// Right click: the dialog of the first figure hit at (x, y), through
// EditingHooks.EditFigure; the selection does not change.
void EditFigureAt(std::int32_t x, std::int32_t y);

}  // namespace zk
