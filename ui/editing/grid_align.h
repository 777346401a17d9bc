#pragma once
// Putting the selected figures on the grid of GridStep dots.

#include <cstdint>

namespace zk {

// Rounds both values to the nearest multiple of GridStep, halves away from
// zero, alike on both sides of zero. A grid step below 1 leaves them.
void SnapToGrid(std::int32_t& a, std::int32_t& b);

// Snaps every selected figure: its anchor (a text's base line), and with
// adjustSizes also its sizes, which never snap to nothing. Lines move only
// with adjustSizes; PDF417 figures stay.
void AlignToGrid(bool adjustSizes);

}  // namespace zk
