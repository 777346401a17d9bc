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
    static const QFileIconProvider provider;
    using platform::TQorShellFolder;
    switch (platform::TShellBrowser::SpecialFolderOf(id)) {
    case TQorShellFolder::SF_DESKTOP: return provider.icon(QFileIconProvider::Desktop);
    case TQorShellFolder::SF_DRIVES: return provider.icon(QFileIconProvider::Computer);
    case TQorShellFolder::SF_PERSONAL: return provider.icon(QFileIconProvider::Folder);
    default: return provider.icon(isFolder ? QFileIconProvider::Folder : QFileIconProvider::File);
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
