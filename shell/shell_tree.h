#pragma once
// TQorShellTree: a folder tree over the shell namespace. A node is filled
// the first time it is expanded, and from then on its folder is watched
// while the tree is shown, so folders made or removed outside the program
// appear and vanish. Whether a folder node has subfolders of its own (its
// expand button) is found out when the node is drawn, never for the whole
// folder at once. The tree
// hands its selection to its link, so a linked list shows the same folder.
// Its commands (a context menu of its own, keys, in-place renaming, new
// folders, the clipboard, and dragging and dropping files as file URLs)
// work on the selected node and are reported through OnOperation.

#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/file_operations.h"
#include "platform/shell_browser.h"
#include "shell/dir_mon.h"
#include "shell/shell_link.h"
#include "shell/shell_operations.h"

namespace zk {

class TQorShellTree : public QTreeWidget, public TQorShellLinkClient {
    Q_OBJECT
public:
    explicit TQorShellTree(QWidget* parent = nullptr);
    ~TQorShellTree() override;

    void SetShellLink(TQorShellLink* link);
    TQorShellLink* ShellLink() const { return m_link; }

    platform::TQorShellFolder RootedAt() const { return m_rootedAt; }
    void SetRootedAt(platform::TQorShellFolder folder);
    // Roots the tree at a folder of the file system (RootedAt becomes
    // SF_FILESYSTEMFOLDER) when it exists.
    void SetRootedAtFileSystemFolder(const std::string& path);

    // The selected node's path; empty for the desktop or no selection.
    std::string SelectedFolder();
    // Selects the node of a path, filling the nodes on the way; the empty
    // path selects the file-system root. Raises EShellBrowserError
    // "Cannot Find Path: " + path when the path can't be reached.
    void SetSelectedFolder(const std::string& path);
    platform::TQorShellFolder SpecialFolder();
    void SetSpecialFolder(platform::TQorShellFolder folder);

    void SetShowHidden(bool show);
    bool ShowHidden() const { return m_showHidden; }
    void SetShowFiles(bool show);
    bool ShowFiles() const { return m_showFiles; }
    void SetFilter(const std::string& filter);
    std::string Filter() const { return m_browser.Filter(); }
    bool ExpandOnSelected = false;

    // Navigation to an identifier; false when it could not be reached (the
    // deepest node on the way is then selected). refreshOnly re-reads the
    // way without expanding or selecting.
    bool GotoFolderIdList(const std::string& id, bool refreshOnly = false);
    std::string GetFullPath(QTreeWidgetItem* node) const;
    static std::string NodeId(const QTreeWidgetItem* node);
    QTreeWidgetItem* GetRootNode(QTreeWidgetItem* node) const;
    // The node's folder has a monitor: it is expanded and so are its
    // ancestors. The monitor watches while the tree is shown.
    bool IsMonitored(QTreeWidgetItem* node) const { return m_monitors.contains(node); }

    void Refresh();
    void SmartRefresh();
    void RefreshNode(QTreeWidgetItem* node, bool recursive);
    void GoUp();

    // Timer intervals of the selection hand-over: after a click, after a key.
    static constexpr int ClickHandOverMs = 100;
    static constexpr int KeyHandOverMs = 800;
    int HandOverInterval() const { return m_changeTimer.interval(); }

    void QORPathChanged(const std::string& folderId) override;
    void QORRefresh() override { Refresh(); }
    void QORSmartRefresh() override { SmartRefresh(); }
    int QORGoUp() override;

    // With ReadOnly nothing is deleted, cut, pasted, made or dropped here;
    // renaming stays possible from the context menu.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool ReadOnly() const { return m_readOnly; }
    // Right click, the menu key and Shift+F10 show the tree's context menu.
    bool ShellContextMenu = true;
    // Nodes can be dragged out, and files dropped on folder nodes.
    void SetOleDragDrop(bool on);
    bool OleDragDrop() const { return m_oleDragDrop; }
    // Drops make symbolic links instead of copies or moves.
    bool CreateLinkOnDrop = false;
    // The application's own items, added below the tree's in its menu.
    QPointer<QMenu> PopupMenu;

    // Verbs: "open" / "default", "rename", "delete" (to the desktop's trash,
    // without asking), "cut", "copy", "paste" (into the selected folder),
    // "newfolder" and "refresh". True when it was carried out.
    bool InvokeCommandOnSelected(const std::string& verb);
    // Makes parent/name (an empty name: a free "New Folder" name), selects
    // it and with edit starts renaming it. Returns the new folder's path,
    // empty when none was made; an existing name is selected, not made.
    std::string CreateDir(const std::string& parent, const std::string& name, bool edit);
    // The menu at a screen point; verb becomes the chosen command's verb
    // (empty for none or one not carried out).
    void ShowContextMenu(const QPoint& screenPoint, std::string& verb);
    // Starts in-place renaming of the selected node, when it can be renamed;
    // says why not when the file system refuses.
    bool EditSelected();
    // A node's name is being edited: its editor is open. Refreshes keep
    // the node meanwhile, also when its folder went.
    bool Editing() const;
    // Fires OnOperation when files is not empty.
    void Operation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                   const std::string& destination);

    TOnOperation OnOperation;
    // Asked with a verb before it is carried out; may clear execute.
    std::function<void(const std::string& verb, bool& execute)> OnContextMenuSelect;
    // With OnDblClick set a double click calls it instead of opening a file node.
    std::function<void()> OnDblClick;
    // Asked before the Delete key or the menu move a folder to the trash;
    // without it a message box asks.
    std::function<bool(const std::string& path)> OnConfirmDelete;

    // The node a drag hovers, for its highlight.
    QTreeWidgetItem* DropNode() const { return m_dropNode; }
    // The action a drop of files onto folder would take with these keys,
    // from a source offering the possible actions.
    Qt::DropAction DropActionFor(const std::vector<std::string>& files, const std::string& folder,
                                 Qt::KeyboardModifiers keys, Qt::DropActions possible) const;

    // Scrolls to the node as the tree view does, and sideways so that its
    // name shows: a deep node's name would lie beyond the pane's right edge.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Whether the node's object may be renamed, deleted, cut or dragged: a
    // file-system object that is none of the desktop's folders.
    bool IsPlainObject(QTreeWidgetItem* node);
    bool DeleteSelected();
    bool PasteInto(QTreeWidgetItem* node);
    void AskDelete();
    // A finished in-place edit: renames the object, or says why not.
    void RenameEdited(const QPersistentModelIndex& index, const QString& text);
    void Renamed(QTreeWidgetItem* node, const std::string& oldId);
    QPoint KeyboardMenuPoint() const;
    // The folder node under a drag point that may take the files, or none.
    QTreeWidgetItem* DropTargetAt(QPoint point, const std::vector<std::string>& files) const;
    void SetDropNode(QTreeWidgetItem* node);
    void MarkCut(QTreeWidgetItem* node);

    void Expand(QTreeWidgetItem* node);
    // Watching follows what is on screen: an expanded node whose ancestors
    // are expanded, while the tree is shown. Each watch holds one of the
    // user's kernel watches, which every program shares.
    void Watch(QTreeWidgetItem* node);
    // Sets the expand button of the drawn folder nodes whose subfolders
    // are not known yet.
    void ProbeDrawnNodes();
    void Collapsed(QTreeWidgetItem* node);
    // A node for the browser's current object, not yet in the tree; none
    // when the object is not shown.
    std::unique_ptr<QTreeWidgetItem> AddItem();
    // Where a new child goes among the parent's sorted children.
    int SortedPosition(QTreeWidgetItem* parent, const std::string& id);
    void DeleteNode(QTreeWidgetItem* node);
    bool IsEdited(const QTreeWidgetItem* node) const;
    void ForgetMonitors(QTreeWidgetItem* node);
    void ReportSelection(QTreeWidgetItem* node);
    void Change(QTreeWidgetItem* node);
    void Rebuild();  // keeps the selected folder

    platform::TShellBrowser m_browser;
    platform::TShellBrowser m_probe;  // for drawn nodes, leaving m_browser where it is
    QPointer<TQorShellLink> m_link;
    platform::TQorShellFolder m_rootedAt = platform::TQorShellFolder::SF_DESKTOP;
    std::string m_rootedAtFileSystemFolder;
    bool m_showHidden = true;
    bool m_showFiles = false;
    bool m_sendSelectionNow = true;
    QTimer m_changeTimer;
    std::map<QTreeWidgetItem*, std::unique_ptr<TDirMon>> m_monitors;
    bool m_readOnly = false;
    bool m_oleDragDrop = true;
    QTreeWidgetItem* m_dropNode = nullptr;
    QPersistentModelIndex m_edited;  // the node whose name is edited in place
    std::string m_editedId;          // its object, until the name typed has been dealt with
    bool m_editedIsFolder = false;   // what it was when the edit began
    bool m_editedNodeKept = false;   // a refresh kept it though its folder went or changed
    QTimer m_hoverTimer;                     // expands the hovered drop node
    QElapsedTimer m_lastScroll;
};

}  // namespace zk
