#pragma once
// The desktop's folder chooser for a TShellBrowser.

#include <QString>

#include "platform/shell_browser.h"

class QWidget;

namespace zk {

// Asks for a folder, starting at the top of the namespace (the home
// folder), with title as the chooser's caption. A chosen folder becomes the
// browser's folder and the result is true; cancelling gives false. The
// chooser is modal: the browser and owner must outlive it.
bool BrowseForFolder(platform::TShellBrowser& browser, const QString& title, QWidget* owner = nullptr);

}  // namespace zk
