// The list as a drag source and as a drop target. Files travel as file
// URLs; a drop onto the list goes into its folder, or into the folder item
// under it, copied, moved or linked by the keys held. The drag's own event
// loop may see the rows change: only paths are held across it.

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

#include "shell/shell_list.h"
#include "shell/shell_refusals.h"

namespace zk {

using Op = TQorShellOperation;

void TQorShellList::StartDrag(QAbstractItemView* view, Qt::DropActions actions)
{
    const std::vector<std::string> paths = SelectedPaths();
    if (paths.empty()) {
        return;
    }
    auto* drag = new QDrag(view);  // the drag deletes itself when it ends
    drag->setMimeData(FileListToMimeData(paths, false).release());
    const Qt::DropAction effect = drag->exec(actions, Qt::CopyAction);
    switch (effect) {
    case Qt::IgnoreAction: break;
    case Qt::CopyAction: Operation({Op::sopDrag, Op::sopCopy}, paths, {}); break;
    case Qt::MoveAction:
        SmartRefresh();
        Operation({Op::sopDrag, Op::sopMove, Op::sopRemove}, paths, {});
        break;
    default: Operation({Op::sopDrag}, paths, {}); break;
    }
}

std::string TQorShellList::DropFolderAt(QAbstractItemView* view, QPoint point, const std::vector<std::string>& files,
                                        std::string& item) const
{
    item.clear();
    std::string folder = m_browser.FolderIdList();
    if (const QModelIndex under = view->indexAt(point); under.isValid()) {
        const TQorShellListItem& row = Item(under.row());
        if (!row.IsParentFolder && row.IsFolder) {
            item = row.RelativeIdList;
            folder = item;
        }
    }
    return !m_readOnly && CanDropInto(files, folder) ? folder : std::string();
}

bool TQorShellList::DragEvent(QAbstractItemView* view, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        m_lastScroll.start();
        if (m_readOnly || DataObjectToFileList(enter->mimeData()).empty()) {
            enter->ignore();
        } else {
            enter->acceptProposedAction();
        }
        return true;
    }
    case QEvent::DragMove: {
        auto* move = static_cast<QDragMoveEvent*>(event);
        const QPoint point = move->position().toPoint();
        if (!m_lastScroll.isValid() || m_lastScroll.elapsed() > AUTOSCROLL_DELAY_MS) {
            AutoScrollAtPoint(*view, point);
            m_lastScroll.start();
        }
        const std::vector<std::string> files = DataObjectToFileList(move->mimeData());
        std::string item;
        const std::string folder = DropFolderAt(view, point, files, item);
        m_model->SetDropTarget(folder.empty() ? std::string() : item);
        const Qt::DropAction action = ChooseDropAction(files, folder, move->modifiers(), CreateLinkOnDrop, move->possibleActions());
        if (folder.empty() || (move->possibleActions() & action) == 0) {
            move->ignore();
        } else {
            move->setDropAction(action);
            move->accept();
        }
        return true;
    }
    case QEvent::DragLeave:
        m_model->SetDropTarget({});
        event->accept();
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        m_model->SetDropTarget({});
        const std::vector<std::string> files = DataObjectToFileList(drop->mimeData());
        std::string item;
        const std::string folder = DropFolderAt(view, drop->position().toPoint(), files, item);
        const Qt::DropAction action = ChooseDropAction(files, folder, drop->modifiers(), CreateLinkOnDrop, drop->possibleActions());
        if (folder.empty() || (drop->possibleActions() & action) == 0) {
            drop->ignore();
            return true;
        }
        // Why a file did not go is said once the drop has been answered.
        QStringList refusals;
        if (!TransferFiles(files, folder, action, refusals)) {
            drop->ignore();
            SayWhyNotLater(this, tr("Drop"), refusals);
            return true;
        }
        drop->setDropAction(action);
        drop->accept();
        SmartRefresh();
        const std::string destination = item.empty() ? Path() : item;
        switch (action) {
        case Qt::MoveAction: Operation({Op::sopDrop, Op::sopMove}, files, destination); break;
        case Qt::CopyAction: Operation({Op::sopDrop, Op::sopCopy}, files, destination); break;
        default: Operation({Op::sopDrop}, files, destination); break;
        }
        if (m_link) {
            m_link->SmartRefresh(this);
        }
        SayWhyNotLater(this, tr("Drop"), refusals);
        return true;
    }
    default: return false;
    }
}

}  // namespace zk
