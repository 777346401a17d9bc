// The list's commands: verbs on the selection and on the shown folder, the
// context menus, the keys, in-place renaming and cut marks. Whatever runs
// a nested event loop (a menu, a question) holds paths, not rows, and looks
// them up again afterwards: the folder's refresh may change the rows.

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <set>

#include "platform/file_operations.h"
#include "platform/trash.h"
#include "shell/shell_items.h"
#include "shell/shell_list.h"
#include "shell/shell_refusals.h"

namespace zk {

using Op = TQorShellOperation;

namespace {

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

void TQorShellList::Operation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                              const std::string& destination)
{
    if (OnOperation && !files.empty()) {
        OnOperation(*this, operation, files, destination);
    }
    const bool objectsChanged = operation.contains(Op::sopMove) || operation.contains(Op::sopDelete) ||
                                operation.contains(Op::sopRemove) || operation.contains(Op::sopRename);
    if (objectsChanged && m_link) {
        m_link->SmartRefresh(this);
    }
}

bool TQorShellList::InvokeCommandOnSelected(const std::string& verb)
{
    const std::vector<int> selected = SelectedItems();
    if (selected.empty()) {
        return false;
    }
    if (verb == "default" || verb == "open") {
        if (selected.size() == 1 && IsParentItem(selected.front())) {
            GoUp();
            return true;
        }
        return selected.size() == 1 && OpenObject(GetFullPath(selected.front()));
    }
    const std::vector<std::string> paths = SelectedPaths();
    if (verb == "delete") {
        return !m_readOnly && TrashObjects(paths);
    }
    if (verb == "copy" || verb == "cut") {
        return CopyObjects(paths, verb == "cut");
    }
    if (verb == "rename") {
        return selected.size() == 1 && EditItem(selected.front());
    }
    return false;
}

bool TQorShellList::OpenObject(const std::string& id)
{
    const int row = IndexOfPIDL(id);
    if (row < 0) {
        return false;
    }
    if (!Item(row).IsFolder) {
        // A file opens as a double click opens it: by whoever shows the
        // list when it asks to, else by the desktop.
        if (OnDblClick) {
            OnDblClick();
            return true;
        }
        return QDesktopServices::openUrl(UrlFromPath(id));
    }
    m_browser.SetItemIdList(id);
    if (!m_browser.BrowseObject()) {
        return false;
    }
    if (m_link) {
        m_link->PathChanged(this, m_browser.FolderIdList());
    }
    Refresh();
    return true;
}

bool TQorShellList::TrashObjects(const std::vector<std::string>& paths)
{
    std::vector<std::string> trashed;
    QStringList refusals;
    for (const std::string& path : paths) {
        if (const platform::TTrashResult result = platform::MoveToTrash(path); result) {
            trashed.push_back(path);
        } else {
            refusals.append(TrashRefusal(path, result.reason));
        }
    }
    if (!trashed.empty()) {
        SmartRefresh();
        Operation({Op::sopDelete, Op::sopRemove}, trashed, {});
    }
    // Last: the rows may change while the message is shown.
    if (!refusals.isEmpty()) {
        QMessageBox::warning(this, tr("Move to Trash"), refusals.join('\n'));
    }
    return !trashed.empty();
}

bool TQorShellList::CopyObjects(const std::vector<std::string>& paths, bool cut)
{
    if (paths.empty() || (cut && m_readOnly)) {
        return false;
    }
    SetClipboardFiles(paths, cut);
    if (cut) {
        // Only the latest cut is shown dimmed.
        const std::set<std::string> marked(paths.begin(), paths.end());
        for (int row = 0; row < ItemCount(); ++row) {
            m_model->SetCut(row, marked.contains(Item(row).RelativeIdList));
        }
    }
    return true;
}

void TQorShellList::ClipboardChanged()
{
    bool anyCut = false;
    for (int row = 0; row < ItemCount() && !anyCut; ++row) {
        anyCut = Item(row).Cut;
    }
    if (!anyCut) {
        return;
    }
    // Cut objects a paste has moved away go now (and are reported); the
    // others stay dimmed while the clipboard still holds them as cut.
    SmartRefresh();
    const std::vector<std::string> files = ClipboardIsCut() ? ClipboardFiles() : std::vector<std::string>();
    const std::set<std::string> stillCut(files.begin(), files.end());
    for (int row = 0; row < ItemCount(); ++row) {
        if (Item(row).Cut && !stillCut.contains(Item(row).RelativeIdList)) {
            m_model->SetCut(row, false);
        }
    }
}

bool TQorShellList::InvokeCommandOnFolder(const std::string& verb)
{
    if (verb == "newfolder") {
        return CreateDir({}, true);
    }
    const std::string folder = m_browser.FolderIdList();
    if (verb != "paste" || m_readOnly || folder.empty()) {
        return false;
    }
    QStringList refusals;
    const std::vector<std::string> files = PasteClipboardInto(folder, refusals);
    if (!files.empty()) {
        SmartRefresh();
        const bool moved = !Exists(files.front());
        Operation({moved ? Op::sopMove : Op::sopCopy, Op::sopPaste, Op::sopAdd}, files, Path());
        if (m_link) {
            m_link->SmartRefresh(this);
        }
    }
    // Last: the rows may change while the message is shown.
    SayWhyNot(this, tr("Paste"), refusals);
    return !files.empty();
}

bool TQorShellList::CreateDir(const std::string& name, bool edit)
{
    const std::string folder = m_browser.FolderIdList();
    if (m_readOnly || folder.empty()) {
        return false;
    }
    const std::string folderName = name.empty() ? platform::UniqueName(folder, "New Folder") : name;
    if (folderName.empty() || folderName.find('/') != std::string::npos) {
        return false;
    }
    const std::string path = (folder == "/" ? folder : folder + "/") + folderName;
    if (std::string reason; !platform::CreateFolder(path, &reason)) {
        QMessageBox::warning(this, tr("New Folder"), tr("No new folder can be made: %1.").arg(ShellText(reason)));
        return false;
    }
    if (edit) {
        SmartRefresh();
        if (const int index = IndexOfPIDL(path); index >= 0) {
            SelectItem(index);
            EditItem(index);
        }
    }
    return true;
}

bool TQorShellList::Editing() const
{
    // From the editor opening until the typed name has been dealt with. A
    // view's state says nothing here: rows going or coming reset it while
    // the editor stays open.
    const int row = IndexOfPIDL(m_editedId);
    if (row < 0) {
        return false;
    }
    const QModelIndex index = m_model->index(row, 0);
    return m_handOverPending || m_report->indexWidget(index) != nullptr || m_listView->indexWidget(index) != nullptr;
}

bool TQorShellList::EditItem(int index)
{
    if (m_readOnly || index < 0 || index >= ItemCount() || IsParentItem(index)) {
        return false;
    }
    const std::string id = GetFullPath(index);
    m_browser.SetItemIdList(id);
    if (std::string reason; !m_browser.CanRename(&reason)) {
        SayWhyNoRename(this, ItemText(index), reason);
        return false;
    }
    m_model->SetEditable(id);
    m_editedId = id;
    m_editedIsFolder = Item(index).IsFolder;
    m_handOverPending = false;
    const QModelIndex row = m_model->index(index, 0);
    QAbstractItemView* view = ShownView();
    // The edit is of the current item: a view ends an edit when its current item changes.
    view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    view->setFocus();
    view->scrollTo(row);
    view->edit(row);
    if (view->indexWidget(row) == nullptr) {
        m_model->SetEditable({});
        m_editedId.clear();
        return false;
    }
    return true;
}

void TQorShellList::EditorClosed(QAbstractItemDelegate::EndEditHint hint)
{
    m_model->SetEditable({});
    // A row kept for the editor although its object went or changed is
    // merged now; not from within the view's own closing of the editor.
    QTimer::singleShot(0, this, [this] {
        if (m_model->EditedRowKept()) {
            SmartRefresh();
        }
    });
    // Escape hands nothing over; otherwise the name typed comes next.
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        m_editedId.clear();
    } else {
        m_handOverPending = true;
    }
}

void TQorShellList::ItemEdited(const QString& text)
{
    // The object is the one the edit was opened on, found again by its path:
    // a refresh may have come between the editor closing and this.
    const std::string id = std::exchange(m_editedId, std::string());
    m_handOverPending = false;
    if (id.empty()) {
        return;
    }
    const int row = IndexOfPIDL(id);
    const QString oldText = row >= 0 ? ItemText(row) : ShellText(id.substr(id.rfind('/') + 1));
    // Left as it was: a name that can't be shown exactly keeps its bytes.
    if (text == oldText) {
        return;
    }
    platform::TShellBrowser renamer;
    if (!RenameOrSayWhy(this, renamer, id, m_editedIsFolder, oldText, text)) {
        return;  // the rows may have changed while the message was shown
    }
    if (const int now = IndexOfPIDL(id); now >= 0) {
        m_model->Rename(now, renamer.ItemIdList(), renamer.GetShellObjectName());
    }
    Operation({Op::sopRename}, {id}, renamer.ObjectName());
}

void TQorShellList::ConfirmDelete(const std::vector<std::string>& paths)
{
    if (paths.empty() || m_readOnly) {
        return;
    }
    const std::string& first = paths.front();
    const QString question = paths.size() == 1 ? tr("Move \"%1\" to the trash?").arg(ShellText(first.substr(first.rfind('/') + 1)))
                                               : tr("Move these %1 items to the trash?").arg(paths.size());
    if (QMessageBox::question(this, tr("Move to Trash"), question) != QMessageBox::Yes) {
        return;
    }
    TrashObjects(paths);
}

QPoint TQorShellList::KeyboardMenuPoint() const
{
    QAbstractItemView* view = ShownView();
    const QModelIndex current = view->currentIndex();
    const bool selected = current.isValid() && view->selectionModel()->isRowSelected(current.row(), QModelIndex());
    return view->viewport()->mapToGlobal(selected ? view->visualRect(current).bottomRight() : QPoint(1, 1));
}

void TQorShellList::ContextMenuAt(QAbstractItemView* view, const QPoint& position)
{
    const QModelIndex index = view->indexAt(position);
    const QPoint screenPoint = view->viewport()->mapToGlobal(position);
    if (!index.isValid()) {
        ShowBackgroundMenu(screenPoint);
        return;
    }
    if (!view->selectionModel()->isRowSelected(index.row(), QModelIndex())) {
        SelectItem(index.row());
    }
    if (ShellContextMenu) {
        std::string verb;
        ShowContextMenu(screenPoint, verb);
    }
}

bool TQorShellList::ShowBackgroundMenu(const QPoint& screenPoint)
{
    if (!BackgroundPopupMenu) {
        return false;
    }
    BackgroundPopupMenu->popup(screenPoint);
    return true;
}

void TQorShellList::ShowContextMenu(const QPoint& screenPoint, std::string& verb)
{
    verb.clear();
    const std::vector<int> selected = SelectedItems();
    if (selected.empty()) {
        return;
    }
    // What the menu works on, held by path across its event loop.
    const bool parentOnly = selected.size() == 1 && IsParentItem(selected.front());
    const std::vector<std::string> paths = SelectedPaths();
    bool canRename = false;
    if (paths.size() == 1 && selected.size() == 1 && !m_readOnly) {
        m_browser.SetItemIdList(paths.front());
        canRename = m_browser.CanRename();
    }
    const bool inFolder = !m_readOnly && !m_browser.FolderIdList().empty();

    QMenu menu(this);
    menu.setObjectName("ShellContextMenu");
    const auto add = [&menu](const QString& text, const char* name, const char* verbName, bool enabled) {
        QAction* action = menu.addAction(text);
        action->setObjectName(name);
        action->setData(QString::fromLatin1(verbName));
        action->setEnabled(enabled);
        return action;
    };
    menu.setDefaultAction(add(tr("Open"), "OpenVerb", "open", parentOnly || selected.size() == 1));
    add(tr("Rename"), "RenameVerb", "rename", canRename);
    add(tr("Move to Trash"), "TrashVerb", "delete", !m_readOnly && !paths.empty());
    menu.addSeparator();
    add(tr("Cut"), "CutVerb", "cut", !m_readOnly && !paths.empty());
    add(tr("Copy"), "CopyVerb", "copy", !paths.empty());
    add(tr("Paste"), "PasteVerb", "paste", inFolder && !ClipboardFiles().empty());
    // A folder made where no folders show would seem to do nothing.
    add(tr("New Folder"), "NewFolderVerb", "newfolder", inFolder && m_showFolders);
    menu.addSeparator();
    add(tr("Refresh"), "RefreshVerb", "refresh", true);
    if (PopupMenu && !PopupMenu->actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(PopupMenu->actions());
    }
    const QAction* chosen = menu.exec(screenPoint);
    if (chosen == nullptr || chosen->data().toString().isEmpty()) {
        return;  // none, or one of the application's items, which ran itself
    }
    const std::string command = chosen->data().toString().toStdString();
    bool done = false;
    if (command == "open") {
        done = parentOnly ? (GoUp(), true) : paths.size() == 1 && OpenObject(paths.front());
    } else if (command == "rename") {
        done = EditItem(IndexOfPIDL(paths.front()));
    } else if (command == "delete") {
        ConfirmDelete(paths);
        done = !paths.empty() && !Exists(paths.front());
    } else if (command == "cut" || command == "copy") {
        done = CopyObjects(paths, command == "cut");
    } else if (command == "paste" || command == "newfolder") {
        done = InvokeCommandOnFolder(command);
    } else if (command == "refresh") {
        done = Refresh();
    }
    if (done) {
        verb = command;
    }
}

bool TQorShellList::HandleKey(QKeyEvent* key)
{
    // While a name is edited the keys are the editor's, also those it
    // leaves alone.
    if (Editing()) {
        return false;
    }
    const Qt::KeyboardModifiers keys = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool plain = keys == Qt::NoModifier;
    const bool control = keys == Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Backspace:
        if (!plain) {
            return false;
        }
        GoUp();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Not carried out (nothing to open): the key goes on, to the dialog's default button.
        return plain && InvokeCommandOnSelected("default");
    case Qt::Key_Delete:
        if (!plain) {
            return false;
        }
        ConfirmDelete(SelectedPaths());
        return true;
    case Qt::Key_F2:
        if (!plain) {
            return false;
        }
        if (const std::vector<int> selected = SelectedItems(); !selected.empty()) {
            EditItem(selected.front());
        }
        return true;
    case Qt::Key_F5:
        if (!plain) {
            return false;
        }
        Refresh();
        if (m_link) {
            m_link->Refresh(this);
        }
        return true;
    case Qt::Key_F10:
        if (keys != Qt::ShiftModifier) {
            return false;
        }
        [[fallthrough]];
    case Qt::Key_Menu:
        if (ShellContextMenu && !SelectedItems().empty()) {
            std::string verb;
            ShowContextMenu(KeyboardMenuPoint(), verb);
        } else {
            ShowBackgroundMenu(KeyboardMenuPoint());
        }
        return true;
    case Qt::Key_A:
        if (!control) {
            return false;
        }
        SelectAll();
        return true;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_V:
        if (!control) {
            return false;
        }
        if (key->key() == Qt::Key_C) {
            InvokeCommandOnSelected("copy");
        } else if (m_readOnly) {
            // Nothing leaves or enters a read-only list.
        } else if (key->key() == Qt::Key_X) {
            InvokeCommandOnSelected("cut");
        } else {
            InvokeCommandOnFolder("paste");
        }
        return true;
    default: return false;
    }
}

bool TQorShellList::eventFilter(QObject* watched, QEvent* event)
{
    for (QAbstractItemView* view : Views()) {
        if (watched == view->viewport() && DragEvent(view, event)) {
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && (watched == m_report || watched == m_listView) &&
        HandleKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zk
