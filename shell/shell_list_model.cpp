#include "shell/shell_list_model.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>

#include <algorithm>

#include "shell/shell_collation.h"
#include "shell/shell_columns.h"
#include "shell/shell_items.h"
#include "shell/shell_operations.h"

namespace zk {

namespace {

// Beyond this many new rows a merge appends them and sorts once, instead of
// inserting each at its place.
constexpr std::size_t MaxPlacedInserts = 32;

int Sign(long long value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

}  // namespace

TShellListModel::TShellListModel(QObject* parent) : QAbstractTableModel(parent) {}

TShellListModel::~TShellListModel() = default;

int TShellListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count();
}

int TShellListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

void TShellListModel::ReadSubItems(TQorShellListItem& item)
{
    if (item.SubItems) {
        return;
    }
    item.SubItems.emplace();
    if (item.IsParentFolder || item.RelativeIdList.empty()) {
        return;
    }
    platform::TShellBrowser reader;
    reader.SetItemIdList(item.RelativeIdList);
    for (int c = 1; c < platform::ShellColumnCount; ++c) {
        (*item.SubItems)[static_cast<std::size_t>(c)] = ShellColumnText(reader, c);
    }
}

const std::array<QString, platform::ShellColumnCount>& TShellListModel::SubItems(int row) const
{
    TQorShellListItem& item = m_rows[static_cast<std::size_t>(row)]->item;
    ReadSubItems(item);
    return *item.SubItems;
}

qreal TShellListModel::WidestNameWidth(const QFont& font) const
{
    const bool sameFont = font.key() == m_widthFont;
    m_widthFont = font.key();
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const std::unique_ptr<TRow>& row : m_rows) {
        if (!sameFont || row->width < 0) {
            row->width = metrics.horizontalAdvance(row->text);
        }
        widest = std::max(widest, row->width);
    }
    return widest;
}

QVariant TShellListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count() || index.column() >= columnCount()) {
        return {};
    }
    const TRow& row = *m_rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (column == 0) {
            return row.text;
        }
        return row.item.IsParentFolder ? QString() : SubItems(index.row())[static_cast<std::size_t>(column)];
    case Qt::DecorationRole:
        if (column != 0) {
            return {};
        }
        if (!row.icon) {
            row.icon = ShellIcon(row.item.IsParentFolder ? std::string("..") : row.item.RelativeIdList,
                                 row.item.IsFolder);
        }
        return *row.icon;
    case Qt::TextAlignmentRole:
        return static_cast<int>(m_columns[static_cast<std::size_t>(column)].alignment | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (row.item.Cut) {
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        }
        return {};
    case Qt::BackgroundRole:
        if (column == 0 && !m_dropTarget.empty() && row.item.RelativeIdList == m_dropTarget) {
            return QGuiApplication::palette().brush(QPalette::Highlight).color().lighter(160);
        }
        return {};
    case ShellIdRole: return IdToData(row.item.RelativeIdList);
    case ShellIsFolderRole: return row.item.IsFolder;
    case ShellIsParentRole: return row.item.IsParentFolder;
    case ShellCutRole: return row.item.Cut;
    default: return {};
    }
}

QVariant TShellListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    const TColumn& column = m_columns[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole: return column.caption;
    case Qt::TextAlignmentRole: return static_cast<int>(column.alignment | Qt::AlignVCenter);
    default: return {};
    }
}

Qt::ItemFlags TShellListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= Count()) {
        return Qt::NoItemFlags;
    }
    const TQorShellListItem& item = Item(index.row());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!item.IsParentFolder) {
        flags |= Qt::ItemIsDragEnabled;
    }
    if (index.column() == 0 && !m_editable.empty() && item.RelativeIdList == m_editable) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QStringList TShellListModel::mimeTypes() const { return {QStringLiteral("text/uri-list")}; }

QMimeData* TShellListModel::mimeData(const QModelIndexList& indexes) const
{
    std::vector<std::string> paths;
    for (const QModelIndex& index : indexes) {
        if (index.column() != 0 || index.row() >= Count()) {
            continue;
        }
        const TQorShellListItem& item = Item(index.row());
        if (!item.IsParentFolder && !item.RelativeIdList.empty()) {
            paths.push_back(item.RelativeIdList);
        }
    }
    return paths.empty() ? nullptr : FileListToMimeData(paths, false).release();
}

Qt::DropActions TShellListModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

std::unique_ptr<TShellListModel::TRow> TShellListModel::MakeRow(TQorShellListItem item, int order) const
{
    QString text = ShellText(item.Name);
    QCollatorSortKey key = ShellCollator().sortKey(text);
    auto row = std::make_unique<TRow>(std::move(item), std::move(text), std::move(key));
    row->order = order;
    return row;
}

void TShellListModel::Reset(std::vector<TColumn> columns, std::vector<TQorShellListItem> items, bool desktop)
{
    beginResetModel();
    m_columns = std::move(columns);
    m_desktop = desktop;
    m_rows.clear();
    m_byId.clear();
    m_dropTarget.clear();
    m_editable.clear();
    m_editedRowKept = false;
    m_nextOrder = 0;
    m_rows.reserve(items.size());
    for (TQorShellListItem& item : items) {
        m_rows.push_back(MakeRow(std::move(item), m_nextOrder++));
        const TRow* row = m_rows.back().get();
        if (!row->item.IsParentFolder) {
            m_byId.emplace(row->item.RelativeIdList, m_rows.back().get());
        }
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const std::unique_ptr<TRow>& a, const std::unique_ptr<TRow>& b) { return Less(*a, *b); });
    m_numbered = false;
    endResetModel();
}

void TShellListModel::Number() const
{
    if (m_numbered) {
        return;
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i]->row = static_cast<int>(i);
    }
    m_numbered = true;
}

int TShellListModel::RowOf(const std::string& id) const
{
    const auto found = m_byId.find(id);
    if (found == m_byId.end()) {
        return -1;
    }
    Number();
    return found->second->row;
}

void TShellListModel::ReadFacts(const TRow& row) const
{
    if (row.factsRead) {
        return;
    }
    row.factsRead = true;
    platform::TShellBrowser reader;
    reader.SetItemIdList(row.item.RelativeIdList);
    row.size = reader.GetFileSize();
    row.modified = reader.GetModifiedTime();
}

int TShellListModel::Compare(const TRow& a, const TRow& b) const
{
    long long result = 0;
    if (m_desktop) {
        result = a.order - b.order;  // the desktop keeps its own order
    } else if (m_sortColumn >= columnCount()) {
        result = a.key.compare(b.key);  // by caption
    } else if (a.item.IsFolder != b.item.IsFolder) {
        result = a.item.IsFolder ? -1 : 1;
    } else {
        switch (m_sortColumn) {
        case 1:
            ReadFacts(a);
            ReadFacts(b);
            result = Sign(a.size - b.size);
            break;
        case 2: {
            ReadSubItems(a.item);
            ReadSubItems(b.item);
            result = ShellCollator().compare((*a.item.SubItems)[2], (*b.item.SubItems)[2]);
            break;
        }
        case 3:
            ReadFacts(a);
            ReadFacts(b);
            result = Sign(static_cast<long long>(a.modified) - static_cast<long long>(b.modified));
            break;
        default: break;
        }
        if (result == 0) {
            result = a.key.compare(b.key);
        }
    }
    if (result == 0) {
        result = a.item.Name.compare(b.item.Name);
    }
    if (result == 0) {
        result = a.item.RelativeIdList.compare(b.item.RelativeIdList);
    }
    return Sign(result) * m_direction;
}

bool TShellListModel::Less(const TRow& a, const TRow& b) const
{
    if (a.item.IsParentFolder != b.item.IsParentFolder) {
        return a.item.IsParentFolder;
    }
    return Compare(a, b) < 0;
}

int TShellListModel::SortedPosition(const TRow& row) const
{
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                     [this](const TRow& r, const std::unique_ptr<TRow>& x) { return Less(r, *x); });
    return static_cast<int>(at - m_rows.begin());
}

void TShellListModel::Sort(int column, bool reverse)
{
    m_sortColumn = column;
    m_direction = reverse ? -1 : 1;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const TRow*> rowsBefore;
    rowsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        rowsBefore.push_back(m_rows[static_cast<std::size_t>(index.row())].get());
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [this](const std::unique_ptr<TRow>& a, const std::unique_ptr<TRow>& b) { return Less(*a, *b); });
    m_numbered = false;
    Number();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        after.append(index(rowsBefore[static_cast<std::size_t>(i)]->row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TShellListModel::MarkAllUnseen()
{
    for (const std::unique_ptr<TRow>& row : m_rows) {
        row->item.Refreshed = row->item.IsParentFolder ? 1 : 0;
    }
}

bool TShellListModel::MarkSeen(const std::string& id, bool isFolder)
{
    const auto found = m_byId.find(id);
    if (found == m_byId.end() || found->second->item.IsFolder != isFolder) {
        return false;
    }
    found->second->item.Refreshed = 1;
    return true;
}

std::vector<TQorShellListItem> TShellListModel::Merge(std::vector<TQorShellListItem> added)
{
    std::vector<TQorShellListItem> removed;
    // The edited row counts as seen while its editor is open.
    const auto gone = [this](int row) {
        const TQorShellListItem& item = Item(row);
        return item.Refreshed == 0 && (m_editable.empty() || item.RelativeIdList != m_editable);
    };
    m_editedRowKept = false;
    if (const auto edited = m_byId.find(m_editable);
        !m_editable.empty() && edited != m_byId.end() && edited->second->item.Refreshed == 0) {
        m_editedRowKept = true;
        // A new object of its name comes in once the edit is over.
        std::erase_if(added, [this](const TQorShellListItem& item) { return item.RelativeIdList == m_editable; });
    }
    // Unseen rows go, a run of neighbours at a time, from the end.
    for (int last = Count() - 1; last >= 0;) {
        if (!gone(last)) {
            --last;
            continue;
        }
        int first = last;
        while (first > 0 && gone(first - 1)) {
            --first;
        }
        beginRemoveRows(QModelIndex(), first, last);
        for (int row = first; row <= last; ++row) {
            TQorShellListItem& item = m_rows[static_cast<std::size_t>(row)]->item;
            m_byId.erase(item.RelativeIdList);
            if (item.RelativeIdList == m_dropTarget) {
                m_dropTarget.clear();
            }
            removed.push_back(std::move(item));
        }
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
        m_numbered = false;
        endRemoveRows();
        last = first - 1;
    }
    if (added.size() <= MaxPlacedInserts) {
        for (TQorShellListItem& item : added) {
            std::unique_ptr<TRow> row = MakeRow(std::move(item), m_nextOrder++);
            const int position = SortedPosition(*row);
            beginInsertRows(QModelIndex(), position, position);
            m_byId.emplace(row->item.RelativeIdList, row.get());
            m_rows.insert(m_rows.begin() + position, std::move(row));
            m_numbered = false;
            endInsertRows();
        }
    } else {
        const int first = Count();
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(added.size()) - 1);
        for (TQorShellListItem& item : added) {
            m_rows.push_back(MakeRow(std::move(item), m_nextOrder++));
            m_byId.emplace(m_rows.back()->item.RelativeIdList, m_rows.back().get());
        }
        m_numbered = false;
        endInsertRows();
        Sort(m_sortColumn, m_direction < 0);
    }
    return removed;
}

void TShellListModel::Rename(int row, const std::string& id, const std::string& name)
{
    // A row of an object that went since the last merge may carry the new
    // name still: it goes now, so that one row stands for each identifier.
    if (const auto stale = m_byId.find(id);
        stale != m_byId.end() && stale->second != m_rows[static_cast<std::size_t>(row)].get()) {
        const int gone = RowOf(id);
        beginRemoveRows(QModelIndex(), gone, gone);
        m_byId.erase(stale);
        m_rows.erase(m_rows.begin() + gone);
        m_numbered = false;
        endRemoveRows();
        row -= gone < row ? 1 : 0;
    }
    TRow& renamed = *m_rows[static_cast<std::size_t>(row)];
    m_byId.erase(renamed.item.RelativeIdList);
    if (m_editable == renamed.item.RelativeIdList) {
        m_editable = id;
    }
    renamed.item.RelativeIdList = id;
    renamed.item.Name = name;
    renamed.item.SubItems.reset();
    renamed.text = ShellText(name);
    renamed.key = ShellCollator().sortKey(renamed.text);
    renamed.icon.reset();
    renamed.width = -1;
    renamed.factsRead = false;
    m_byId.emplace(id, &renamed);

    // Its sorted place among the other rows.
    int low = 0;
    int high = Count() - 1;
    const auto other = [this, row](int i) -> const TRow& {
        return *m_rows[static_cast<std::size_t>(i < row ? i : i + 1)];
    };
    while (low < high) {
        const int middle = (low + high) / 2;
        if (Less(renamed, other(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    const int target = low;
    if (target != row) {
        beginMoveRows(QModelIndex(), row, row, QModelIndex(), target > row ? target + 1 : target);
        std::unique_ptr<TRow> moving = std::move(m_rows[static_cast<std::size_t>(row)]);
        m_rows.erase(m_rows.begin() + row);
        m_rows.insert(m_rows.begin() + target, std::move(moving));
        m_numbered = false;
        endMoveRows();
    }
    EmitRowChanged(target);
}

void TShellListModel::SetCut(int row, bool cut)
{
    TQorShellListItem& item = m_rows[static_cast<std::size_t>(row)]->item;
    if (item.Cut != cut) {
        item.Cut = cut;
        EmitRowChanged(row);
    }
}

void TShellListModel::SetDropTarget(const std::string& id)
{
    if (id == m_dropTarget) {
        return;
    }
    const int old = RowOf(m_dropTarget);
    m_dropTarget = id;
    if (old >= 0) {
        EmitRowChanged(old);
    }
    if (const int row = RowOf(id); row >= 0) {
        EmitRowChanged(row);
    }
}

void TShellListModel::EmitRowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, std::max(columnCount() - 1, 0)));
}

}  // namespace zk
