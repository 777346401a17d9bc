#include "shell/shell_refusals.h"

#include <QMessageBox>
#include <QObject>

#include "shell/shell_items.h"

namespace zk {

bool RenameOrSayWhy(QWidget* parent, platform::TShellBrowser& renamer, const std::string& id,
                    const QString& shownName, const QString& typed)
{
    std::string name = ShellBytes(typed);
    std::string reason;
    try {
        renamer.SetAbsoluteItemIdList(id);
        if (renamer.RenameObject(name, &reason)) {
            return true;
        }
    } catch (const platform::EShellBrowserError&) {
        reason = "it is no longer there";
    }
    QMessageBox::warning(parent, QObject::tr("Rename"),
                         QObject::tr("\"%1\" can't be renamed to \"%2\": %3.")
                             .arg(shownName, typed, QString::fromStdString(reason)));
    return false;
}

QString TrashRefusal(const std::string& path, const std::string& reason)
{
    return QObject::tr("\"%1\" could not be moved to the trash: %2.")
        .arg(ShellText(path), QString::fromStdString(reason));
}

}  // namespace zk
