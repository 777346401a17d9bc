#include "shell/plain_list_view.h"

#include <QApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>

#include <algorithm>

#include "shell/shell_collation.h"
#include "shell/shell_columns.h"
#include "shell/shell_items.h"

namespace zk {

using platform::ColumnAlignment;
using platform::TQorShellFolder;
using platform::TShellBrowser;

namespace {

// The icons stand in for the system image list: one index per kind.
enum TImageIndex : int { DesktopImage, ComputerImage, HomeImage, FolderImage, FileImage };

int ImageIndexOf(const std::string& id, bool isFolder)
{
    switch (TShellBrowser::SpecialFolderOf(id)) {
    case TQorShellFolder::SF_DESKTOP: return DesktopImage;
    case TQorShellFolder::SF_DRIVES: return ComputerImage;
    case TQorShellFolder::SF_PERSONAL: return HomeImage;
    default: return isFolder ? FolderImage : FileImage;
    }
}

class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

Qt::Alignment AlignmentOf(ColumnAlignment alignment)
{
    return (alignment == ColumnAlignment::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

int Sign(qint64 value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// As the desktop's file manager orders names (and the shell list its texts).
int CompareText(const QString& a, const QString& b) { return Sign(ShellCollator().compare(a, b)); }

void SaveViewColumnWidths(const QTreeWidget& view, TShellBrowser::TListViewState& state)
{
    const int count = std::min<int>(view.columnCount(), static_cast<int>(state.savedColumnWidths.size()));
    for (int i = 0; i < count; ++i) {
        state.savedColumnWidths[static_cast<std::size_t>(i)] = view.columnWidth(i);
    }
}

void CreateViewColumns(TShellBrowser& browser, QTreeWidget& view, bool details)
{
    TShellBrowser::TListViewState& state = browser.ListView;
    if (state.columnsExisted) {
        SaveViewColumnWidths(view, state);
    }
    state.columnsExisted = !browser.Folder().empty();
    QStringList titles;
    for (int i = 0; i == 0 || details; ++i) {
        const std::string title = browser.GetColumnText(i, true);
        if (title.empty()) {
            break;
        }
        titles << ShellText(title);
    }
    view.setColumnCount(static_cast<int>(titles.size()));
    view.setHeaderLabels(titles);
    for (int i = 0; i < view.columnCount(); ++i) {
        const platform::TColumnInfo info = TShellBrowser::GetColumnInfo(i);
        view.headerItem()->setTextAlignment(i, AlignmentOf(info.alignment));
        const bool saved = state.columnsExisted && i < static_cast<int>(state.savedColumnWidths.size()) &&
                           state.savedColumnWidths[static_cast<std::size_t>(i)] >= 1;
        view.setColumnWidth(i, saved ? state.savedColumnWidths[static_cast<std::size_t>(i)] : info.width);
    }
}

// Puts the rows in the compare's order, keeping which of them are selected.
void CustomSort(QTreeWidget& view, int p, int direction)
{
    QTreeWidgetItem* current = view.currentItem();
    const QList<QTreeWidgetItem*> selected = view.selectedItems();
    QList<QTreeWidgetItem*> rows = view.invisibleRootItem()->takeChildren();
    std::stable_sort(rows.begin(), rows.end(), [p, direction](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return ListViewColumnCompare(a, b, p, direction) < 0;
    });
    view.addTopLevelItems(rows);
    for (QTreeWidgetItem* row : selected) {
        row->setSelected(true);
    }
    if (current != nullptr) {
        view.setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
}

}  // namespace

int GetFolderIcon() { return FolderImage; }

bool FillListView(TShellBrowser& browser, QTreeWidget& view, bool details)
{
    const TBusyCursor busy;
    view.setUpdatesEnabled(false);
    view.clear();
    view.setRootIsDecorated(false);
    CreateViewColumns(browser, view, details);
    QList<QTreeWidgetItem*> rows;
    while (browser.Next()) {
        auto row = std::make_unique<QTreeWidgetItem>();
        const std::string id = browser.ItemIdList();
        const bool isFolder = browser.IsFolder();
        row->setText(0, ShellText(browser.GetShellObjectName()));
        row->setIcon(0, ShellIcon(id, isFolder));
        row->setData(0, ImageIndexRole, ImageIndexOf(id, isFolder));
        row->setData(0, ShellIdRole, IdToData(id));
        for (int column = 1; column < view.columnCount(); ++column) {
            row->setText(column, ShellColumnText(browser, column));
            row->setTextAlignment(column, AlignmentOf(TShellBrowser::GetColumnInfo(column).alignment));
        }
        rows.append(row.release());
    }
    view.addTopLevelItems(rows);
    if (browser.ListView.columnsExisted) {
        HandleColumnClick(browser, &view, 0);
    }
    view.setUpdatesEnabled(true);
    return true;
}

void HandleColumnClick(TShellBrowser& browser, QObject* sender, int column)
{
    auto* view = qobject_cast<QTreeWidget*>(sender);
    if (view == nullptr) {
        return;
    }
    TShellBrowser::TListViewState& state = browser.ListView;
    if (column == state.sortColumn) {
        state.sortDirection = -state.sortDirection;
    } else {
        state.sortColumn = column;
        state.sortDirection = 1;
    }
    CustomSort(*view, column - 1, state.sortDirection);
}

int ListViewColumnCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2, int p, int direction)
{
    if (item1 == nullptr || item2 == nullptr) {
        return 0;
    }
    int result = 0;
    if (p < 0) {
        const int image1 = item1->data(0, ImageIndexRole).toInt();
        const int image2 = item2->data(0, ImageIndexRole).toInt();
        if (image1 != image2 && image1 == GetFolderIcon()) {
            result = -1;
        } else if (image1 != image2 && image2 == GetFolderIcon()) {
            result = 1;
        } else {
            result = CompareText(item1->text(0), item2->text(0));
        }
    } else {
        const QString text1 = item1->text(p + 1);
        const QString text2 = item2->text(p + 1);
        const std::optional<qint64> time1 = ParseDateTimeText(text1, p);
        const std::optional<qint64> time2 = ParseDateTimeText(text2, p);
        const std::optional<double> size1 = ParseSizeText(text1);
        const std::optional<double> size2 = ParseSizeText(text2);
        if (time1 && time2) {
            result = Sign(*time1 - *time2);
        } else if (size1 && size2) {
            result = *size1 < *size2 ? -1 : (*size1 > *size2 ? 1 : 0);
        } else {
            result = CompareText(text1, text2);
        }
    }
    return result * direction;
}

std::optional<qint64> ParseDateTimeText(const QString& text, int p)
{
    // In the shell's own form, or in the user's short form.
    const bool date = p > 0 && (text.contains('-') || text.contains('/') || text.contains('.'));
    const bool time = text.contains(':');
    const QLocale locale;
    if (date && time) {
        for (const QDateTime& when : {QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm")),
                                      QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                      locale.toDateTime(text, QLocale::ShortFormat)}) {
            if (when.isValid()) {
                return when.toMSecsSinceEpoch();
            }
        }
    } else if (date) {
        for (const QDate& day : {QDate::fromString(text, Qt::ISODate), locale.toDate(text, QLocale::ShortFormat)}) {
            if (day.isValid()) {
                return day.startOfDay().toMSecsSinceEpoch();
            }
        }
    } else if (time) {
        for (const QTime& moment : {QTime::fromString(text, Qt::ISODate), locale.toTime(text, QLocale::ShortFormat)}) {
            if (moment.isValid()) {
                return moment.msecsSinceStartOfDay();
            }
        }
    }
    return std::nullopt;
}

std::optional<double> ParseSizeText(const QString& text)
{
    // Grouped as the user's locale groups the size column's digits.
    const QString number = text.section(' ', 0, 0);
    bool ok = false;
    const double value = QLocale().toDouble(number, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

}  // namespace zk
