#pragma once
// The label's room for figures. Every command that adds figures to the
// label asks first, so the editor never builds a label that could not be
// saved and read again.

#include <cstddef>

namespace zk {

// True when the label can take added more figures without holding more
// than MaxLabelFigures; otherwise says so in an error box and is false.
bool CheckRoomForFigures(std::size_t added);

}  // namespace zk
