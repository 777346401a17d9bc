#include "ui/file_dialog_columns.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace zk {

void FitDetailColumns(QFileDialog& dialog)
{
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        for (int column = 1; column < details->header()->count(); ++column) {
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
}

}  // namespace zk
