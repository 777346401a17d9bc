// The tree's commands on its selected node: the context menu, the verbs,
// the keys, in-place renaming and new folders.

#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

#include <filesystem>
#include <unistd.h>

#include "platform/trash.h"
#include "shell/shell_items.h"
#include "shell/shell_refusals.h"
#include "shell/shell_tree.h"

namespace zk {

using platform::TQorShellFolder;
using platform::TShellBrowser;
using Op = TQorShellOperation;

namespace {

bool CaseInsensitiveEqual(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

bool TQorShellTree::IsPlainObject(QTreeWidgetItem* node)
{
    const std::string id = NodeId(node);
    return node != nullptr && node->parent() != nullptr && !id.empty() &&
           TShellBrowser::SpecialFolderOf(id) == TQorShellFolder::SF_FILESYSTEMFOLDER;
}

void TQorShellTree::Operation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                              const std::string& destination)
{
    if (OnOperation && !files.empty()) {
        OnOperation(*this, operation, files, destination);
    }
}

bool TQorShellTree::InvokeCommandOnSelected(const std::string& verb)
{
    QTreeWidgetItem* node = currentItem();
    if (node == nullptr) {
        return false;
    }
    const std::string command = verb.empty() ? "default" : verb;
    bool execute = true;
    if (OnContextMenuSelect) {
        OnContextMenuSelect(command, execute);
    } else if (m_readOnly && (command == "delete" || command == "cut" || command == "paste" || command == "newfolder")) {
        execute = false;
    }
    if (!execute) {
        return false;
    }
    const std::string id = NodeId(node);
    if (command == "default" || command == "open") {
        if (node->data(0, ShellIsFolderRole).toBool()) {
            node->setExpanded(true);
            return true;
        }
        return !id.empty() && QDesktopServices::openUrl(UrlFromPath(id));
    }
    if (command == "rename") {
        return EditSelected();
    }
    if (command == "delete") {
        return DeleteSelected();
    }
    if (command == "copy" || command == "cut") {
        if (!IsPlainObject(node) && command == "cut") {
            return false;
        }
        if (id.empty()) {
            return false;
        }
        SetClipboardFiles({id}, command == "cut");
        if (command == "cut") {
            MarkCut(node);
        }
        return true;
    }
    if (command == "paste") {
        return PasteInto(node);
    }
    if (command == "newfolder") {
        return !id.empty() && !CreateDir(id, "", true).empty();
    }
    if (command == "refresh") {
        Refresh();
        return true;
    }
    return false;
}

bool TQorShellTree::DeleteSelected()
{
    QTreeWidgetItem* node = currentItem();
    if (!IsPlainObject(node)) {
        return false;
    }
    const std::string path = NodeId(node);
    if (const platform::TTrashResult trashed = platform::MoveToTrash(path); !trashed) {
        // The node stays, as the object does; it is not used after the message.
        QMessageBox::warning(this, tr("Move to Trash"), TrashRefusal(path, trashed.reason));
        return false;
    }
    // The selection that follows goes out at once.
    m_sendSelectionNow = true;
    DeleteNode(node);
    Operation({Op::sopDelete, Op::sopRemove}, {path}, {});
    return true;
}

bool TQorShellTree::PasteInto(QTreeWidgetItem* node)
{
    const std::string folder = NodeId(node);
    if (folder.empty() || !node->data(0, ShellIsFolderRole).toBool()) {
        return false;
    }
    QStringList refusals;
    const std::vector<std::string> files = PasteClipboardInto(folder, refusals);
    if (!files.empty()) {
        std::error_code error;
        const bool moved = !std::filesystem::exists(std::filesystem::symlink_status(files.front(), error));
        QApplication::processEvents();
        // A moved folder also leaves its old parent.
        Refresh();
        Operation({moved ? Op::sopMove : Op::sopCopy, Op::sopPaste, Op::sopAdd}, files, folder);
        if (m_link) {
            m_link->SmartRefresh(this);
        }
    }
    // Last: the nodes may change while the message is shown.
    SayWhyNot(this, tr("Paste"), refusals);
    return !files.empty();
}

void TQorShellTree::MarkCut(QTreeWidgetItem* node)
{
    // Only the latest cut is shown dimmed.
    for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
        if ((*it)->data(0, ShellCutRole).toBool()) {
            (*it)->setData(0, ShellCutRole, false);
            (*it)->setForeground(0, palette().text());
        }
    }
    node->setData(0, ShellCutRole, true);
    node->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
}

std::string TQorShellTree::CreateDir(const std::string& parent, const std::string& name, bool edit)
{
    if (m_readOnly || parent.empty()) {
        return {};
    }
    const std::string base = parent.ends_with('/') ? parent : parent + "/";
    const std::string folderName = name.empty() ? platform::UniqueName(base, "New Folder") : name;
    if (folderName.empty() || folderName.find('/') != std::string::npos || folderName == "." || folderName == "..") {
        return {};
    }
    std::string reason;
    const bool made = platform::CreateFolder(base + folderName, &reason);
    std::error_code error;
    if (!made && !std::filesystem::is_directory(base + folderName, error)) {
        QMessageBox::warning(this, tr("New Folder"), tr("No new folder can be made: %1.").arg(ShellText(reason)));
        return {};
    }
    SetSelectedFolder(parent);
    QTreeWidgetItem* node = currentItem();
    if (node == nullptr) {
        return {};
    }
    node->setExpanded(true);
    RefreshNode(node, false);
    for (int i = 0; i < node->childCount(); ++i) {
        if (CaseInsensitiveEqual(node->child(i)->text(0), ShellText(folderName))) {
            setCurrentItem(node->child(i));
            if (edit) {
                EditSelected();
            }
            break;
        }
    }
    return made ? base + folderName : std::string();
}

bool TQorShellTree::EditSelected()
{
    QTreeWidgetItem* node = currentItem();
    if (!IsPlainObject(node)) {
        return false;
    }
    m_browser.SetAbsoluteItemIdList(NodeId(node));
    if (std::string reason; !m_browser.CanRename(&reason)) {
        SayWhyNoRename(this, node->text(0), reason);
        return false;
    }
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    editItem(node, 0);
    m_edited = indexFromItem(node);
    m_editedId = NodeId(node);
    std::error_code error;
    m_editedIsFolder = std::filesystem::is_directory(m_editedId, error);
    return true;
}

void TQorShellTree::RenameEdited(const QPersistentModelIndex& index, const QString& text)
{
    // The object the edit was opened on, by its path: its node may have
    // gone with a refresh while the editor closed; the object is renamed,
    // or the user told why not, all the same.
    const std::string oldId = std::exchange(m_editedId, std::string());
    const auto editedNode = [&]() -> QTreeWidgetItem* {
        QTreeWidgetItem* node = index.isValid() ? itemFromIndex(index) : nullptr;
        return node != nullptr && NodeId(node) == oldId ? node : nullptr;
    };
    QTreeWidgetItem* node = editedNode();
    const QString oldText = node != nullptr ? node->text(0) : ShellText(oldId.substr(oldId.rfind('/') + 1));
    // Left as it was: a name that can't be shown exactly keeps its bytes.
    if (oldId.empty() || text == oldText) {
        return;
    }
    if (!RenameOrSayWhy(this, m_browser, oldId, m_editedIsFolder, oldText, text)) {
        return;  // the node may have gone while the message was shown
    }
    if (node = editedNode(); node == nullptr) {
        Refresh();
        Operation({Op::sopRename}, {oldId}, m_browser.ObjectName());
        return;
    }
    node->setText(0, ShellText(m_browser.GetShellObjectName()));
    Renamed(node, oldId);
}

void TQorShellTree::Renamed(QTreeWidgetItem* node, const std::string& oldId)
{
    const std::string newId = m_browser.ItemIdList();
    const std::string newName = m_browser.ObjectName();
    // The children's paths all changed: they are read again.
    const bool expanded = node->isExpanded();
    ForgetMonitors(node);
    while (node->childCount() > 0) {
        DeleteNode(node->child(0));
    }
    node->setData(0, ShellIdRole, IdToData(newId));
    m_browser.SetAbsoluteItemIdList(newId);
    node->setChildIndicatorPolicy(m_browser.HasSubFolders() || m_showFiles ? QTreeWidgetItem::ShowIndicator
                                                                           : QTreeWidgetItem::DontShowIndicator);
    if (expanded) {
        Expand(node);
        Watch(node);
    }
    // Last: the handlers may change the tree.
    Operation({Op::sopRename}, {oldId}, newName);
    if (m_link) {
        m_link->PathChanged(this, newId);
    }
}

void TQorShellTree::AskDelete()
{
    QTreeWidgetItem* node = currentItem();
    if (!IsPlainObject(node)) {
        return;
    }
    const std::string path = NodeId(node);
    const bool confirmed =
        OnConfirmDelete ? OnConfirmDelete(path)
                        : QMessageBox::question(this, tr("Move to Trash"),
                                                tr("Move \"%1\" to the trash?").arg(node->text(0))) == QMessageBox::Yes;
    // Only the node asked about, if it is still the selected one.
    if (confirmed && NodeId(currentItem()) == path) {
        InvokeCommandOnSelected("delete");
    }
}

QPoint TQorShellTree::KeyboardMenuPoint() const
{
    const QRect text = visualItemRect(currentItem());
    return viewport()->mapToGlobal(text.bottomRight());
}

void TQorShellTree::ShowContextMenu(const QPoint& screenPoint, std::string& verb)
{
    verb.clear();
    QTreeWidgetItem* node = currentItem();
    if (node == nullptr) {
        return;
    }
    const std::string id = NodeId(node);
    const bool isFolder = node->data(0, ShellIsFolderRole).toBool();
    const bool plain = IsPlainObject(node);
    m_browser.SetAbsoluteItemIdList(id);
    const bool canRename = plain && m_browser.CanRename();
    const bool canPaste = !m_readOnly && isFolder && !id.empty() && !ClipboardFiles().empty();

    QMenu menu(this);
    menu.setObjectName("ShellContextMenu");
    const auto add = [&menu](const QString& text, const char* verbName, bool enabled) {
        QAction* action = menu.addAction(text);
        action->setObjectName(verbName);
        action->setData(QString::fromLatin1(verbName));
        action->setEnabled(enabled);
        return action;
    };
    menu.setDefaultAction(add(tr("Open"), "open", true));
    menu.addSeparator();
    add(tr("Cut"), "cut", !m_readOnly && plain);
    add(tr("Copy"), "copy", !id.empty());
    add(tr("Paste"), "paste", canPaste);
    menu.addSeparator();
    add(tr("New Folder"), "newfolder", !m_readOnly && isFolder && !id.empty() && access(id.c_str(), W_OK) == 0);
    add(tr("Rename"), "rename", canRename);
    add(tr("Move to Trash"), "delete", !m_readOnly && plain);
    menu.addSeparator();
    add(tr("Refresh"), "refresh", true);
    if (PopupMenu && !PopupMenu->actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(PopupMenu->actions());
    }
    QAction* chosen = menu.exec(screenPoint);
    if (chosen == nullptr || chosen->data().toString().isEmpty()) {
        return;  // none, or one of the application's items, which ran itself
    }
    // The verb is for the node the menu was shown for; it may have gone
    // while the menu was up.
    if (NodeId(currentItem()) != id) {
        return;
    }
    const std::string command = chosen->data().toString().toStdString();
    if (command == "delete") {
        AskDelete();
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(id, error))) {
            verb = command;
        }
        return;
    }
    if (InvokeCommandOnSelected(command)) {
        verb = command;
    }
}

void TQorShellTree::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        // A right click selects the node it is on first.
        if (QTreeWidgetItem* node = itemAt(event->pos()); node != nullptr && node != currentItem()) {
            m_changeTimer.setInterval(ClickHandOverMs);
            setCurrentItem(node);
        }
    }
    if (!ShellContextMenu || currentItem() == nullptr) {
        QTreeWidget::contextMenuEvent(event);
        return;
    }
    const QPoint point = event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : KeyboardMenuPoint();
    std::string verb;
    ShowContextMenu(point, verb);
}

void TQorShellTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    QTreeWidgetItem* node = itemAt(event->pos());
    if (event->button() != Qt::LeftButton || node == nullptr || NodeId(node).empty()) {
        return;
    }
    if (OnDblClick) {
        OnDblClick();
    } else if (m_showFiles && !node->data(0, ShellIsFolderRole).toBool()) {
        InvokeCommandOnSelected("default");
    }
}

void TQorShellTree::keyPressEvent(QKeyEvent* event)
{
    // While a name is edited the keys are the editor's, also those it
    // leaves alone.
    if (Editing()) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    m_changeTimer.setInterval(KeyHandOverMs);
    const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    if (keys == Qt::NoModifier && key == Qt::Key_Delete) {
        if (!m_readOnly) {
            AskDelete();
        }
        return;
    }
    if (keys == Qt::ControlModifier && key == Qt::Key_A) {
        if (m_link) {
            m_link->SelectAll(this);
        }
        return;
    }
    if (keys == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V)) {
        if (key == Qt::Key_C) {
            InvokeCommandOnSelected("copy");
        } else if (!m_readOnly) {
            InvokeCommandOnSelected(key == Qt::Key_X ? "cut" : "paste");
        }
        return;
    }
    if (keys == Qt::NoModifier && key == Qt::Key_F2) {
        // Renaming is refused on a read-only tree, as its labels are.
        if (!m_readOnly) {
            EditSelected();
        }
        return;
    }
    if (keys == Qt::NoModifier && key == Qt::Key_F5) {
        Refresh();
        if (m_link) {
            m_link->Refresh(this);
        }
        return;
    }
    if ((keys == Qt::ShiftModifier && key == Qt::Key_F10) || key == Qt::Key_Menu) {
        if (ShellContextMenu && currentItem() != nullptr) {
            std::string verb;
            ShowContextMenu(KeyboardMenuPoint(), verb);
        }
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace zk
