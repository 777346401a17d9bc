#pragma once
// What the tree and the list tell the user when a command on an object
// can't be done: the same words, and the same care about what is held
// while the message is shown.

#include <QString>
#include <QStringList>
#include <Qt>

#include <string>

#include "platform/shell_browser.h"

class QWidget;

namespace zk {

// Renames the object id, a folder or not as wasFolder says it was when its
// edit began, to the name typed (shown as shownName). An object of that
// name of the other kind is another one: the edited one is no longer there.
// When the rename can't be done, a message box over parent says why, and
// nothing of the caller's views may be used after it (events run while it
// is shown). True when renamed; renamer then stands on the object under
// its new name.
bool RenameOrSayWhy(QWidget* parent, platform::TShellBrowser& renamer, const std::string& id, bool wasFolder,
                    const QString& shownName, const QString& typed);

// Says why the object shown as shownName can't be renamed, before any
// name is typed; events run while the message is shown.
void SayWhyNoRename(QWidget* parent, const QString& shownName, const std::string& reason);

// One line saying that path could not be moved to the trash, and why.
QString TrashRefusal(const std::string& path, const std::string& reason);
// One line saying that path could not be copied, moved or linked into folder, and why.
QString TransferRefusal(const std::string& path, const std::string& folder, Qt::DropAction action,
                        const std::string& reason);

// Shows the lines, when there are any, in one message box over parent;
// events run while it is shown. Later: from the event loop, once the
// caller has returned (a drop is answered first), unless parent went.
void SayWhyNot(QWidget* parent, const QString& title, const QStringList& refusals);
void SayWhyNotLater(QWidget* parent, const QString& title, const QStringList& refusals);

}  // namespace zk
