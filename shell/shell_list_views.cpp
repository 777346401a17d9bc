#include "shell/shell_list_views.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QVariant>

#include <algorithm>

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
    const QAbstractItemModel* model = index.model();
    if (model == nullptr) {
        return size;
    }
    const QFontMetrics metrics(option.font);
    int widest = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        widest = std::max(widest, metrics.horizontalAdvance(model->index(row, 0).data().toString()));
    }
    size.rwidth() += widest - metrics.horizontalAdvance(index.data().toString());
    return size;
}

}  // namespace zk
