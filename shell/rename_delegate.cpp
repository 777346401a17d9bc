#include "shell/rename_delegate.h"

#include <QLineEdit>
#include <QTimer>

namespace zk {

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

}  // namespace zk
