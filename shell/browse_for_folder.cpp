#include "shell/browse_for_folder.h"

#include <QFileDialog>

#include "shell/shell_items.h"

namespace zk {

bool BrowseForFolder(platform::TShellBrowser& browser, const QString& title, QWidget* owner)
{
    // As a URL, so that a folder whose name is no UTF-8 keeps its bytes.
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(owner, title, UrlFromPath(platform::HomeFolder()),
                                                             QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
    const std::string folder = PathFromUrl(chosen);
    if (folder.empty()) {
        return false;
    }
    try {
        browser.SetDirectory(folder);
    } catch (const platform::EShellBrowserError&) {
        return false;  // gone since it was chosen
    }
    return true;
}

}  // namespace zk
