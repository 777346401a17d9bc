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
        // The name takes what the details leave, so that none of them is
        // pushed past the view's edge.
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < details->header()->count(); ++column) {
            details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
    // Enter in the completion list takes the typed name and closes the
    // dialog, or opens the folder it names and empties the field, but Qt
    // leaves the list up: it would float over the program, or over the
    // dialog's list of kinds, holding the mouse until the next click or Esc.
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
        const auto hideCompletion = [name] {
            if (const QCompleter* completion = name->completer(); completion != nullptr) {
                completion->popup()->hide();
            }
        };
        QObject::connect(name, &QLineEdit::returnPressed, name, hideCompletion);
    }
}

}  // namespace zk
