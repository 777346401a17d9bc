#pragma once
// Filling and sorting a plain list view from a TShellBrowser: the objects of
// the browser's folder as rows of a QTreeWidget used as a flat report list
// (column 0 the name, further columns the details), sorted by a column when
// its header is clicked. A small view for small folders; the shell list
// view is the one for browsing large ones.

#include <QTreeWidget>

#include <optional>

#include "platform/shell_browser.h"

namespace zk {

// Item data role of a row's image index: the kind of icon it shows.
inline constexpr int ImageIndexRole = Qt::UserRole + 20;
// The image index of a plain folder's icon; the name sort puts such rows first.
int GetFolderIcon();

// Refills the view with the browser's folder: its detail columns (only the
// name without details), keeping the widths the columns had for the
// previous folder, and, once a folder has had columns, sorted by name
// through HandleColumnClick, so each refill sorted by name reverses it.
bool FillListView(platform::TShellBrowser& browser, QTreeWidget& view, bool details);

// A click on column's header of the view that sender is: the column sorted
// last reverses its direction, another one sorts ascending.
void HandleColumnClick(platform::TShellBrowser& browser, QObject* sender, int column);

// The order of two rows, times direction (+1 or -1): for p = -1 by name,
// plain folders first; for p >= 0 by the text of column p + 1, as times
// when both are, else as sizes when both are, else as text.
int ListViewColumnCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2, int p, int direction);

// A detail text as a point in time (ms): column p is taken for a date only
// beyond the first detail column (p > 0), where dates are shown.
std::optional<qint64> ParseDateTimeText(const QString& text, int p);
// A size text ("1,234 KB", its digits grouped as the user's locale groups
// them) as a number, the part before the first blank.
std::optional<double> ParseSizeText(const QString& text);

}  // namespace zk
