#pragma once
// The detail columns of the program's file dialogs (size, kind, date) as
// wide as the texts they show, so that none is cut to "11....KiB".

class QFileDialog;

namespace zk {

// A dialog drawn by the desktop itself has no columns of ours: nothing then.
void FitDetailColumns(QFileDialog& dialog);

}  // namespace zk
