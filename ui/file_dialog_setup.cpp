#include "ui/file_dialog_setup.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

namespace zk {

void SetUpFileDialog(QFileDialog& dialog)
{
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        for (int column = 1; column < details->header()->count(); ++column) {
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
    // Enter in the completion list takes the typed name and closes the
    // dialog, but Qt leaves the list up: it would float over the program,
    // holding the mouse, until the next click.
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
        QObject::connect(&dialog, &QDialog::finished, name, [name] {
            if (const QCompleter* completion = name->completer(); completion != nullptr) {
                completion->popup()->hide();
            }
        });
    }
}

}  // namespace zk
