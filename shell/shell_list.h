#pragma once
// TQorShellList: the contents of one shell folder, as a report with the
// Name, Size, Type and Changed columns or as a list of names in columns.
// It sorts the way the shell sorts (folders first), follows changes in the
// folder (gathered for 500 ms, then merged so that the selection stays) and,
// through its link, the folder chosen in a linked tree.

#include <QListView>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "platform/shell_browser.h"
#include "shell/dir_mon.h"
#include "shell/shell_link.h"

namespace zk {

enum class TViewStyle : std::uint8_t { vsReport, vsList };

class TQorShellList : public QWidget, public TQorShellLinkClient {
    Q_OBJECT
public:
    explicit TQorShellList(QWidget* parent = nullptr);
    ~TQorShellList() override;

    void SetShellLink(TQorShellLink* link);
    TQorShellLink* ShellLink() const { return m_link; }

    // The shown folder's path ending in '/', empty for the desktop. Writing
    // opens the folder (raising EShellBrowserError when it can't) and tells
    // the link.
    std::string Path() const { return m_browser.Folder(); }
    void SetPath(const std::string& path);
    void SetFolderIdList(const std::string& id);
    const std::string& FolderIdList() const { return m_browser.FolderIdList(); }
    platform::TQorShellFolder SpecialFolder() const { return m_browser.IsSpecialFolder(); }
    void SetSpecialFolder(platform::TQorShellFolder folder);

    void SetDetails(bool details);
    bool Details() const { return m_details; }
    void SetShowHidden(bool show);
    bool ShowHidden() const { return m_showHidden; }
    void SetShowFolders(bool show);
    bool ShowFolders() const { return m_showFolders; }
    void SetShowParentFolder(bool show);
    void SetFileSystemOnly(bool only);
    void SetFilter(const std::string& filter);
    std::string Filter() const { return m_browser.Filter(); }
    void SetMultiSelect(bool multi);
    void SetReadOnly(bool readOnly);  // names can't be edited
    bool ReadOnly() const { return m_readOnly; }
    void SetViewStyle(TViewStyle style);
    TViewStyle ViewStyle() const { return m_viewStyle; }

    // The items, in their shown order; the parent-folder item first when shown.
    int ItemCount() const { return m_items->topLevelItemCount(); }
    QTreeWidgetItem* Item(int index) const { return m_items->topLevelItem(index); }
    std::vector<QTreeWidgetItem*> SelectedItems() const;
    void ClearSelection();
    void SelectItem(QTreeWidgetItem* item);
    // The item's whole path (the shown folder followed by its name).
    std::string GetFullPath(QTreeWidgetItem* item) const;
    std::vector<std::string> GetSelectedFiles() const;
    int IndexOfPIDL(const std::string& id) const;
    static bool IsParentItem(const QTreeWidgetItem* item);

    bool Refresh();
    void SmartRefresh();
    void GoUp();
    // "default" or "open": enters a selected folder or goes up from the
    // parent-folder item; "delete": moves the selected objects to the
    // desktop's trash, without asking. Other verbs are not carried out.
    bool InvokeCommandOnSelected(const std::string& verb);

    // Right click or the menu key on an item: Open, Rename, Move to Trash
    // and Refresh, standing in for the shell's own menu.
    bool ShellContextMenu = true;
    // The selected objects can be dragged out as file URLs.
    void SetOleDragDrop(bool on);

    int SortColumn() const { return m_sortColumn; }
    bool ReverseSortOrder() const { return m_reverse; }
    // A second call for the same column reverses the order, a third restores it.
    void SetSortColumn(int index);
    void SetReverseSortOrder(bool reverse);

    // Changes in the shown folder are merged this long after the last one.
    static constexpr int RefreshDelayMs = 500;

    // With OnDblClick set a double click (or Enter) calls it instead of
    // running the default command.
    std::function<void()> OnDblClick;
    std::function<void(QTreeWidgetItem*, bool selected)> OnSelectItem;
    std::function<void(TQorShellList&)> OnPopulated;

    // The views, for tests and for styling.
    QTreeWidget* ReportView() const { return m_items; }
    QListView* ListView() const { return m_listView; }

    void QORPathChanged(const std::string& folderId) override;
    void QORSelectAll() override;
    void QORRefresh() override { Refresh(); }
    void QORSmartRefresh() override { SmartRefresh(); }
    int QORGoUp() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateListColumns();
    void AddShellItem();
    void AddParentItem();
    void Sort();
    void FollowFolder();
    void DoubleClicked();
    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void ItemEdited(QTreeWidgetItem* item, int column);
    void ShowContextMenu(QAbstractItemView* view, const QPoint& position);
    // Asks before moving the selection to the trash.
    void ConfirmDelete();
    bool MoveSelectedToTrash();
    QAbstractItemView* ShownView() const;

    platform::TShellBrowser m_browser;
    QPointer<TQorShellLink> m_link;
    QTreeWidget* m_items;   // the report view, which also holds the items
    QListView* m_listView;  // the list style over the same items
    TDirMon m_monitor;
    QTimer m_refreshTimer;
    TViewStyle m_viewStyle = TViewStyle::vsReport;
    bool m_details = true;
    bool m_showHidden = true;
    bool m_showFolders = true;
    bool m_showParentFolder = false;
    bool m_readOnly = false;
    bool m_filling = false;  // texts set by the list, not edits
    int m_sortColumn = 0;
    bool m_reverse = false;
    std::vector<int> m_savedWidths;
};

}  // namespace zk
