#pragma once
// The context menu of a folder that a combo box shows: open it in the
// desktop's file manager, copy it to the clipboard, or paste the
// clipboard's files into it.

#include <QPoint>

#include <string>

namespace zk {

// Shows the menu for folder (a path) at a screen point and carries out the
// chosen verb. Returns the verb ("open", "copy", "paste") when it was
// carried out, else empty. The menu belongs to no window, so the caller may
// go while it is shown; the caller holds nothing else across it.
std::string ShowFolderMenu(const std::string& folder, const QPoint& screenPoint);

}  // namespace zk
