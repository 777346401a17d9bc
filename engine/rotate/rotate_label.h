#pragma once
// Turning the whole label by 90 degrees clockwise: the label's width and
// length swap and every figure moves to its turned place.

namespace zk {

// Labels longer than this cannot turn: their length would become a width
// above the widest label.
inline constexpr int MaxRotatableLength = 608;

// Turns the label, then sizes the canvas and redraws it (the editor's
// LabelLoadedHook; without an editor the label image is resized and
// redrawn). Refused, with nothing changed: a label longer than 608 dots
// ("Can't rotate. Label too long"), a picture whose turned form no picture
// block can hold ("Can't rotate. Picture too big"), and, with a beep only,
// any time a printer exchange runs. True when the label was turned; the
// editor then scrolls back to the top left.
bool RotateLabelCW();

}  // namespace zk
