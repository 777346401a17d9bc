#pragma once
// The two views of the shell list over its one model and one selection:
// the report (a row per object, with the detail columns) and the list
// style (names in columns). Drags are started by the list itself, and the
// in-place editor keeps what the user typed while the rows change.

#include <QListView>
#include <QTreeView>

#include <functional>

#include "shell/rename_delegate.h"

namespace zk {

template <class Base>
class TShellListView : public Base {
public:
    using Base::Base;

    std::function<void(Qt::DropActions)> OnStartDrag;

protected:
    void startDrag(Qt::DropActions actions) override
    {
        if (OnStartDrag) {
            OnStartDrag(actions);
        }
    }
};

using TShellReportView = TShellListView<QTreeView>;
using TShellNamesView = TShellListView<QListView>;

// The list style's delegate: its view gives every item the size of the
// first (which spares asking each item), so that size is the one of the
// widest name.
class TShellWidestNameDelegate : public TRenameDelegate {
public:
    using TRenameDelegate::TRenameDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace zk
