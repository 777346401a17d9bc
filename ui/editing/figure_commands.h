#pragma once
// The Edit menu's commands on the selected figures: move, copy marking,
// paste, delete and the two z-order moves. Soft-font figures are never
// moved, copied or deleted here. Coordinates that would leave the 16-bit
// fields stop at their limits.

#include <cstdint>

namespace zk {

// Adds (dx, dy) to the position (both points of lines and boxes) of every
// selected figure. The figures are redrawn by the caller.
void MoveSelected(std::int32_t dx, std::int32_t dy);

// The figure part of copying: PasteMark := 1 for every selected figure and
// 0 for the others. True when the label holds at least one figure other
// than a soft font, so that there is a label image worth copying.
bool MarkFiguresForPaste();

// Every marked figure leaves an unselected, unmarked copy of itself at the
// head of the list and moves 24 dots right and down; it keeps its mark and
// its selection, so pasting again leaves another copy. Copies of pictures
// share the picture block; copies of PDF417 figures own their text.
void PasteFigures();

// Deletes the selected figures after asking; reports when none is selected.
void DeleteSelected();

// True when exactly one figure is selected, else reports "Nothing is
// selected" or "Too many objects selected".
bool CheckSingleSelection();

// The single selected figure goes to the list's tail (drawn last, on top)
// or to its head (drawn first).
void MoveSelectedToTop();
void MoveSelectedToBottom();

}  // namespace zk
