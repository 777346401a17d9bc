#pragma once
// Creates the seven figure dialogs for the whole run and connects them to
// the canvas: a drawing drag opens the tool's dialog, a right click the
// edit dialog of the figure under it.

class QWidget;

namespace zk {

// The dialogs become children of parent (the main window), which owns them.
void InstallFigureDialogs(QWidget* parent);

}  // namespace zk
