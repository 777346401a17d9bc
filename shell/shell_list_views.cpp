#include "shell/shell_list_views.h"

#include <QFontMetrics>
#include <QVariant>

#include "shell/shell_list_model.h"

namespace zk {

void TShellNameDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static constexpr const char* Filled = "zkShellNameFilled";
    if (editor->property(Filled).toBool()) {
        return;
    }
    TRenameDelegate::setEditorData(editor, index);
    editor->setProperty(Filled, true);
}

QSize TShellWidestNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (const auto* model = qobject_cast<const TShellListModel*>(index.model()); model != nullptr) {
        size.rwidth() += model->WidestNameWidth(option.font) - QFontMetrics(option.font).horizontalAdvance(index.data().toString());
    }
    return size;
}

}  // namespace zk
