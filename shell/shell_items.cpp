#include "shell/shell_items.h"

#include <QApplication>
#include <QFile>
#include <QFileIconProvider>
#include <QStyle>

#include "platform/shell_browser.h"

namespace zk {

QVariant IdToData(const std::string& id) { return QByteArray::fromStdString(id); }
std::string IdFromData(const QVariant& data) { return data.toByteArray().toStdString(); }
QString ShellText(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }
std::string ShellBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

QUrl UrlFromPath(const std::string& path)
{
    return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
}

std::string PathFromUrl(const QUrl& url)
{
    if (!url.isLocalFile()) {
        return {};
    }
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

QIcon ShellIcon(const std::string& id, bool isFolder)
{
    // By kind only: asking for each file's own icon would read its type.
    // Views ask for every row they draw, so each kind is made once.
    static const QFileIconProvider provider;
    static const QIcon desktop = provider.icon(QFileIconProvider::Desktop);
    static const QIcon computer = provider.icon(QFileIconProvider::Computer);
    static const QIcon folder = provider.icon(QFileIconProvider::Folder);
    static const QIcon file = provider.icon(QFileIconProvider::File);
    if (!isFolder) {
        return file;  // no file is one of the desktop's folders
    }
    using platform::TQorShellFolder;
    switch (platform::TShellBrowser::SpecialFolderOf(id)) {
    case TQorShellFolder::SF_DESKTOP: return desktop;
    case TQorShellFolder::SF_DRIVES: return computer;
    case TQorShellFolder::SF_PERSONAL: return folder;
    default: return folder;
    }
}

QIcon ShellOpenIcon(const std::string& id)
{
    const platform::TQorShellFolder kind = platform::TShellBrowser::SpecialFolderOf(id);
    if (kind == platform::TQorShellFolder::SF_DESKTOP || kind == platform::TQorShellFolder::SF_DRIVES) {
        return ShellIcon(id, true);
    }
    return QIcon::fromTheme(QStringLiteral("folder-open"), QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
}

}  // namespace zk
