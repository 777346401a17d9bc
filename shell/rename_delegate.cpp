#include "shell/rename_delegate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVariant>

#include "shell/shell_items.h"

namespace zk {

void TRenameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // Only once, when the editor opens: a view hands a changed row (a
    // refresh, a node probed when drawn) to its open editor again, which
    // would replace the name being typed.
    static constexpr const char* Filled = "zkNameFilled";
    if (editor->property(Filled).toBool()) {
        return;
    }
    editor->setProperty(Filled, true);
    QStyledItemDelegate::setEditorData(editor, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr || index.data(ShellIsFolderRole).toBool()) {
        return;
    }
    const int extension = line->text().lastIndexOf('.');
    if (extension > 0) {
        // After the view's own select-all, which follows this call.
        QTimer::singleShot(0, line, [line, extension] { line->setSelection(0, extension); });
    }
}

void TRenameDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    const auto* line = qobject_cast<const QLineEdit*>(editor);
    if (line == nullptr) {
        return;
    }
    // Later, not from within the editor's own key or focus handling: a
    // refused rename shows a message box.
    QTimer::singleShot(0, this, [this, row = QPersistentModelIndex(index), text = line->text()] {
        if (OnEdited) {
            OnEdited(row, text);
        }
    });
}

bool TRenameDelegate::eventFilter(QObject* editor, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* widget = qobject_cast<QWidget*>(editor);
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && widget != nullptr) {
            // The base class would commit and then edit the next or the
            // previous row, making it current and selected: the edit ends
            // as with Enter, and the selection stays where it was.
            emit commitData(widget);
            emit closeEditor(widget, QAbstractItemDelegate::SubmitModelCache);
            return true;
        }
    }
    const bool handled = QStyledItemDelegate::eventFilter(editor, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // The base class ends the edit (later, for Enter) but lets the
            // key travel on to the view and the window, which would act on
            // it as well: open the item, press the default button.
            return true;
        default: break;
        }
    }
    return handled;
}

}  // namespace zk
