#include "shell/shell_tree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "shell/rename_delegate.h"
#include "shell/shell_collation.h"
#include "shell/shell_items.h"

namespace zk {

using platform::EShellBrowserError;
using platform::TQorShellFolder;
using platform::TShellBrowser;

namespace {

// Whether the object id lies in or is the folder base.
bool IsUnder(const std::string& id, const std::string& base)
{
    if (base.empty()) {
        return true;
    }
    if (base == "/") {
        return id.starts_with('/');
    }
    return id == base || (id.size() > base.size() && id.starts_with(base) && id[base.size()] == '/');
}

// Set on a folder node whose subfolders are not known: its expand button is
// a guess until the node is drawn. Beyond the roles shell_items.h shares.
constexpr int SubFoldersUnknownRole = Qt::UserRole + 100;

std::string NormalisedPath(const std::string& path)
{
    std::error_code error;
    std::string text = std::filesystem::absolute(path, error).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

}  // namespace

TQorShellTree::TQorShellTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_changeTimer.setSingleShot(true);
    m_changeTimer.setInterval(ClickHandOverMs);
    connect(&m_changeTimer, &QTimer::timeout, this, [this] { ReportSelection(currentItem()); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        const bool filled = node->childCount() > 0;
        Expand(node);
        if (filled) {
            // Changes while it was folded away were not watched.
            RefreshNode(node, false);
        }
        Watch(node);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, &TQorShellTree::Collapsed);
    auto* names = new TRenameDelegate(this);
    names->OnEdited = [this](const QPersistentModelIndex& index, const QString& text) { RenameEdited(index, text); };
    // A node kept for its editor although its folder went or changed is
    // refreshed away; not from within the view's own closing of the editor.
    connect(names, &QAbstractItemDelegate::closeEditor, this, [this] {
        QTimer::singleShot(0, this, [this] {
            QTreeWidgetItem* edited = m_edited.isValid() ? itemFromIndex(m_edited) : nullptr;
            if (std::exchange(m_editedNodeKept, false) && edited != nullptr && !Editing()) {
                RefreshNode(edited->parent(), false);
            }
        });
    });
    setItemDelegate(names);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(AUTOEXPAND_DELAY_MS);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] {
        if (m_dropNode != nullptr) {
            m_dropNode->setExpanded(true);
        }
    });
    SetOleDragDrop(true);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { Change(current); });
    SetRootedAt(TQorShellFolder::SF_DESKTOP);
}

void TQorShellTree::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTreeWidget::scrollTo(index, hint);
    if (!index.isValid()) {
        return;
    }
    // The row starts after its indentation; its icon and name take what the
    // delegate asks for. The name's end shows when it fits the pane, else
    // its start.
    // A column sized to its names takes the widest one, and the bar its
    // range, first: both are otherwise put off to a later turn.
    executeDelayedItemsLayout();
    if (header()->sectionResizeMode(0) == QHeaderView::ResizeToContents) {
        header()->resizeSections(QHeaderView::ResizeToContents);
    }
    updateGeometries();
    const QRect row = visualRect(index);
    const int end = row.left() + sizeHintForIndex(index).width();
    const int overflow = end - viewport()->width();
    QScrollBar* bar = horizontalScrollBar();
    if (row.left() < 0) {
        bar->setValue(bar->value() + row.left());
    } else if (overflow > 0) {
        bar->setValue(bar->value() + std::min(overflow, row.left()));
    }
}

TQorShellTree::~TQorShellTree()
{
    // The items go with the base class, after this part: their removal must
    // not reach the handlers here.
    disconnect(this, nullptr, this, nullptr);
    m_changeTimer.stop();
    m_hoverTimer.stop();
    m_monitors.clear();
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
}

void TQorShellTree::SetShellLink(TQorShellLink* link)
{
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
    m_link = link;
    if (m_link) {
        m_link->RegisterShellControl(this);
    }
}

std::string TQorShellTree::NodeId(const QTreeWidgetItem* node)
{
    return node != nullptr ? IdFromData(node->data(0, ShellIdRole)) : std::string();
}

std::string TQorShellTree::GetFullPath(QTreeWidgetItem* node) const { return NodeId(node); }

QTreeWidgetItem* TQorShellTree::GetRootNode(QTreeWidgetItem* node) const
{
    while (node != nullptr && node->parent() != nullptr) {
        node = node->parent();
    }
    return node;
}

void TQorShellTree::SetRootedAt(TQorShellFolder folder)
{
    m_rootedAt = folder;
    std::string id;
    if (folder == TQorShellFolder::SF_FILESYSTEMFOLDER) {
        id = m_rootedAtFileSystemFolder;
    } else {
        id = TShellBrowser::SpecialFolderId(folder);
        m_rootedAtFileSystemFolder.clear();
    }
    m_changeTimer.stop();
    m_monitors.clear();
    SetDropNode(nullptr);
    clear();
    auto root = std::make_unique<QTreeWidgetItem>();
    if (id.empty()) {
        root->setText(0, ShellText(TShellBrowser::GetDesktopName()));
    } else {
        m_browser.SetAbsoluteItemIdList(id);
        root->setText(0, ShellText(m_browser.GetShellObjectName()));
    }
    root->setIcon(0, ShellIcon(id, true));
    root->setData(0, ShellIdRole, IdToData(id));
    root->setData(0, ShellIsFolderRole, true);
    root->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    QTreeWidgetItem* node = root.release();
    addTopLevelItem(node);
    node->setExpanded(true);
    setCurrentItem(node);
}

void TQorShellTree::SetRootedAtFileSystemFolder(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        return;
    }
    m_rootedAtFileSystemFolder = NormalisedPath(path);
    SetRootedAt(TQorShellFolder::SF_FILESYSTEMFOLDER);
}

std::unique_ptr<QTreeWidgetItem> TQorShellTree::AddItem()
{
    if (!m_showHidden && m_browser.IsHidden()) {
        return nullptr;
    }
    auto node = std::make_unique<QTreeWidgetItem>();
    const std::string id = m_browser.ItemIdList();
    const bool isFolder = m_browser.IsFolder();
    node->setText(0, ShellText(m_browser.GetShellObjectName()));
    node->setIcon(0, ShellIcon(id, isFolder));
    node->setData(0, ShellIdRole, IdToData(id));
    node->setData(0, ShellIsFolderRole, isFolder);
    node->setData(0, ShellRefreshedRole, 1);
    // Looking into every folder here would read a whole level of the disk
    // at once: a folder gets its button, checked when it is drawn.
    if (isFolder && !m_showFiles) {
        node->setData(0, SubFoldersUnknownRole, true);
    }
    node->setChildIndicatorPolicy(isFolder ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
    return node;
}

void TQorShellTree::Expand(QTreeWidgetItem* node)
{
    if (node == nullptr || node->childCount() > 0) {
        return;
    }
    const std::string id = NodeId(node);
    std::vector<std::string> ids;
    QList<QTreeWidgetItem*> children;
    try {
        m_browser.SetFolderIdList(id);
        while (m_browser.Next()) {
            if (m_showFiles || m_browser.IsFolder()) {
                if (std::unique_ptr<QTreeWidgetItem> child = AddItem()) {
                    children.append(child.release());
                }
            }
        }
    } catch (const EShellBrowserError&) {
        // The folder has gone; its parent's monitor removes the node.
    }
    std::stable_sort(children.begin(), children.end(), [this](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return CompareShellIDs(m_browser, 0, NodeId(a), NodeId(b)) < 0;
    });
    node->addChildren(children);
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TQorShellTree::Watch(QTreeWidgetItem* node)
{
    const std::string id = NodeId(node);
    if (!id.empty() && !m_monitors.contains(node)) {
        auto monitor = std::make_unique<TDirMon>();
        monitor->Nested = false;
        TDirMonType filter{TDirMonValue::dmcDirName};
        if (m_showFiles) {
            filter.insert(TDirMonValue::dmcFileName);
        }
        monitor->SetNotifyFilter(filter);
        monitor->OnDirChange = [this, node](TDirMon&) { RefreshNode(node, false); };
        monitor->SuspendWhileHidden(this);
        monitor->SetDirectory(id);
        m_monitors.emplace(node, std::move(monitor));
    }
    // Expanded children come back into view with their parent.
    for (int i = 0; i < node->childCount(); ++i) {
        if (QTreeWidgetItem* child = node->child(i); child->isExpanded()) {
            RefreshNode(child, false);
            Watch(child);
        }
    }
}

void TQorShellTree::Collapsed(QTreeWidgetItem* node) { ForgetMonitors(node); }

int TQorShellTree::SortedPosition(QTreeWidgetItem* parent, const std::string& id)
{
    int position = 0;
    while (position < parent->childCount() && CompareShellIDs(m_browser, 0, NodeId(parent->child(position)), id) <= 0) {
        ++position;
    }
    return position;
}

void TQorShellTree::ForgetMonitors(QTreeWidgetItem* node)
{
    m_monitors.erase(node);
    for (int i = 0; i < node->childCount(); ++i) {
        ForgetMonitors(node->child(i));
    }
}

void TQorShellTree::DeleteNode(QTreeWidgetItem* node)
{
    ForgetMonitors(node);
    const auto within = [node](const QTreeWidgetItem* item) {
        while (item != nullptr && item != node) {
            item = item->parent();
        }
        return item != nullptr;
    };
    if (within(m_dropNode)) {
        SetDropNode(nullptr);
    }
    // A selected folder that goes leaves the selection on the nearest one
    // still there, its parent, not on a neighbour the user never chose;
    // a linked list follows at once.
    if (within(currentItem()) && node->parent() != nullptr) {
        m_sendSelectionNow = true;
        setCurrentItem(node->parent());
    }
    delete node;
}

bool TQorShellTree::Editing() const { return m_edited.isValid() && indexWidget(m_edited) != nullptr; }

bool TQorShellTree::IsEdited(const QTreeWidgetItem* node) const
{
    return Editing() && itemFromIndex(m_edited) == node;
}

void TQorShellTree::RefreshNode(QTreeWidgetItem* node, bool recursive)
{
    if (node == nullptr) {
        return;
    }
    try {
        m_browser.SetFolderIdList(NodeId(node));
    } catch (const EShellBrowserError&) {
        return;  // gone: the parent's refresh takes the node away
    }
    std::unordered_map<std::string, QTreeWidgetItem*> children;
    for (int i = 0; i < node->childCount(); ++i) {
        children.emplace(NodeId(node->child(i)), node->child(i));
    }
    std::unordered_set<QTreeWidgetItem*> found;
    while (m_browser.Next()) {
        if (!m_showFiles && !m_browser.IsFolder()) {
            continue;
        }
        const std::string id = m_browser.ItemIdList();
        auto child = children.find(id);
        bool wasCurrent = false;
        if (child != children.end() && child->second->data(0, ShellIsFolderRole).toBool() != m_browser.IsFolder()) {
            // An object replaced by one of the other kind is a new node,
            // once its name is no longer being edited.
            if (IsEdited(child->second)) {
                m_editedNodeKept = true;
                found.insert(child->second);
                continue;
            }
            wasCurrent = currentItem() == child->second;
            DeleteNode(child->second);
            children.erase(child);
            child = children.end();
        }
        if (child == children.end()) {
            if (std::unique_ptr<QTreeWidgetItem> added = AddItem()) {
                QTreeWidgetItem* addedNode = added.get();
                found.insert(addedNode);
                node->insertChild(SortedPosition(node, id), added.release());
                if (wasCurrent) {
                    setCurrentItem(addedNode);
                }
            }
            continue;
        }
        QTreeWidgetItem* existing = child->second;
        found.insert(existing);
        if (existing->childCount() > 0) {
            continue;  // filled: its own monitor follows it
        }
        if (m_showFiles) {
            existing->setChildIndicatorPolicy(m_browser.IsFolder() ? QTreeWidgetItem::ShowIndicator
                                                                   : QTreeWidgetItem::DontShowIndicator);
        } else if (!existing->data(0, SubFoldersUnknownRole).toBool()) {
            existing->setData(0, SubFoldersUnknownRole, true);  // checked again when drawn
        }
    }
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = node->child(i);
        if (found.contains(child)) {
            continue;
        }
        // The typed name is not lost: the node goes once the edit is over.
        if (IsEdited(child)) {
            m_editedNodeKept = true;
            continue;
        }
        DeleteNode(child);
    }
    if (recursive) {
        for (int i = 0; i < node->childCount(); ++i) {
            if (node->child(i)->isExpanded()) {
                RefreshNode(node->child(i), true);
            }
        }
    }
}

void TQorShellTree::paintEvent(QPaintEvent* event)
{
    ProbeDrawnNodes();
    QTreeWidget::paintEvent(event);
}

void TQorShellTree::ProbeDrawnNodes()
{
    const QRect area = viewport()->rect();
    for (QModelIndex index = indexAt(area.topLeft()); index.isValid() && visualRect(index).top() <= area.bottom();
         index = indexBelow(index)) {
        QTreeWidgetItem* node = itemFromIndex(index);
        if (node == nullptr || !node->data(0, SubFoldersUnknownRole).toBool()) {
            continue;
        }
        node->setData(0, SubFoldersUnknownRole, QVariant());
        if (node->childCount() > 0) {
            continue;
        }
        bool hasSubFolders = false;
        try {
            m_probe.SetAbsoluteItemIdList(NodeId(node));
            hasSubFolders = m_probe.HasSubFolders();
        } catch (const EShellBrowserError&) {
            // Gone: its parent's monitor takes the node away.
        }
        node->setChildIndicatorPolicy(hasSubFolders ? QTreeWidgetItem::ShowIndicator
                                                    : QTreeWidgetItem::DontShowIndicator);
    }
}

void TQorShellTree::Refresh()
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->childCount() > 0) {
            RefreshNode(topLevelItem(i), true);
        }
    }
}

void TQorShellTree::SmartRefresh()
{
    QTreeWidgetItem* node = currentItem();
    if (node == nullptr || !(node->isExpanded() || node->childCount() > 0)) {
        return;
    }
    RefreshNode(node->text(0).isEmpty() && node->parent() != nullptr ? node->parent() : node, true);
    // Objects cut here and pasted elsewhere leave their folders. A refresh
    // may take other nodes away, so the folders are held by index.
    std::vector<QPersistentModelIndex> folders;
    for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
        if ((*it)->data(0, ShellCutRole).toBool() && (*it)->parent() != nullptr) {
            folders.emplace_back(indexFromItem((*it)->parent()));
        }
    }
    for (const QPersistentModelIndex& folder : folders) {
        if (folder.isValid()) {
            RefreshNode(itemFromIndex(folder), true);
        }
    }
}

bool TQorShellTree::GotoFolderIdList(const std::string& id, bool refreshOnly)
{
    QTreeWidgetItem* item = nullptr;
    bool reached = false;
    for (int r = 0; r < topLevelItemCount() && !reached; ++r) {
        QTreeWidgetItem* root = topLevelItem(r);
        if (!IsUnder(id, NodeId(root))) {
            continue;
        }
        item = root;
        while (NodeId(item) != id) {
            if (!refreshOnly) {
                // Expanding fills the node and watches it.
                if (item->isExpanded()) {
                    Expand(item);
                } else {
                    item->setExpanded(true);
                }
            }
            // The child holding the target; of the desktop's overlapping
            // folders (home within the root) the deeper one.
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount(); ++i) {
                QTreeWidgetItem* child = item->child(i);
                if (IsUnder(id, NodeId(child)) && (next == nullptr || NodeId(child).size() > NodeId(next).size())) {
                    next = child;
                }
            }
            if (next == nullptr) {
                break;
            }
            item = next;
        }
        reached = NodeId(item) == id;
    }
    if (item == nullptr) {
        return false;
    }
    if (refreshOnly) {
        RefreshNode(item->parent() != nullptr ? item->parent() : item, item->parent() != nullptr);
    } else if (item == currentItem()) {
        // No selection change to hand over: tell the link directly.
        ReportSelection(item);
    } else {
        m_sendSelectionNow = true;
        setCurrentItem(item);
        scrollTo(indexFromItem(item));
    }
    return reached;
}

std::string TQorShellTree::SelectedFolder() { return NodeId(currentItem()); }

void TQorShellTree::SetSelectedFolder(const std::string& path)
{
    if (path.empty()) {
        if (m_rootedAt == TQorShellFolder::SF_DESKTOP) {
            SetSpecialFolder(TQorShellFolder::SF_DRIVES);
        } else if (topLevelItemCount() > 0) {
            setCurrentItem(topLevelItem(0));
        }
        return;
    }
    std::error_code error;
    const std::string id = NormalisedPath(path);
    if (!std::filesystem::exists(id, error) || !GotoFolderIdList(id, false)) {
        throw EShellBrowserError("Cannot Find Path: " + path);
    }
}

TQorShellFolder TQorShellTree::SpecialFolder()
{
    return currentItem() != nullptr ? TShellBrowser::SpecialFolderOf(NodeId(currentItem()))
                                    : TQorShellFolder::SF_FILESYSTEMFOLDER;
}

void TQorShellTree::SetSpecialFolder(TQorShellFolder folder)
{
    if (folder != TQorShellFolder::SF_FILESYSTEMFOLDER) {
        GotoFolderIdList(TShellBrowser::SpecialFolderId(folder), false);
    }
}

void TQorShellTree::Rebuild()
{
    const std::string selected = NodeId(currentItem());
    SetRootedAt(m_rootedAt);
    GotoFolderIdList(selected, false);
}

void TQorShellTree::SetShowHidden(bool show)
{
    if (show != m_showHidden) {
        m_showHidden = show;
        Rebuild();
    }
}

void TQorShellTree::SetShowFiles(bool show)
{
    if (show != m_showFiles) {
        m_showFiles = show;
        Rebuild();
    }
}

void TQorShellTree::SetFilter(const std::string& filter)
{
    m_browser.SetFilter(filter);
    Rebuild();
}

void TQorShellTree::ReportSelection(QTreeWidgetItem* node)
{
    if (!m_link || node == nullptr) {
        return;
    }
    if (!m_showFiles || node->data(0, ShellIsFolderRole).toBool()) {
        m_link->PathChanged(this, NodeId(node));
    } else {
        m_link->FileChanged(this, NodeId(node->parent()), NodeId(node));
    }
}

void TQorShellTree::Change(QTreeWidgetItem* node)
{
    if (m_sendSelectionNow) {
        m_sendSelectionNow = false;
        ReportSelection(node);
    } else {
        m_changeTimer.start();
    }
    if (ExpandOnSelected && node != nullptr) {
        node->setExpanded(true);
    }
}

void TQorShellTree::GoUp()
{
    m_changeTimer.setInterval(ClickHandOverMs);
    if (QTreeWidgetItem* node = currentItem(); node != nullptr && node->parent() != nullptr) {
        setCurrentItem(node->parent());
    }
}

int TQorShellTree::QORGoUp()
{
    GoUp();
    return 1;
}

void TQorShellTree::QORPathChanged(const std::string& folderId) { GotoFolderIdList(folderId, false); }

void TQorShellTree::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_changeTimer.setInterval(ClickHandOverMs);
    }
    QTreeWidget::mousePressEvent(event);
}

}  // namespace zk
