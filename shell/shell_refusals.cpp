#include "shell/shell_refusals.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <filesystem>

#include "shell/shell_items.h"

namespace zk {

bool RenameOrSayWhy(QWidget* parent, platform::TShellBrowser& renamer, const std::string& id, bool wasFolder,
                    const QString& shownName, const QString& typed)
{
    std::string name = ShellBytes(typed);
    std::string reason = "it is no longer there";
    std::error_code error;
    const bool isFolder = std::filesystem::is_directory(id, error);
    try {
        renamer.SetAbsoluteItemIdList(id);
        if (isFolder == wasFolder && renamer.RenameObject(name, &reason)) {
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

void SayWhyNoRename(QWidget* parent, const QString& shownName, const std::string& reason)
{
    QMessageBox::warning(parent, QObject::tr("Rename"),
                         QObject::tr("\"%1\" can't be renamed: %2.").arg(shownName, ShellText(reason)));
}

QString TrashRefusal(const std::string& path, const std::string& reason)
{
    return QObject::tr("\"%1\" could not be moved to the trash: %2.")
        .arg(ShellText(path), QString::fromStdString(reason));
}

QString TransferRefusal(const std::string& path, const std::string& folder, Qt::DropAction action,
                        const std::string& reason)
{
    const QString text = action == Qt::MoveAction   ? QObject::tr("\"%1\" could not be moved into \"%2\": %3.")
                         : action == Qt::LinkAction ? QObject::tr("No link to \"%1\" could be made in \"%2\": %3.")
                                                    : QObject::tr("\"%1\" could not be copied into \"%2\": %3.");
    return text.arg(ShellText(path), ShellText(folder), ShellText(reason));
}

void SayWhyNot(QWidget* parent, const QString& title, const QStringList& refusals)
{
    if (!refusals.isEmpty()) {
        QMessageBox::warning(parent, title, refusals.join('\n'));
    }
}

void SayWhyNotLater(QWidget* parent, const QString& title, const QStringList& refusals)
{
    if (refusals.isEmpty()) {
        return;
    }
    QMetaObject::invokeMethod(
        parent, [parent = QPointer<QWidget>(parent), title, refusals] { SayWhyNot(parent, title, refusals); },
        Qt::QueuedConnection);
}

}  // namespace zk
