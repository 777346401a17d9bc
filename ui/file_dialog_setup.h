#pragma once
// What every file dialog of the program gets beside Qt's own behaviour:
// detail columns (size, kind, date) as wide as the texts they show and
// within the view, so that none is cut to "11....KiB" or past the view's
// edge, and a name completion list that goes when Enter takes the typed
// name, whether that closes the dialog or opens a folder.

class QFileDialog;

namespace zk {

// A dialog drawn by the desktop itself has no widgets of ours: nothing then.
void SetUpFileDialog(QFileDialog& dialog);

}  // namespace zk
