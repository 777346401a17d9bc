#include "shell/shell_list_views.h"

#include <QFontMetricsF>

#include <cmath>

#include "shell/shell_list_model.h"

namespace zk {

QSize TShellWidestNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (const auto* model = qobject_cast<const TShellListModel*>(index.model()); model != nullptr) {
        // The style rounds each text's width up to whole pixels: so are
        // both widths here, or the widest name would lose its last pixel
        // and be cut short.
        const qreal sample = QFontMetricsF(option.font).horizontalAdvance(index.data().toString());
        size.rwidth() += static_cast<int>(std::ceil(model->WidestNameWidth(option.font)) - std::ceil(sample));
    }
    return size;
}

}  // namespace zk
