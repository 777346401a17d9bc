// The tree as a drag source and as a drop target. Files travel as file
// URLs; a drop onto a folder node copies, moves or links them there by the
// keys held, as a file manager does.

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

#include "shell/shell_items.h"
#include "shell/shell_refusals.h"
#include "shell/shell_tree.h"

namespace zk {

using Op = TQorShellOperation;

void TQorShellTree::SetOleDragDrop(bool on)
{
    m_oleDragDrop = on;
    setDragEnabled(on);
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
    setDragDropMode(on ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
}

Qt::DropAction TQorShellTree::DropActionFor(const std::vector<std::string>& files, const std::string& folder,
                                           Qt::KeyboardModifiers keys, Qt::DropActions possible) const
{
    return ChooseDropAction(files, folder, keys, CreateLinkOnDrop, possible);
}

QTreeWidgetItem* TQorShellTree::DropTargetAt(QPoint point, const std::vector<std::string>& files) const
{
    QTreeWidgetItem* node = itemAt(point);
    const std::string folder = NodeId(node);
    if (node == nullptr || !node->data(0, ShellIsFolderRole).toBool() || !CanDropInto(files, folder)) {
        return nullptr;
    }
    return node;
}

void TQorShellTree::SetDropNode(QTreeWidgetItem* node)
{
    if (node == m_dropNode) {
        return;
    }
    if (m_dropNode != nullptr) {
        m_dropNode->setBackground(0, QBrush());
    }
    m_dropNode = node;
    if (m_dropNode != nullptr) {
        m_dropNode->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(160));
        m_hoverTimer.start();
    } else {
        m_hoverTimer.stop();
    }
}

void TQorShellTree::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* node = currentItem();
    if (!m_oleDragDrop || !IsPlainObject(node)) {
        return;  // roots and the desktop's folders stay where they are
    }
    const std::string path = NodeId(node);
    QDrag* drag = new QDrag(this);  // the drag deletes itself when it ends
    drag->setMimeData(FileListToMimeData({path}, false).release());
    drag->setPixmap(node->icon(0).pixmap(16, 16));
    const Qt::DropAction effect = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    QApplication::processEvents();
    Refresh();
    switch (effect) {
    case Qt::CopyAction: Operation({Op::sopDrag, Op::sopCopy}, {path}, {}); break;
    case Qt::MoveAction: Operation({Op::sopDrag, Op::sopMove, Op::sopRemove}, {path}, {}); break;
    case Qt::IgnoreAction: break;
    default: Operation({Op::sopDrag}, {path}, {}); break;
    }
}

void TQorShellTree::dragEnterEvent(QDragEnterEvent* event)
{
    m_lastScroll.start();
    if (m_readOnly || DataObjectToFileList(event->mimeData()).empty()) {
        event->ignore();
        return;
    }
    // Accepted over the whole tree, so that moves keep arriving; each node
    // is judged as the drag passes it.
    event->acceptProposedAction();
}

void TQorShellTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (m_readOnly) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (!m_lastScroll.isValid() || m_lastScroll.elapsed() > AUTOSCROLL_DELAY_MS) {
        AutoScrollAtPoint(*this, point);
        m_lastScroll.start();
    }
    const std::vector<std::string> files = DataObjectToFileList(event->mimeData());
    QTreeWidgetItem* node = DropTargetAt(point, files);
    SetDropNode(node);
    if (node == nullptr) {
        event->ignore(visualItemRect(itemAt(point)));
        return;
    }
    const Qt::DropAction action = DropActionFor(files, NodeId(node), event->modifiers(), event->possibleActions());
    if ((event->possibleActions() & action) == 0) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept(visualItemRect(node));
}

void TQorShellTree::dragLeaveEvent(QDragLeaveEvent* event)
{
    SetDropNode(nullptr);
    event->accept();
}

void TQorShellTree::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = DataObjectToFileList(event->mimeData());
    QTreeWidgetItem* node = m_readOnly ? nullptr : DropTargetAt(event->position().toPoint(), files);
    SetDropNode(nullptr);
    const Qt::DropAction action = node != nullptr ? DropActionFor(files, NodeId(node), event->modifiers(), event->possibleActions())
                                                  : Qt::IgnoreAction;
    if (node == nullptr || (event->possibleActions() & action) == 0) {
        event->ignore();
        return;
    }
    const std::string folder = NodeId(node);
    // Why a file did not go is said once the drop has been answered.
    QStringList refusals;
    if (!TransferFiles(files, folder, action, refusals)) {
        event->ignore();
        SayWhyNotLater(this, tr("Drop"), refusals);
        return;
    }
    event->setDropAction(action);
    event->accept();
    QApplication::processEvents();
    switch (action) {
    case Qt::MoveAction: Operation({Op::sopDrop, Op::sopMove}, files, folder); break;
    case Qt::CopyAction: Operation({Op::sopDrop, Op::sopCopy}, files, folder); break;
    default: Operation({Op::sopDrop}, files, folder); break;
    }
    // The node may have gone while events ran.
    Refresh();
    if (m_link) {
        m_link->SmartRefresh(this);
    }
    SayWhyNotLater(this, tr("Drop"), refusals);
}

}  // namespace zk
