#pragma once
// The draw-versus-edit protocol of the figure dialogs. A dialog works only
// on the template of its kind: drawing prepares the template from the drag
// and the dialog's OK appends a copy of it; editing loads the figure into
// the template first and copies the template back afterwards. A cancelled
// dialog leaves the template as it was loaded, so the copy back changes
// nothing.

#include <cstdint>

#include "ui/editing/editor_state.h"

namespace zk {

struct TFigure;

// 1: a figure dialog's OK appends its template as a new figure; 0 while an
// existing figure's dialog is open.
extern std::uint8_t AddNewFigure;
// 0 from a dialog's preparation until its OK sets it to 1.
extern std::uint8_t DialogAccepted;

// Runs the dialog of a drawing tool (0 text, 1 barcode, 2 bar, 3 line,
// 4 box, 5 picture, 7 PDF417) for a drag from start to end in label dots.
// Other tools, or a dialog that does not exist, do nothing.
void DrawFigureWithDialog(std::uint8_t tool, TPoint start, TPoint end);

// Runs the edit dialog of a figure; true when it was accepted, the figure
// then holds the new values and the label has been redrawn. Soft fonts
// have no dialog.
bool EditFigureWithDialog(TFigure& figure);

// Program-start values of the two globals.
void ResetDialogProtocol();

}  // namespace zk
