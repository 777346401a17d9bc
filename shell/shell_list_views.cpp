#include "shell/shell_list_views.h"

#include <QVariant>

namespace zk {

void TShellNameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static constexpr const char* Filled = "zkShellNameFilled";
    if (editor->property(Filled).toBool()) {
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
    editor->setProperty(Filled, true);
}

}  // namespace zk
