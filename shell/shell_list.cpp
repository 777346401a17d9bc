#include "shell/shell_list.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/file_operations.h"
#include "platform/trash.h"
#include "shell/shell_items.h"
#include "shell/shell_operations.h"

namespace zk {

using platform::EShellBrowserError;
using platform::TShellBrowser;

namespace {

// A view whose drags leave its rows alone: what a drop moved away is found
// gone by the list's own refresh, and what a drop refused stays.
template <class View>
class TDragOutView : public View {
public:
    using View::View;

protected:
    void startDrag(Qt::DropActions actions) override
    {
        QModelIndexList rows;
        for (const QModelIndex& index : this->selectedIndexes()) {
            if (index.column() == 0) {
                rows.append(index);
            }
        }
        QMimeData* data = rows.isEmpty() ? nullptr : this->model()->mimeData(rows);
        if (data == nullptr) {
            return;
        }
        auto* drag = new QDrag(this);  // the drag deletes itself when it ends
        drag->setMimeData(data);
        drag->exec(actions, Qt::CopyAction);
    }
};

// The report view, which also hands out dragged items as file URLs (for
// both views: they share its model).
class TShellListItems : public TDragOutView<QTreeWidget> {
public:
    using TDragOutView<QTreeWidget>::TDragOutView;

protected:
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction; }
    QStringList mimeTypes() const override { return {"text/uri-list"}; }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        QList<QUrl> urls;
        for (const QTreeWidgetItem* item : items) {
            const std::string id = IdFromData(item->data(0, ShellIdRole));
            if (!id.empty()) {
                urls.append(QUrl::fromLocalFile(ShellText(id)));
            }
        }
        if (urls.isEmpty()) {
            return nullptr;
        }
        auto* data = new QMimeData;
        data->setUrls(urls);
        return data;
    }
};

}  // namespace

TQorShellList::TQorShellList(QWidget* parent)
    : QWidget(parent), m_items(new TShellListItems(this)), m_listView(new TDragOutView<QListView>(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_items);
    layout->addWidget(m_listView);

    m_items->setRootIsDecorated(false);
    m_items->setUniformRowHeights(true);
    m_items->setAllColumnsShowFocus(true);
    m_items->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_items->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_items->header()->setSectionsClickable(true);
    m_items->header()->setSortIndicatorShown(true);
    connect(m_items->header(), &QHeaderView::sectionClicked, this, &TQorShellList::SetSortColumn);
    connect(m_items, &QTreeWidget::itemChanged, this, &TQorShellList::ItemEdited);
    connect(m_items, &QTreeWidget::itemDoubleClicked, this, [this] { DoubleClicked(); });
    connect(m_items->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TQorShellList::SelectionChanged);

    // The list style shows the same items and the same selection.
    m_listView->setModel(m_items->model());
    m_listView->setSelectionModel(m_items->selectionModel());
    m_listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listView->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_listView->setViewMode(QListView::ListMode);
    m_listView->setFlow(QListView::TopToBottom);
    m_listView->setWrapping(true);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setUniformItemSizes(true);
    connect(m_listView, &QListView::doubleClicked, this, [this] { DoubleClicked(); });
    m_listView->hide();
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_items), static_cast<QAbstractItemView*>(m_listView)}) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& position) { ShowContextMenu(view, position); });
    }
    SetOleDragDrop(true);
    setFocusProxy(m_items);

    m_monitor.SetNotifyFilter({TDirMonValue::dmcFileName, TDirMonValue::dmcDirName});
    // The delay gathers changes from the first one on; restarting it on each
    // would put off the merge for as long as the folder stays busy.
    m_monitor.OnDirChange = [this](TDirMon&) {
        if (!m_refreshTimer.isActive()) {
            m_refreshTimer.start();
        }
    };
    m_monitor.SuspendWhileHidden(this);
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(RefreshDelayMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &TQorShellList::SmartRefresh);
    Refresh();
}

TQorShellList::~TQorShellList()
{
    // The views go with the base class, after this part: nothing of theirs
    // may call back into it (their selection changes as their items go).
    OnDblClick = nullptr;
    OnSelectItem = nullptr;
    OnPopulated = nullptr;
    for (QObject* view : {static_cast<QObject*>(m_items), static_cast<QObject*>(m_listView),
                          static_cast<QObject*>(m_items->selectionModel()), static_cast<QObject*>(m_items->header())}) {
        view->disconnect(this);
        view->removeEventFilter(this);
    }
    m_items->viewport()->removeEventFilter(this);
    m_listView->viewport()->removeEventFilter(this);
    m_refreshTimer.stop();
    m_monitor.Stop();
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
}

void TQorShellList::SetShellLink(TQorShellLink* link)
{
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
    m_link = link;
    if (m_link) {
        m_link->RegisterShellControl(this);
    }
}

bool TQorShellList::IsParentItem(const QTreeWidgetItem* item)
{
    return item != nullptr && item->data(0, ShellIsParentRole).toBool();
}

std::string TQorShellList::GetFullPath(QTreeWidgetItem* item) const
{
    return item != nullptr ? IdFromData(item->data(0, ShellIdRole)) : std::string();
}

int TQorShellList::IndexOfPIDL(const std::string& id) const
{
    for (int i = 0; i < ItemCount(); ++i) {
        if (!IsParentItem(Item(i)) && GetFullPath(Item(i)) == id) {
            return i;
        }
    }
    return -1;
}

std::vector<QTreeWidgetItem*> TQorShellList::SelectedItems() const
{
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < ItemCount(); ++i) {
        if (Item(i)->isSelected()) {
            items.push_back(Item(i));
        }
    }
    return items;
}

std::vector<std::string> TQorShellList::GetSelectedFiles() const
{
    std::vector<std::string> names;
    for (QTreeWidgetItem* item : SelectedItems()) {
        if (!IsParentItem(item)) {
            names.push_back(ShellBytes(item->text(0)));
        }
    }
    return names;
}

void TQorShellList::ClearSelection() { m_items->clearSelection(); }

void TQorShellList::SelectItem(QTreeWidgetItem* item)
{
    m_items->setCurrentItem(item);
    ShownView()->scrollTo(m_items->indexFromItem(item));
}

QAbstractItemView* TQorShellList::ShownView() const
{
    return m_viewStyle == TViewStyle::vsList ? static_cast<QAbstractItemView*>(m_listView) : m_items;
}

void TQorShellList::CreateListColumns()
{
    if (!m_browser.Folder().empty()) {
        m_savedWidths.resize(static_cast<std::size_t>(m_items->columnCount()));
        for (int c = 0; c < m_items->columnCount(); ++c) {
            m_savedWidths[static_cast<std::size_t>(c)] = m_items->columnWidth(c);
        }
    }
    const int count = m_details ? platform::ShellColumnCount : 1;
    m_items->setColumnCount(count);
    auto* header = new QTreeWidgetItem;
    for (int c = 0; c < count; ++c) {
        header->setText(c, ShellText(m_browser.GetColumnText(c, true)));
        const platform::TColumnInfo info = TShellBrowser::GetColumnInfo(c);
        header->setTextAlignment(c, info.alignment == platform::ColumnAlignment::Right ? Qt::AlignRight
                                                                                        : Qt::AlignLeft);
        const auto index = static_cast<std::size_t>(c);
        const bool saved = index < m_savedWidths.size() && m_savedWidths[index] >= 1;
        m_items->setColumnWidth(c, saved ? m_savedWidths[index] : info.width);
    }
    m_items->setHeaderItem(header);
}

void TQorShellList::AddShellItem()
{
    if ((!m_showHidden && m_browser.IsHidden()) || (!m_showFolders && m_browser.IsFolder())) {
        return;
    }
    auto* item = new QTreeWidgetItem;
    const std::string id = m_browser.ItemIdList();
    const bool isFolder = m_browser.IsFolder();
    item->setText(0, ShellText(m_browser.GetShellObjectName()));
    item->setIcon(0, ShellIcon(id, isFolder));
    item->setData(0, ShellIdRole, IdToData(id));
    item->setData(0, ShellIsFolderRole, isFolder);
    item->setData(0, ShellRefreshedRole, 1);
    if (m_details) {
        for (int c = 1; c < platform::ShellColumnCount; ++c) {
            item->setText(c, ShellText(m_browser.GetColumnText(c, false)));
        }
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_readOnly && m_browser.CanRename()) {
        flags |= Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    m_items->addTopLevelItem(item);
}

void TQorShellList::AddParentItem()
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, " .. ");
    item->setIcon(0, ShellIcon("..", true));
    item->setData(0, ShellIsParentRole, true);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_items->addTopLevelItem(item);
}

bool TQorShellList::Refresh()
{
    m_filling = true;
    m_dropItem = nullptr;
    m_refreshTimer.stop();
    m_items->clear();
    CreateListColumns();
    m_browser.EndEnumeration();
    while (m_browser.Next()) {
        AddShellItem();
    }
    if (m_showParentFolder) {
        AddParentItem();
    }
    Sort();
    FollowFolder();
    m_filling = false;
    if (OnPopulated) {
        OnPopulated(*this);
    }
    return true;
}

void TQorShellList::SmartRefresh()
{
    m_filling = true;
    for (int i = 0; i < ItemCount(); ++i) {
        Item(i)->setData(0, ShellRefreshedRole, 0);
    }
    bool added = false;
    m_browser.EndEnumeration();
    while (m_browser.Next()) {
        const int index = IndexOfPIDL(m_browser.ItemIdList());
        if (index < 0) {
            const int before = ItemCount();
            AddShellItem();
            added = added || ItemCount() > before;
        } else {
            Item(index)->setData(0, ShellRefreshedRole, 1);
        }
    }
    for (int i = ItemCount() - 1; i >= 0; --i) {
        if (!IsParentItem(Item(i)) && Item(i)->data(0, ShellRefreshedRole).toInt() == 0) {
            if (Item(i) == m_dropItem) {
                m_dropItem = nullptr;
            }
            delete m_items->takeTopLevelItem(i);
        }
    }
    if (added) {
        Sort();
    }
    m_filling = false;
}

void TQorShellList::Sort()
{
    std::vector<std::string> selected;
    for (QTreeWidgetItem* item : SelectedItems()) {
        selected.push_back(GetFullPath(item));
    }
    const std::string current = GetFullPath(m_items->currentItem());
    const QSignalBlocker blocker(m_items->selectionModel());

    QList<QTreeWidgetItem*> items;
    while (m_items->topLevelItemCount() > 0) {
        items.append(m_items->takeTopLevelItem(0));
    }
    const int direction = m_reverse ? -1 : 1;
    const int column = m_sortColumn;
    std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        // The parent-folder item leads in either direction.
        if (IsParentItem(a) || IsParentItem(b)) {
            return IsParentItem(a) && !IsParentItem(b);
        }
        const int order = column < m_items->columnCount()
                              ? m_browser.CompareIDs(column, GetFullPath(a), GetFullPath(b))
                              : a->text(0).compare(b->text(0));
        return order * direction < 0;
    });
    m_items->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items) {
        const std::string id = GetFullPath(item);
        item->setSelected(!id.empty() && std::find(selected.begin(), selected.end(), id) != selected.end());
        if (!id.empty() && id == current) {
            m_items->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        }
    }
    m_items->header()->setSortIndicator(column, m_reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TQorShellList::SetSortColumn(int index)
{
    m_reverse = index == m_sortColumn && !m_reverse;
    m_sortColumn = index;
    Sort();
}

void TQorShellList::SetReverseSortOrder(bool reverse)
{
    m_reverse = reverse;
    Sort();
}

void TQorShellList::FollowFolder()
{
    // The desktop is no directory; its two folders do not change.
    m_monitor.SetDirectory(m_browser.FolderIdList());
}

void TQorShellList::SetPath(const std::string& path)
{
    m_browser.SetDirectory(path);
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
    Refresh();
}

void TQorShellList::SetFolderIdList(const std::string& id)
{
    m_browser.SetFolderIdList(id);
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
    Refresh();
}

void TQorShellList::SetSpecialFolder(platform::TQorShellFolder folder)
{
    if (folder != platform::TQorShellFolder::SF_FILESYSTEMFOLDER) {
        m_browser.BrowseSpecialFolder(folder);
    }
    Refresh();
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
}

void TQorShellList::GoUp()
{
    if (m_link) {
        m_link->GoUp(this);
        return;
    }
    m_browser.SelectParent();
    Refresh();
}

int TQorShellList::QORGoUp()
{
    m_browser.SelectParent();
    Refresh();
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
    return 1;
}

void TQorShellList::QORPathChanged(const std::string& folderId)
{
    try {
        m_browser.SetFolderIdList(folderId);
        Refresh();
    } catch (const EShellBrowserError&) {
        m_items->clear();
    }
}

void TQorShellList::QORSelectAll()
{
    m_items->selectAll();
    ShownView()->setFocus();
}

bool TQorShellList::InvokeCommandOnSelected(const std::string& verb)
{
    const std::vector<QTreeWidgetItem*> selected = SelectedItems();
    if (verb == "delete") {
        return !m_readOnly && MoveSelectedToTrash();
    }
    if (verb == "copy" || verb == "cut") {
        std::vector<std::string> paths;
        for (QTreeWidgetItem* item : selected) {
            if (!IsParentItem(item)) {
                paths.push_back(GetFullPath(item));
            }
        }
        if (paths.empty() || (verb == "cut" && m_readOnly)) {
            return false;
        }
        SetClipboardFiles(paths, verb == "cut");
        return true;
    }
    if (selected.empty() || (verb != "default" && verb != "open")) {
        return false;
    }
    if (selected.size() == 1 && IsParentItem(selected.front())) {
        GoUp();
        return true;
    }
    if (selected.size() != 1) {
        return false;
    }
    m_browser.SetItemIdList(GetFullPath(selected.front()));
    if (!m_browser.BrowseObject()) {
        return false;  // files are opened by whoever shows the list
    }
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
    Refresh();
    return true;
}

bool TQorShellList::InvokeCommandOnFolder(const std::string& verb)
{
    const std::string folder = m_browser.FolderIdList();
    if (m_readOnly || folder.empty()) {
        return false;
    }
    if (verb == "newfolder") {
        const std::string name = platform::UniqueName(folder, "New Folder");
        if (name.empty() || !platform::CreateFolder(folder + "/" + name)) {
            return false;
        }
        SmartRefresh();
        if (const int index = IndexOfPIDL(folder + "/" + name); index >= 0) {
            ClearSelection();
            SelectItem(Item(index));
            ShownView()->edit(m_items->indexFromItem(Item(index)));
        }
        return true;
    }
    if (verb != "paste") {
        return false;
    }
    const std::vector<std::string> files = ClipboardFiles();
    const auto kind = ClipboardIsCut() ? platform::TransferKind::Move : platform::TransferKind::Copy;
    bool done = false;
    for (const std::string& file : files) {
        done = !platform::TransferObject(file, folder, kind).empty() || done;
    }
    if (!done) {
        return false;
    }
    if (kind == platform::TransferKind::Move) {
        QApplication::clipboard()->clear();  // cut files go once
    }
    SmartRefresh();
    if (m_link) {
        m_link->SmartRefresh(this);
    }
    return true;
}

void TQorShellList::DoubleClicked()
{
    if (OnDblClick) {
        OnDblClick();
    } else {
        InvokeCommandOnSelected("default");
    }
}

void TQorShellList::SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_filling) {
        return;
    }
    const auto report = [this](const QItemSelection& selection, bool isSelected) {
        // A handler may let events run (a preview does), and a refresh may
        // then remove rows: each row is looked up again before use.
        QList<QPersistentModelIndex> rows;
        for (const QModelIndex& index : selection.indexes()) {
            if (index.column() == 0) {
                rows.append(index);
            }
        }
        for (const QPersistentModelIndex& row : rows) {
            QTreeWidgetItem* item = row.isValid() ? m_items->itemFromIndex(row) : nullptr;
            if (item == nullptr) {
                continue;
            }
            if (isSelected && m_link && !IsParentItem(item)) {
                m_link->FileChanged(this, m_browser.FolderIdList(), GetFullPath(item));
            }
            if (OnSelectItem) {
                OnSelectItem(item, isSelected);
            }
        }
    };
    report(deselected, false);
    report(selected, true);
}

void TQorShellList::ItemEdited(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != 0 || IsParentItem(item)) {
        return;
    }
    m_browser.SetItemIdList(GetFullPath(item));
    std::string name = ShellBytes(item->text(0));
    m_browser.RenameObject(name);
    m_filling = true;
    item->setText(0, ShellText(name));
    item->setData(0, ShellIdRole, IdToData(m_browser.ItemIdList()));
    m_filling = false;
}

bool TQorShellList::eventFilter(QObject* watched, QEvent* event)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_items), static_cast<QAbstractItemView*>(m_listView)}) {
        if (watched == view->viewport() && DragEvent(view, event)) {
            return true;
        }
    }
    // While a name is edited the keys go to the editor, not to the views.
    if (event->type() != QEvent::KeyPress || (watched != m_items && watched != m_listView)) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Backspace: GoUp(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Not carried out (a file): the key goes on, to the dialog's default button.
        return InvokeCommandOnSelected("default");
    case Qt::Key_Delete:
        if (!m_readOnly) {
            ConfirmDelete();
        }
        return true;
    case Qt::Key_F5:
        Refresh();
        if (m_link) {
            m_link->Refresh(this);
        }
        return true;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
        if (key->modifiers() != Qt::ControlModifier) {
            return QWidget::eventFilter(watched, event);
        }
        if (key->key() == Qt::Key_C) {
            InvokeCommandOnSelected("copy");
        } else if (m_readOnly) {
            // Nothing leaves or enters a read-only list.
        } else if (key->key() == Qt::Key_X) {
            InvokeCommandOnSelected("cut");
        } else {
            InvokeCommandOnFolder("paste");
        }
        return true;
    default: return QWidget::eventFilter(watched, event);
    }
}

bool TQorShellList::MoveSelectedToTrash()
{
    std::vector<std::string> paths;
    for (QTreeWidgetItem* item : SelectedItems()) {
        if (!IsParentItem(item)) {
            paths.push_back(GetFullPath(item));
        }
    }
    bool moved = false;
    for (const std::string& path : paths) {
        moved = platform::MoveToTrash(path) || moved;
    }
    if (moved) {
        SmartRefresh();
        if (m_link) {
            m_link->SmartRefresh(this);
        }
    }
    return moved;
}

void TQorShellList::ConfirmDelete()
{
    const std::size_t count = GetSelectedFiles().size();
    if (count == 0) {
        return;
    }
    const QString question = count == 1 ? tr("Move \"%1\" to the trash?").arg(SelectedItems().front()->text(0))
                                        : tr("Move these %1 items to the trash?").arg(count);
    if (QMessageBox::question(this, tr("Move to Trash"), question) == QMessageBox::Yes) {
        MoveSelectedToTrash();
    }
}

void TQorShellList::ShowContextMenu(QAbstractItemView* view, const QPoint& position)
{
    QTreeWidgetItem* item = m_items->itemFromIndex(view->indexAt(position));
    if (!ShellContextMenu || item == nullptr) {
        return;
    }
    if (!item->isSelected()) {
        ClearSelection();
        SelectItem(item);
    }
    QMenu menu(this);
    menu.setObjectName("ShellContextMenu");
    QAction* open = menu.addAction(tr("Open"), this, [this] { DoubleClicked(); });
    open->setObjectName("OpenVerb");
    const bool one = SelectedItems().size() == 1 && !IsParentItem(item);
    QAction* rename = menu.addAction(tr("Rename"), this, [this, view, item] { view->edit(m_items->indexFromItem(item)); });
    rename->setObjectName("RenameVerb");
    rename->setEnabled(one && (item->flags() & Qt::ItemIsEditable) != 0);
    QAction* trash = menu.addAction(tr("Move to Trash"), this, &TQorShellList::ConfirmDelete);
    trash->setObjectName("TrashVerb");
    trash->setEnabled(!m_readOnly && !GetSelectedFiles().empty());
    menu.addSeparator();
    const bool some = !GetSelectedFiles().empty();
    QAction* cut = menu.addAction(tr("Cut"), this, [this] { InvokeCommandOnSelected("cut"); });
    cut->setObjectName("CutVerb");
    cut->setEnabled(!m_readOnly && some);
    QAction* copy = menu.addAction(tr("Copy"), this, [this] { InvokeCommandOnSelected("copy"); });
    copy->setObjectName("CopyVerb");
    copy->setEnabled(some);
    const bool inFolder = !m_readOnly && !m_browser.FolderIdList().empty();
    QAction* paste = menu.addAction(tr("Paste"), this, [this] { InvokeCommandOnFolder("paste"); });
    paste->setObjectName("PasteVerb");
    paste->setEnabled(inFolder && !ClipboardFiles().empty());
    QAction* folder = menu.addAction(tr("New Folder"), this, [this] { InvokeCommandOnFolder("newfolder"); });
    folder->setObjectName("NewFolderVerb");
    folder->setEnabled(inFolder);
    menu.addSeparator();
    menu.addAction(tr("Refresh"), this, [this] { Refresh(); })->setObjectName("RefreshVerb");
    if (PopupMenu && !PopupMenu->actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(PopupMenu->actions());
    }
    menu.exec(view->viewport()->mapToGlobal(position));
}

void TQorShellList::SetOleDragDrop(bool on)
{
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_items), static_cast<QAbstractItemView*>(m_listView)}) {
        view->setDragEnabled(on);
        // Drops are taken by this list itself, not by the views' models.
        view->setDragDropMode(on ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
        view->viewport()->setAcceptDrops(on);
    }
}

std::string TQorShellList::DropFolderAt(QAbstractItemView* view, QPoint point, const std::vector<std::string>& files,
                                        QTreeWidgetItem** item) const
{
    QTreeWidgetItem* under = m_items->itemFromIndex(view->indexAt(point));
    *item = nullptr;
    std::string folder = m_browser.FolderIdList();
    if (under != nullptr && !IsParentItem(under) && under->data(0, ShellIsFolderRole).toBool()) {
        *item = under;
        folder = GetFullPath(under);
    }
    return !m_readOnly && CanDropInto(files, folder) ? folder : std::string();
}

void TQorShellList::SetDropItem(QTreeWidgetItem* item)
{
    if (item == m_dropItem) {
        return;
    }
    if (m_dropItem != nullptr) {
        m_dropItem->setBackground(0, QBrush());
    }
    m_dropItem = item;
    if (m_dropItem != nullptr) {
        m_dropItem->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(160));
    }
}

bool TQorShellList::DragEvent(QAbstractItemView* view, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (m_readOnly || DataObjectToFileList(enter->mimeData()).empty()) {
            enter->ignore();
        } else {
            enter->acceptProposedAction();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        const std::vector<std::string> files = DataObjectToFileList(move->mimeData());
        QTreeWidgetItem* item = nullptr;
        const std::string folder = DropFolderAt(view, move->position().toPoint(), files, &item);
        SetDropItem(folder.empty() ? nullptr : item);
        const Qt::DropAction action = ChooseDropAction(files, folder, move->modifiers(), CreateLinkOnDrop);
        if (folder.empty() || (move->possibleActions() & action) == 0) {
            move->ignore();
        } else {
            move->setDropAction(action);
            move->accept();
        }
        return true;
    }
    case QEvent::DragLeave:
        SetDropItem(nullptr);
        event->accept();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        SetDropItem(nullptr);
        const std::vector<std::string> files = DataObjectToFileList(drop->mimeData());
        QTreeWidgetItem* item = nullptr;
        const std::string folder = DropFolderAt(view, drop->position().toPoint(), files, &item);
        const Qt::DropAction action = ChooseDropAction(files, folder, drop->modifiers(), CreateLinkOnDrop);
        if (folder.empty() || (drop->possibleActions() & action) == 0 || !TransferFiles(files, folder, action)) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(action);
        drop->accept();
        SmartRefresh();
        if (m_link) {
            m_link->SmartRefresh(this);
        }
        return true;
    }
    default: return false;
    }
}

void TQorShellList::SetDetails(bool details)
{
    if (details != m_details) {
        m_details = details;
        Refresh();
    }
}

void TQorShellList::SetShowHidden(bool show)
{
    if (show != m_showHidden) {
        m_showHidden = show;
        Refresh();
    }
}

void TQorShellList::SetShowFolders(bool show)
{
    if (show != m_showFolders) {
        m_showFolders = show;
        Refresh();
    }
}

void TQorShellList::SetShowParentFolder(bool show)
{
    if (show != m_showParentFolder) {
        m_showParentFolder = show;
        Refresh();
    }
}

void TQorShellList::SetFileSystemOnly(bool only)
{
    m_browser.FileSystemOnly = only;
    Refresh();
}

void TQorShellList::SetFilter(const std::string& filter)
{
    m_browser.SetFilter(filter);
    Refresh();
}

void TQorShellList::SetMultiSelect(bool multi)
{
    const auto mode = multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_items->setSelectionMode(mode);
    m_listView->setSelectionMode(mode);
}

void TQorShellList::SetReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        Refresh();
    }
}

void TQorShellList::SetViewStyle(TViewStyle style)
{
    m_viewStyle = style;
    m_items->setVisible(style == TViewStyle::vsReport);
    m_listView->setVisible(style == TViewStyle::vsList);
    setFocusProxy(ShownView());
}

}  // namespace zk
