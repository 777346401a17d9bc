// The list's filling, sorting, navigation and selection; its commands are
// in shell_list_commands.cpp, dragging and dropping in shell_list_drag.cpp.

#include "shell/shell_list.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QVBoxLayout>

#include <cerrno>
#include <dirent.h>
#include <system_error>

#include <algorithm>

#include "shell/shell_items.h"

namespace zk {

using platform::EShellBrowserError;
using platform::TShellBrowser;

TQorShellList::TQorShellList(QWidget* parent)
    : QWidget(parent),
      m_model(new TShellListModel(this)),
      m_report(new TShellReportView(this)),
      m_listView(new TShellNamesView(this)),
      m_unreadable(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_unreadable->setObjectName("UnreadableNote");
    m_unreadable->setWordWrap(true);
    m_unreadable->hide();
    layout->addWidget(m_unreadable);
    layout->addWidget(m_report);
    layout->addWidget(m_listView);

    m_report->setModel(m_model);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->header()->setSectionsClickable(true);
    m_report->header()->setSortIndicatorShown(true);
    m_report->header()->setStretchLastSection(false);
    connect(m_report->header(), &QHeaderView::sectionClicked, this, &TQorShellList::SetSortColumn);

    // The list style shows the same items and the same selection.
    m_listView->setModel(m_model);
    m_listView->setSelectionModel(m_report->selectionModel());
    m_listView->setViewMode(QListView::ListMode);
    m_listView->setFlow(QListView::TopToBottom);
    m_listView->setWrapping(true);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setUniformItemSizes(true);
    m_listView->hide();
    connect(m_report->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TQorShellList::SelectionChanged);

    for (QAbstractItemView* view : Views()) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        // A click selects the whole object, all its columns, also in the
        // list style, which shows only the first: the selection is read by rows.
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        // Renaming starts only from the list's own commands (F2, the menu).
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        auto* delegate = view == m_listView ? new TShellWidestNameDelegate(view) : new TRenameDelegate(view);
        delegate->OnEdited = [this](const QPersistentModelIndex&, const QString& text) { ItemEdited(text); };
        view->setItemDelegate(delegate);
        connect(delegate, &QAbstractItemDelegate::closeEditor, this,
                [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) { EditorClosed(hint); });
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& position) { ContextMenuAt(view, position); });
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { DoubleClicked(); });
    }
    m_report->OnStartDrag = [this](Qt::DropActions actions) { StartDrag(m_report, actions); };
    m_listView->OnStartDrag = [this](Qt::DropActions actions) { StartDrag(m_listView, actions); };
    SetOleDragDrop(true);
    setFocusProxy(m_report);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TQorShellList::ClipboardChanged);

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
    // may call back into it (their selection changes as their rows go).
    OnDblClick = nullptr;
    OnSelectItem = nullptr;
    OnPopulated = nullptr;
    OnOperation = nullptr;
    for (QAbstractItemView* view : Views()) {
        static_cast<TRenameDelegate*>(view->itemDelegate())->OnEdited = nullptr;
    }
    m_report->OnStartDrag = nullptr;
    m_listView->OnStartDrag = nullptr;
    QApplication::clipboard()->disconnect(this);
    for (QAbstractItemView* view : Views()) {
        view->disconnect(this);
        view->itemDelegate()->disconnect(this);
        view->removeEventFilter(this);
        view->viewport()->removeEventFilter(this);
    }
    m_report->selectionModel()->disconnect(this);
    m_report->header()->disconnect(this);
    m_refreshTimer.stop();
    m_monitor.Stop();
    if (m_link) {
        m_link->UnregisterShellControl(this);
    }
}

std::vector<QAbstractItemView*> TQorShellList::Views() const { return {m_report, m_listView}; }

QAbstractItemView* TQorShellList::ShownView() const
{
    return m_viewStyle == TViewStyle::vsList ? static_cast<QAbstractItemView*>(m_listView) : m_report;
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

QString TQorShellList::ItemText(int index, int column) const
{
    return m_model->data(m_model->index(index, column), Qt::DisplayRole).toString();
}

std::string TQorShellList::GetFullPath(int index) const
{
    return index >= 0 && index < ItemCount() ? Item(index).RelativeIdList : std::string();
}

std::vector<int> TQorShellList::SelectedItems() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_report->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> TQorShellList::SelectedPaths() const
{
    std::vector<std::string> paths;
    for (const int row : SelectedItems()) {
        if (!IsParentItem(row)) {
            paths.push_back(GetFullPath(row));
        }
    }
    return paths;
}

std::vector<std::string> TQorShellList::GetSelectedFiles() const
{
    // The desktop's objects are named by their whole path.
    const bool desktop = m_browser.FolderIdList().empty();
    std::vector<std::string> names;
    for (const std::string& path : SelectedPaths()) {
        names.push_back(desktop ? path : path.substr(path.rfind('/') + 1));
    }
    return names;
}

void TQorShellList::ClearSelection() { m_report->selectionModel()->clearSelection(); }

void TQorShellList::SelectItem(int index)
{
    const QModelIndex row = m_model->index(index, 0);
    m_report->selectionModel()->setCurrentIndex(
        row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ShownView()->scrollTo(row);
}

void TQorShellList::SetItemSelected(int index, bool selected)
{
    m_report->selectionModel()->select(m_model->index(index, 0), (selected ? QItemSelectionModel::Select
                                                                           : QItemSelectionModel::Deselect) |
                                                                    QItemSelectionModel::Rows);
}

std::vector<TShellListModel::TColumn> TQorShellList::CreateListColumns()
{
    // The user's widths of a folder's columns are kept for the next folder.
    if (m_columnsFromFolder) {
        m_savedWidths.resize(static_cast<std::size_t>(m_model->columnCount()));
        for (int c = 0; c < m_model->columnCount(); ++c) {
            m_savedWidths[static_cast<std::size_t>(c)] = m_report->columnWidth(c);
        }
    }
    m_columnsFromFolder = !m_browser.Folder().empty();
    std::vector<TShellListModel::TColumn> columns;
    const int count = m_details ? platform::ShellColumnCount : 1;
    for (int c = 0; c < count; ++c) {
        const platform::TColumnInfo info = TShellBrowser::GetColumnInfo(c);
        columns.push_back({ShellText(m_browser.GetColumnText(c, true)),
                           info.alignment == platform::ColumnAlignment::Right ? Qt::AlignRight : Qt::AlignLeft});
    }
    return columns;
}

void TQorShellList::ApplyColumnWidths()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const auto index = static_cast<std::size_t>(c);
        const bool saved = m_columnsFromFolder && index < m_savedWidths.size() && m_savedWidths[index] >= 1;
        m_report->setColumnWidth(c, saved ? m_savedWidths[index] : TShellBrowser::GetColumnInfo(c).width);
    }
    m_report->header()->setSortIndicator(m_sortColumn, m_reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

std::optional<TQorShellListItem> TQorShellList::AddShellItem()
{
    if ((!m_showHidden && m_browser.IsHidden()) || (!m_showFolders && m_browser.IsFolder())) {
        return std::nullopt;
    }
    TQorShellListItem item;
    item.RelativeIdList = m_browser.ItemIdList();
    item.Name = m_browser.GetShellObjectName();
    item.IsFolder = m_browser.IsFolder();
    if (OnAddItem) {
        if (m_details) {
            TShellListModel::ReadSubItems(item);
        }
        bool canAdd = true;
        OnAddItem(*this, item, canAdd);
        if (!canAdd) {
            return std::nullopt;
        }
    }
    return item;
}

bool TQorShellList::Refresh()
{
    // An open editor is never closed by a refresh of its folder: the rows
    // are merged.
    const bool sameColumns = m_model->columnCount() == (m_details ? platform::ShellColumnCount : 1);
    if (Editing() && sameColumns && m_shownFolder == m_browser.FolderIdList()) {
        SmartRefresh();
        return true;
    }
    m_filling = true;
    m_refreshTimer.stop();
    std::vector<TShellListModel::TColumn> columns = CreateListColumns();
    std::vector<TQorShellListItem> items;
    m_browser.EndEnumeration();
    while (m_browser.Next()) {
        if (std::optional<TQorShellListItem> item = AddShellItem()) {
            items.push_back(std::move(*item));
        }
    }
    if (m_showParentFolder) {
        TQorShellListItem parent;
        parent.Name = " .. ";
        parent.IsParentFolder = true;
        parent.IsFolder = true;
        items.push_back(std::move(parent));
    }
    m_model->Reset(std::move(columns), std::move(items), m_browser.FolderIdList().empty());
    m_shownFolder = m_browser.FolderIdList();
    ApplyColumnWidths();
    if (OnCreateColumns) {
        OnCreateColumns(*this);
    }
    FollowFolder();
    m_filling = false;
    NoteUnreadable();
    if (OnPopulated) {
        OnPopulated(*this);
    }
    return true;
}

void TQorShellList::SmartRefresh()
{
    m_filling = true;
    m_model->MarkAllUnseen();
    std::vector<TQorShellListItem> added;
    m_browser.EndEnumeration();
    while (m_browser.Next()) {
        if (!m_model->MarkSeen(m_browser.ItemIdList(), m_browser.IsFolder())) {
            if (std::optional<TQorShellListItem> item = AddShellItem()) {
                added.push_back(std::move(*item));
            }
        }
    }
    const std::vector<TQorShellListItem> removed = m_model->Merge(std::move(added));
    m_filling = false;
    NoteUnreadable();
    ReportCutRemoved(removed);
}

void TQorShellList::NoteUnreadable()
{
    // An empty list says nothing of a folder that can't be read: a note does.
    std::string why;
    if (const std::string folder = m_browser.FolderIdList(); !folder.empty()) {
        if (DIR* entries = opendir(folder.c_str()); entries != nullptr) {
            closedir(entries);
        } else {
            why = std::generic_category().message(errno);
        }
    }
    m_unreadable->setText(why.empty() ? QString() : tr("This folder can't be read: %1.").arg(ShellText(why)));
    m_unreadable->setVisible(!why.empty());
}

void TQorShellList::ReportCutRemoved(const std::vector<TQorShellListItem>& removed)
{
    // Cut objects that a paste elsewhere has moved away.
    std::vector<std::string> paths;
    for (const TQorShellListItem& item : removed) {
        if (item.Cut) {
            paths.push_back(item.RelativeIdList);
        }
    }
    if (!paths.empty()) {
        Operation({TQorShellOperation::sopCut, TQorShellOperation::sopRemove}, paths, {});
    }
}

void TQorShellList::SetSortColumn(int index)
{
    m_reverse = index == m_sortColumn && !m_reverse;
    m_sortColumn = index;
    m_model->Sort(m_sortColumn, m_reverse);
    m_report->header()->setSortIndicator(m_sortColumn, m_reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TQorShellList::SetReverseSortOrder(bool reverse)
{
    m_reverse = reverse;
    m_model->Sort(m_sortColumn, m_reverse);
    m_report->header()->setSortIndicator(m_sortColumn, m_reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
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
        m_model->Reset(CreateListColumns(), {}, false);
        m_shownFolder.clear();
    }
}

void TQorShellList::QORSelectAll()
{
    SelectAll();
    ShownView()->setFocus();
}

void TQorShellList::SelectAll()
{
    // One change of the whole list, as the desktop's list views report it:
    // no item on its own, so nothing is read for each object of the folder.
    m_filling = true;
    m_report->selectAll();
    m_filling = false;
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
    const auto rows = [this](const QItemSelection& selection) {
        std::vector<int> result;
        for (const QItemSelectionRange& range : selection) {
            for (int row = range.top(); row <= range.bottom() && row < ItemCount(); ++row) {
                result.push_back(row);
            }
        }
        std::sort(result.begin(), result.end());
        result.erase(std::unique(result.begin(), result.end()), result.end());
        return result;
    };
    const std::vector<int> come = rows(selected);
    const std::vector<int> gone = rows(deselected);
    // Handlers may let events run (a preview does), and a refresh may then
    // remove rows: the paths are taken first.
    std::vector<std::pair<std::string, bool>> reports;
    if (come.size() + gone.size() <= 1) {
        for (const int row : gone) {
            reports.emplace_back(Item(row).RelativeIdList, false);
        }
        for (const int row : come) {
            reports.emplace_back(Item(row).RelativeIdList, true);
        }
    } else {
        // A change of several items at once (a range, a click that ends
        // one) is reported once, for the item the selection ends on: the
        // one newly selected, or else the current one when it is selected.
        const QModelIndex current = m_report->selectionModel()->currentIndex();
        int ended = come.size() == 1 ? come.front() : -1;
        if (ended < 0 && current.isValid() && m_report->selectionModel()->isRowSelected(current.row(), {})) {
            ended = current.row();
        }
        if (ended >= 0) {
            reports.emplace_back(Item(ended).RelativeIdList, true);
        }
    }
    for (const auto& [path, isSelected] : reports) {
        if (isSelected && m_link && !path.empty()) {
            m_link->FileChanged(this, m_browser.FolderIdList(), path);
        }
        if (OnSelectItem) {
            OnSelectItem(path, isSelected);
        }
    }
}

void TQorShellList::SetOleDragDrop(bool on)
{
    for (QAbstractItemView* view : Views()) {
        view->setDragEnabled(on);
        // Drops are taken by this list itself, not by the model.
        view->setDragDropMode(on ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
        view->viewport()->setAcceptDrops(on);
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
    for (QAbstractItemView* view : Views()) {
        view->setSelectionMode(mode);
    }
}

void TQorShellList::SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

void TQorShellList::SetViewStyle(TViewStyle style)
{
    m_viewStyle = style;
    m_report->setVisible(style == TViewStyle::vsReport);
    m_listView->setVisible(style == TViewStyle::vsList);
    setFocusProxy(ShownView());
}

}  // namespace zk
