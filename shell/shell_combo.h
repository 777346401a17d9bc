#pragma once
// TQorShellCombo: a path combo over the shell namespace. It lists the
// desktop, the desktop's folders and the file system's top folders as a
// fixed indented tree, and below the deepest of them that holds the current
// folder it inserts, for as long as they are needed, the folders on the way
// there. A choice made in it goes to its link; a folder another linked
// control reports is shown.

#include <QComboBox>
#include <QMenu>
#include <QPointer>

#include <string>

#include "platform/shell_browser.h"
#include "shell/shell_link.h"

namespace zk {

struct TQorComboItem {
    std::string ItemText;     // the object's name (whole path for the desktop's objects)
    std::string DisplayName;  // the name the entry shows
    int Level = 0;            // indentation level in the drop-down list
    bool Persistent = false;  // part of the fixed tree
    std::string IdList;       // the folder's identifier: its path, empty for the desktop
};

class TQorShellCombo : public QComboBox, public TQorShellLinkClient {
    Q_OBJECT
public:
    explicit TQorShellCombo(QWidget* parent = nullptr);
    ~TQorShellCombo() override;

    static constexpr int Indent = 10;  // pixels per level in the drop-down list

    void SetShellLink(TQorShellLink* link);
    TQorShellLink* ShellLink() const { return m_link; }
    // Skips objects that are neither files nor folders; rebuilds the tree.
    void SetFileSystemOnly(bool only);
    bool FileSystemOnly() const { return m_browser.FileSystemOnly; }

    int ItemIndex() const { return currentIndex(); }
    // Selects an entry and, when that changed the selection, reports its
    // folder to the link.
    void SetItemIndex(int index);

    // Adds an entry at index (at the end when index < 0 or beyond the
    // count); an entry without text and name is not added.
    void InsertItem(int index, TQorComboItem item);
    void AddShellItem(TQorComboItem item) { InsertItem(-1, std::move(item)); }
    // Adds a folder by its path unless an entry has that text already.
    void AddFolder(const std::string& path, int level, bool persistent);
    void DeleteItem(int index);
    // Deletes the entries after index that are not persistent (-1: all).
    void DeleteNonPersistentFolders(int index);
    TQorComboItem Entry(int index) const;

    // Inserts the folders of the browser's current folder at index, at level.
    void AddToComboList(int level, int index);
    // Shows a folder: the deepest fixed entry that holds it, then one
    // transient entry per folder on the way, the folder itself selected.
    // Nothing is added for a path that is no folder.
    void AddPathToCombo(const std::string& path);
    void AddIdListToCombo(const std::string& id) { AddPathToCombo(id); }

    void QORPathChanged(const std::string& folderId) override;

    // The application's own menu; without it a right click shows the menu
    // of the selected folder (none for the desktop, which is no folder).
    QPointer<QMenu> PopupMenu;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Build();
    void Change(int index);
    // Selects without telling the link.
    void SelectQuietly(int index);
    // The selected entry shows its folder open, the others closed.
    void ShowOpenIcon(int index);

    platform::TShellBrowser m_browser;
    QPointer<TQorShellLink> m_link;
    int m_quiet = 0;  // >0 while the combo changes its own entries
};

}  // namespace zk
