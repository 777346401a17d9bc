#include "shell/folder_combo.h"

#include <QContextMenuEvent>
#include <QStyledItemDelegate>

#include <filesystem>

#include "platform/shell_browser.h"
#include "shell/folder_menu.h"
#include "shell/shell_items.h"

namespace zk {

namespace {

constexpr int LevelRole = Qt::UserRole + 10;
constexpr int ItemTextRole = Qt::UserRole + 12;

class TFolderIndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.adjust(index.data(LevelRole).toInt() * TQorFolderCombo::Indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

// The name the shell shows for a folder; the path itself when it has none.
std::string DisplayNameOf(const std::string& path)
{
    try {
        platform::TShellBrowser browser;
        browser.SetAbsoluteItemIdList(path);
        const std::string name = browser.GetShellObjectName();
        return name.empty() ? path : name;
    } catch (const platform::EShellBrowserError&) {
        return path;
    }
}

}  // namespace

TQorFolderCombo::TQorFolderCombo(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new TFolderIndentDelegate(this));
}

int TQorFolderCombo::InsertItem(int index, const std::string& itemText, const std::string& displayName, int level)
{
    if (index < 0 || index > count()) {
        index = count();
    }
    insertItem(index, ShellIcon(itemText, true), ShellText(displayName.empty() ? itemText : displayName));
    setItemData(index, level, LevelRole);
    setItemData(index, IdToData(itemText), ItemTextRole);
    return index;
}

std::string TQorFolderCombo::ItemText(int index) const { return IdFromData(itemData(index, ItemTextRole)); }

int TQorFolderCombo::IndexOfText(const std::string& path) const
{
    for (int i = 0; i < count(); ++i) {
        if (ItemText(i) == path) {
            return i;
        }
    }
    return -1;
}

int TQorFolderCombo::AddFolder(const std::string& path, int level)
{
    if (IndexOfText(path) >= 0) {
        return -1;
    }
    // Plain folders show their path; the desktop's own folders their names.
    const bool special = platform::TShellBrowser::SpecialFolderOf(path) != platform::TQorShellFolder::SF_FILESYSTEMFOLDER;
    return AddComboItem(path, special ? DisplayNameOf(path) : path, level);
}

bool TQorFolderCombo::SelectFolder(const std::string& path)
{
    int index = IndexOfText(path);
    if (index < 0) {
        index = AddFolder(path, 0);
    }
    setCurrentIndex(index);
    return true;
}

void TQorFolderCombo::SetIncludeDrives(bool include)
{
    m_includeDrives = include;
    const std::string root = platform::TShellBrowser::SpecialFolderId(platform::TQorShellFolder::SF_DRIVES);
    const int index = IndexOfText(root);
    if (include && index < 0) {
        InsertItem(-1, root, DisplayNameOf(root), 0);
    } else if (!include && index >= 0) {
        removeItem(index);
    }
}

void TQorFolderCombo::SetIncludeMyDocuments(bool include)
{
    if (include == m_includeMyDocuments) {
        return;
    }
    m_includeMyDocuments = include;
    const std::string home = platform::HomeFolder();
    if (include) {
        InsertItem(0, home, DisplayNameOf(home), 0);
    } else if (const int index = IndexOfText(home); index >= 0) {
        removeItem(index);
    }
}

void TQorFolderCombo::contextMenuEvent(QContextMenuEvent* event)
{
    if (PopupMenu) {
        PopupMenu->exec(event->globalPos());
        return;
    }
    const std::string folder = currentIndex() >= 0 ? ItemText(currentIndex()) : std::string();
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        ShowFolderMenu(folder, event->globalPos());
    }
}

}  // namespace zk
