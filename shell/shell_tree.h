#pragma once
// TQorShellTree: a folder tree over the shell namespace. A node is filled
// the first time it is expanded, and from then on its folder is watched, so
// folders made or removed outside the program appear and vanish. The tree
// hands its selection to its link, so a linked list shows the same folder.

#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <map>
#include <memory>
#include <string>

#include "platform/shell_browser.h"
#include "shell/dir_mon.h"
#include "shell/shell_link.h"

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
    // The node's folder is being watched (while it is expanded and shown).
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

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Expand(QTreeWidgetItem* node);
    // Watching follows what is on screen: an expanded node whose ancestors
    // are expanded. Each watch holds a kernel notification instance, of
    // which a user has only a few hundred.
    void Watch(QTreeWidgetItem* node);
    void Collapsed(QTreeWidgetItem* node);
    // A node for the browser's current object, not yet in the tree; none
    // when the object is not shown.
    std::unique_ptr<QTreeWidgetItem> AddItem();
    // Where a new child goes among the parent's sorted children.
    int SortedPosition(QTreeWidgetItem* parent, const std::string& id);
    void DeleteNode(QTreeWidgetItem* node);
    void ForgetMonitors(QTreeWidgetItem* node);
    void ReportSelection(QTreeWidgetItem* node);
    void Change(QTreeWidgetItem* node);
    void Rebuild();  // keeps the selected folder

    platform::TShellBrowser m_browser;
    QPointer<TQorShellLink> m_link;
    platform::TQorShellFolder m_rootedAt = platform::TQorShellFolder::SF_DESKTOP;
    std::string m_rootedAtFileSystemFolder;
    bool m_showHidden = true;
    bool m_showFiles = false;
    bool m_sendSelectionNow = true;
    QTimer m_changeTimer;
    std::map<QTreeWidgetItem*, std::unique_ptr<TDirMon>> m_monitors;
};

}  // namespace zk
