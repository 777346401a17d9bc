#include "shell/folder_menu.h"

#include <QDesktopServices>
#include <QMenu>

#include <unistd.h>

#include "shell/shell_items.h"
#include "shell/shell_operations.h"
#include "shell/shell_refusals.h"

namespace zk {

namespace {

// As the views paste: a copy beside its original takes a free name, and
// what can't go is refused with the reason.
bool Paste(const std::string& folder)
{
    QStringList refusals;
    const bool pasted = !PasteClipboardInto(folder, refusals).empty();
    SayWhyNot(nullptr, QObject::tr("Paste"), refusals);
    return pasted;
}

}  // namespace

std::string ShowFolderMenu(const std::string& folder, const QPoint& screenPoint)
{
    QMenu menu;
    menu.setObjectName("ShellContextMenu");
    const auto add = [&menu](const QString& text, const char* verb, bool enabled) {
        QAction* action = menu.addAction(text);
        action->setObjectName(verb);
        action->setEnabled(enabled);
        return action;
    };
    QAction* open = add(QObject::tr("Open"), "open", true);
    menu.setDefaultAction(open);
    menu.addSeparator();
    QAction* copy = add(QObject::tr("Copy"), "copy", true);
    QAction* paste = add(QObject::tr("Paste"), "paste",
                         !ClipboardFiles().empty() && access(folder.c_str(), W_OK) == 0);
    const QAction* chosen = menu.exec(screenPoint);
    if (chosen == open) {
        return QDesktopServices::openUrl(UrlFromPath(folder)) ? "open" : "";
    }
    if (chosen == copy) {
        SetClipboardFiles({folder}, false);
        return "copy";
    }
    if (chosen == paste) {
        return Paste(folder) ? "paste" : "";
    }
    return {};
}

}  // namespace zk
