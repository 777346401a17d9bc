#pragma once
// What the tree and the list share about their items: identifiers carried
// in item data as the file system's own bytes, and the desktop's icons
// standing in for the system image list.

#include <QIcon>
#include <QString>
#include <QUrl>

#include <string>

namespace zk {

// Item data roles of both views.
inline constexpr int ShellIdRole = Qt::UserRole;          // QByteArray: the object's identifier
inline constexpr int ShellIsFolderRole = Qt::UserRole + 1;  // bool
inline constexpr int ShellRefreshedRole = Qt::UserRole + 2;  // int mark of the running refresh
inline constexpr int ShellIsParentRole = Qt::UserRole + 3;   // bool: the list's " .. " item
inline constexpr int ShellCutRole = Qt::UserRole + 4;        // bool: cut to the clipboard, drawn dimmed

QVariant IdToData(const std::string& id);
std::string IdFromData(const QVariant& data);
QString ShellText(const std::string& text);  // file-system bytes to display text
std::string ShellBytes(const QString& text);
// A path as a file URL and back, byte for byte: bytes that are no UTF-8
// stay percent-encoded in the URL. Empty for a URL of no local file.
QUrl UrlFromPath(const std::string& path);
std::string PathFromUrl(const QUrl& url);

// The icon of an object: desktop, file-system root, home, folder or file.
QIcon ShellIcon(const std::string& id, bool isFolder);
// The icon of a folder shown open, as the selected entry of a combo box
// shows it; the desktop and the root have no open form.
QIcon ShellOpenIcon(const std::string& id);

}  // namespace zk
