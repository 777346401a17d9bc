#pragma once
// The keyboard order of a form. Tab follows the form as the user reads it:
// a layout's own order (rows top to bottom, each row left to right, one
// column of a side-by-side pair after the other), and for controls placed
// by hand their places, top to bottom and then left to right, group by
// group. Each showing starts in the first field, its text selected, so that
// typing goes there at once; a form without fields starts on its default
// button. A form that wants another control to start (a name to type below
// a list) gives it the focus while it shows, after this has run.
//
// Tab leaves a table or list for the next control (the arrow keys move
// between its cells), and controls kept off the form (the hidden Esc
// button) are no Tab stops.

class QWidget;

namespace zk {

// Call once, from the form's constructor.
void FollowFormOrder(QWidget& form);

}  // namespace zk
