#pragma once
// What every file dialog of the program gets beside Qt's own behaviour:
// detail columns (size, kind, date) as wide as the texts they show, so that
// none is cut to "11....KiB", and a name completion list that closes with
// the dialog.

class QFileDialog;

namespace zk {

// A dialog drawn by the desktop itself has no widgets of ours: nothing then.
void SetUpFileDialog(QFileDialog& dialog);

}  // namespace zk
