#include "shell/shell_combo.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "shell/folder_menu.h"
#include "shell/shell_items.h"

namespace zk {

using platform::TQorShellFolder;
using platform::TShellBrowser;

namespace {

constexpr int LevelRole = Qt::UserRole + 10;
constexpr int PersistentRole = Qt::UserRole + 11;
constexpr int ItemTextRole = Qt::UserRole + 12;
constexpr int OpenIconRole = Qt::UserRole + 13;

// Indents the drop-down list's entries by their level; the edit part shows
// the current entry without indentation.
class TIndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.adjust(index.data(LevelRole).toInt() * TQorShellCombo::Indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(index.data(LevelRole).toInt() * TQorShellCombo::Indent, 0);
    }
};

// Whether id lies in the folder base (the desktop holds everything).
bool IsWithin(const std::string& id, const std::string& base)
{
    if (base.empty()) {
        return true;
    }
    return id == base || (id.size() > base.size() && id.starts_with(base) && (base == "/" || id[base.size()] == '/'));
}

std::string Normalised(const std::string& path)
{
    std::error_code error;
    std::string text = std::filesystem::absolute(path, error).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

class TQuiet {
public:
    explicit TQuiet(int& counter) : m_counter(counter) { ++m_counter; }
    ~TQuiet() { --m_counter; }
    TQuiet(const TQuiet&) = delete;
    TQuiet& operator=(const TQuiet&) = delete;

private:
    int& m_counter;
};

}  // namespace

TQorShellCombo::TQorShellCombo(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new TIndentDelegate(this));
    setMaxVisibleItems(16);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    connect(this, &QComboBox::currentIndexChanged, this, &TQorShellCombo::ShowOpenIcon);
    connect(this, &QComboBox::currentIndexChanged, this, &TQorShellCombo::Change);
    Build();
}

TQorShellCombo::~TQorShellCombo()
{
    disconnect(this, nullptr, this, nullptr);
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
}

void TQorShellCombo::SetShellLink(TQorShellLink* link)
{
    if (link == m_link) {
        return;
    }
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
    m_link = link;
    if (m_link) {
        m_link->RegisterShellControl(this);
    }
}

void TQorShellCombo::SetFileSystemOnly(bool only)
{
    m_browser.FileSystemOnly = only;
    const std::string shown = currentIndex() >= 0 ? Entry(currentIndex()).IdList : std::string();
    Build();
    QORPathChanged(shown);
}

void TQorShellCombo::Build()
{
    const TQuiet quiet(m_quiet);
    clear();
    InsertItem(0, {TShellBrowser::GetDesktopName(), TShellBrowser::GetDesktopName(), 0, true, platform::DesktopId});
    m_browser.BrowseSpecialFolder(TQorShellFolder::SF_DESKTOP);
    AddToComboList(1, 1);
    // The file system's top folders below the file system's own entry.
    for (int i = 0; i < count(); ++i) {
        if (Entry(i).IdList == "/") {
            m_browser.SetFolderIdList("/");
            AddToComboList(2, i + 1);
            break;
        }
    }
    SelectQuietly(count() > 1 ? 1 : 0);
}

void TQorShellCombo::InsertItem(int index, TQorComboItem item)
{
    if (item.ItemText.empty()) {
        item.ItemText = item.DisplayName;
    }
    if (item.ItemText.empty()) {
        return;
    }
    if (item.DisplayName.empty()) {
        item.DisplayName = item.ItemText;
    }
    const TQuiet quiet(m_quiet);
    if (index < 0 || index > count()) {
        index = count();
    }
    insertItem(index, ShellIcon(item.IdList, true), ShellText(item.DisplayName));
    setItemData(index, IdToData(item.IdList), ShellIdRole);
    setItemData(index, item.Level, LevelRole);
    setItemData(index, item.Persistent, PersistentRole);
    setItemData(index, IdToData(item.ItemText), ItemTextRole);
}

void TQorShellCombo::AddFolder(const std::string& path, int level, bool persistent)
{
    for (int i = 0; i < count(); ++i) {
        if (Entry(i).ItemText == path) {
            return;
        }
    }
    std::string name = path;
    try {
        platform::TShellBrowser browser;
        browser.SetAbsoluteItemIdList(Normalised(path));
        name = browser.GetShellObjectName();
    } catch (const platform::EShellBrowserError&) {
        // No display name: the path stands for itself.
    }
    AddShellItem({path, name, level, persistent, Normalised(path)});
}

void TQorShellCombo::DeleteItem(int index)
{
    const TQuiet quiet(m_quiet);
    removeItem(index);
}

void TQorShellCombo::DeleteNonPersistentFolders(int index)
{
    const TQuiet quiet(m_quiet);
    for (int i = count() - 1; i > index; --i) {
        if (!itemData(i, PersistentRole).toBool()) {
            removeItem(i);
        }
    }
}

TQorComboItem TQorShellCombo::Entry(int index) const
{
    if (index < 0 || index >= count()) {
        return {};
    }
    return {IdFromData(itemData(index, ItemTextRole)), ShellBytes(itemText(index)), itemData(index, LevelRole).toInt(),
            itemData(index, PersistentRole).toBool(), IdFromData(itemData(index, ShellIdRole))};
}

void TQorShellCombo::AddToComboList(int level, int index)
{
    std::vector<TQorComboItem> folders;
    while (m_browser.Next()) {
        if (m_browser.IsFolder()) {
            folders.push_back({m_browser.ObjectName(), m_browser.GetShellObjectName(), level, true, m_browser.ItemIdList()});
        }
    }
    if (!m_browser.FolderIdList().empty()) {
        std::stable_sort(folders.begin(), folders.end(), [this](const TQorComboItem& a, const TQorComboItem& b) {
            return m_browser.CompareIDs(0, a.IdList, b.IdList) < 0;
        });
    }
    for (TQorComboItem& folder : folders) {
        InsertItem(index++, std::move(folder));
    }
}

void TQorShellCombo::AddPathToCombo(const std::string& path)
{
    const TQuiet quiet(m_quiet);
    DeleteNonPersistentFolders(-1);
    if (count() == 0) {
        return;
    }
    const std::string id = path.empty() ? std::string() : Normalised(path);
    std::error_code error;
    if (!id.empty() && !std::filesystem::is_directory(id, error)) {
        return;
    }
    // The deepest entry holding the folder; the desktop holds them all.
    int base = 0;
    for (int i = 0; i < count(); ++i) {
        const std::string entry = Entry(i).IdList;
        if (IsWithin(id, entry) && entry.size() >= Entry(base).IdList.size()) {
            base = i;
        }
    }
    const std::string baseId = Entry(base).IdList;
    int level = Entry(base).Level + 1;
    int position = base + 1;
    std::string rest = id.substr(std::min(baseId.size(), id.size()));
    std::string walked = baseId == "/" ? std::string() : baseId;
    while (!rest.empty()) {
        if (rest.front() == '/') {
            rest.erase(0, 1);
            continue;
        }
        const std::size_t slash = rest.find('/');
        const std::string part = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
        walked += "/" + part;
        InsertItem(position, {part, part, level, false, walked});
        base = position++;
        ++level;
    }
    SelectQuietly(base);
}

void TQorShellCombo::QORPathChanged(const std::string& folderId) { AddPathToCombo(folderId); }

void TQorShellCombo::SelectQuietly(int index)
{
    const TQuiet quiet(m_quiet);
    setCurrentIndex(index);
}

void TQorShellCombo::SetItemIndex(int index)
{
    if (index == currentIndex()) {
        return;
    }
    SelectQuietly(index);
    if (m_link && index >= 0) {
        m_link->PathChanged(this, Entry(index).IdList);
    }
}

void TQorShellCombo::Change(int index)
{
    // Only a choice made by the user; the combo's own changes are quiet.
    if (m_quiet > 0 || index < 0) {
        return;
    }
    const std::string id = Entry(index).IdList;
    DeleteNonPersistentFolders(index);
    if (m_link) {
        m_link->PathChanged(this, id);
    }
}

void TQorShellCombo::ShowOpenIcon(int index)
{
    for (int i = 0; i < count(); ++i) {
        if (itemData(i, OpenIconRole).toBool()) {
            setItemIcon(i, ShellIcon(Entry(i).IdList, true));
            setItemData(i, false, OpenIconRole);
        }
    }
    if (index >= 0 && index < count()) {
        setItemIcon(index, ShellOpenIcon(Entry(index).IdList));
        setItemData(index, true, OpenIconRole);
    }
}

void TQorShellCombo::contextMenuEvent(QContextMenuEvent* event)
{
    if (PopupMenu) {
        PopupMenu->exec(event->globalPos());
        return;
    }
    const std::string folder = Entry(currentIndex()).IdList;
    if (folder.empty()) {
        return;
    }
    const QPointer<TQorShellCombo> self(this);
    const std::string verb = ShowFolderMenu(folder, event->globalPos());
    // The combo may have gone while the menu was up.
    if (self && verb == "paste" && m_link) {
        m_link->SmartRefresh(this);
    }
}

}  // namespace zk
