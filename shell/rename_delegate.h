#pragma once
// The in-place editor of the shell views' names. A finished edit does not
// write into the view's model: it hands the typed text to OnEdited, once
// the editor has closed, and the view renames the object on disk. So only a
// finished edit renames, and what a view shows changes only when the
// object's name did. The key that ends an edit (Enter, Escape, Tab,
// Shift+Tab) ends it and goes no further: neither the view nor a dialog's
// default button sees it, and Tab moves neither the selection nor the edit
// to another row.

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

#include <functional>

namespace zk {

class TRenameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The edited row (invalid when it went meanwhile) and the text typed.
    std::function<void(const QPersistentModelIndex& index, const QString& text)> OnEdited;

    // Fills the editor with the name, once, and selects a file's name
    // without its extension, as desktops do, so a typed name keeps the
    // file's kind.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

}  // namespace zk
