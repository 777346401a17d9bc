#pragma once
// The rows of the shell list: one record per object of the shown folder,
// found by its identifier through a hash, kept in the list's sort order.
// Only what sorting by name needs is read when a row is added; the other
// column texts and the icon are read when a view first draws the row, and
// then kept. Changes arrive as inserted, removed and moved rows, so views
// keep their selection and an open editor across them.

#include <QAbstractTableModel>
#include <QCollatorSortKey>
#include <QFont>
#include <QIcon>

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/shell_browser.h"

namespace zk {

// What the list knows of one row.
struct TQorShellListItem {
    std::string RelativeIdList;  // the object's identifier (its path); empty for the parent-folder item
    std::string Name;            // as shown, in the file system's bytes
    bool IsParentFolder = false;
    bool IsFolder = false;
    bool Cut = false;  // cut to the clipboard: drawn dimmed
    int Refreshed = 1;  // 1 when seen by the latest enumeration
    // The texts of the detail columns, once read (index 0 unused).
    std::optional<std::array<QString, platform::ShellColumnCount>> SubItems;
};

class TShellListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TShellListModel(QObject* parent = nullptr);
    ~TShellListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    struct TColumn {
        QString caption;
        Qt::Alignment alignment;
    };
    // Replaces all rows and columns; desktop tells that the rows are the
    // desktop's objects, which keep their given order.
    void Reset(std::vector<TColumn> columns, std::vector<TQorShellListItem> items, bool desktop);
    int Count() const { return static_cast<int>(m_rows.size()); }
    const TQorShellListItem& Item(int row) const { return m_rows[static_cast<std::size_t>(row)]->item; }
    // The row of an identifier, or -1.
    int RowOf(const std::string& id) const;
    // The texts of the detail columns of a row, read now if not yet.
    const std::array<QString, platform::ShellColumnCount>& SubItems(int row) const;
    static void ReadSubItems(TQorShellListItem& item);
    // The width of the widest name in a font; each row's width is measured
    // once for that font.
    qreal WidestNameWidth(const QFont& font) const;

    // Sorting: by a column (beyond the columns: by caption), reversed or not.
    // The parent-folder item leads in either direction.
    void Sort(int column, bool reverse);

    // A merge: every row is marked unseen, rows seen again are marked, then
    // the unseen ones go and the new ones come in at their sorted places.
    // The row being renamed in place stays while its editor is open, so
    // that the edit is not lost; it goes at the first merge after.
    void MarkAllUnseen();
    // False when no row of that kind has the identifier: an object replaced
    // by one of the other kind is a new row, which the list's filters judge.
    bool MarkSeen(const std::string& id, bool isFolder);
    // Returns the rows that went.
    std::vector<TQorShellListItem> Merge(std::vector<TQorShellListItem> added);
    // A merge kept the edited row although its object went or changed.
    bool EditedRowKept() const { return m_editedRowKept; }

    // After a rename: the row's new identifier and name; it moves to its
    // sorted place. A row of a gone object that still has the identifier goes.
    void Rename(int row, const std::string& id, const std::string& name);
    void SetCut(int row, bool cut);
    // The row a drag hovers is highlighted; none for an empty identifier.
    void SetDropTarget(const std::string& id);
    // Only the row being renamed in place is editable, and only while the
    // list's own edit runs. A finished edit writes nothing here: the list
    // renames the object and then calls Rename.
    void SetEditable(const std::string& id) { m_editable = id; }
    const std::string& Editable() const { return m_editable; }

private:
    struct TRow {
        mutable TQorShellListItem item;  // mutable for its SubItems, read when first drawn
        QString text;  // Name for display
        QCollatorSortKey key;
        int order = 0;  // position in the enumeration
        int row = 0;    // valid while m_numbered
        mutable std::optional<QIcon> icon;
        mutable qreal width = -1;  // of text, in the font m_widthFont names
        // Read for sorting by size, type or date.
        mutable bool factsRead = false;
        mutable std::int64_t size = -1;
        mutable std::time_t modified = 0;
    };
    std::unique_ptr<TRow> MakeRow(TQorShellListItem item, int order) const;
    void ReadFacts(const TRow& row) const;
    int Compare(const TRow& a, const TRow& b) const;
    bool Less(const TRow& a, const TRow& b) const;
    // Where a row goes among the sorted rows.
    int SortedPosition(const TRow& row) const;
    void Number() const;
    void EmitRowChanged(int row);

    std::vector<std::unique_ptr<TRow>> m_rows;
    std::unordered_map<std::string, TRow*> m_byId;
    std::vector<TColumn> m_columns;
    mutable bool m_numbered = true;
    bool m_desktop = false;
    int m_sortColumn = 0;
    int m_direction = 1;
    int m_nextOrder = 0;
    std::string m_dropTarget;
    mutable QString m_widthFont;  // QFont::key()
    std::string m_editable;
    bool m_editedRowKept = false;
};

}  // namespace zk
