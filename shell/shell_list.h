#pragma once
// TQorShellList: the contents of one shell folder, as a report with the
// Name, Size, Type and Changed columns or as a list of names in columns.
// It sorts the way the desktop sorts (folders first, names by the user's
// locale), follows changes in the folder (gathered for 500 ms, then merged
// so that the selection and an open editor stay) and, through its link,
// the folder chosen in a linked tree.
//
// Items are rows of a model, addressed by their index in the shown order;
// an index is only good until the list changes, so anything that lets
// events run holds identifiers (paths) and looks them up again afterwards.

#include <QAbstractItemDelegate>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_browser.h"
#include "shell/dir_mon.h"
#include "shell/shell_link.h"
#include "shell/shell_list_model.h"
#include "shell/shell_list_views.h"
#include "shell/shell_operations.h"

class QAbstractItemView;

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
    void SetReadOnly(bool readOnly);  // names can't be edited, nothing deleted, cut, pasted or dropped
    bool ReadOnly() const { return m_readOnly; }
    void SetViewStyle(TViewStyle style);
    TViewStyle ViewStyle() const { return m_viewStyle; }

    // The items, in their shown order; the parent-folder item first when shown.
    int ItemCount() const { return m_model->Count(); }
    const TQorShellListItem& Item(int index) const { return m_model->Item(index); }
    // A column's text as drawn.
    QString ItemText(int index, int column = 0) const;
    bool IsParentItem(int index) const { return Item(index).IsParentFolder; }
    std::vector<int> SelectedItems() const;
    void ClearSelection();
    // Selects every item at once; OnSelectItem and the link hear of none
    // of them on its own.
    void SelectAll();
    // Makes the item the only selected one, and the current one, shown.
    void SelectItem(int index);
    void SetItemSelected(int index, bool selected);
    // The item's whole path (the shown folder followed by its name); empty
    // for the parent-folder item.
    std::string GetFullPath(int index) const;
    // The names (not paths) of the selected objects, as bytes.
    std::vector<std::string> GetSelectedFiles() const;
    int IndexOfPIDL(const std::string& id) const { return m_model->RowOf(id); }
    // Starts renaming the item in place, when it can be renamed. Editing
    // lasts until the name typed has been dealt with.
    bool EditItem(int index);
    bool Editing() const;

    bool Refresh();
    void SmartRefresh();
    void GoUp();
    // "default" or "open": enters a selected folder, goes up from the
    // parent-folder item, or opens a file as a double click does (OnDblClick,
    // else the desktop opens it); "delete": moves the selected objects to the
    // desktop's trash, without asking; "copy" and "cut": puts them on the
    // clipboard; "rename": edits the selected item's name. Other verbs are
    // not carried out.
    bool InvokeCommandOnSelected(const std::string& verb);
    // "paste": the clipboard's files into the shown folder (moved when they
    // were cut, never replacing anything); "newfolder": a free "New Folder".
    bool InvokeCommandOnFolder(const std::string& verb);
    // Makes the folder name (empty: "New Folder") in the shown folder; with
    // edit, selects it and starts renaming it.
    bool CreateDir(const std::string& name, bool edit);

    // Right click, the menu key or Shift+F10 on an item: Open, Cut, Copy,
    // Paste, New Folder, Rename, Move to Trash and Refresh, standing in for
    // the shell's own menu, followed by the items of PopupMenu.
    bool ShellContextMenu = true;
    QPointer<QMenu> PopupMenu;
    // Right click beside the items.
    QPointer<QMenu> BackgroundPopupMenu;
    // The menu at a screen point for the selected items; verb becomes the
    // chosen command's verb (empty for none or one not carried out).
    void ShowContextMenu(const QPoint& screenPoint, std::string& verb);
    bool ShowBackgroundMenu(const QPoint& screenPoint);

    // The selected objects can be dragged out as file URLs, and files
    // dropped on the list go into its folder, or into the folder item they
    // are dropped on (copied, moved or linked by the keys held).
    void SetOleDragDrop(bool on);
    bool CreateLinkOnDrop = false;

    int SortColumn() const { return m_sortColumn; }
    bool ReverseSortOrder() const { return m_reverse; }
    // A second call for the same column reverses the order, a third restores it.
    void SetSortColumn(int index);
    void SetReverseSortOrder(bool reverse);

    // Changes in the shown folder are merged this long after the last one.
    static constexpr int RefreshDelayMs = 500;

    // Fires OnOperation when files is not empty; a change of objects also
    // refreshes the linked controls.
    void Operation(const TQorShellOperations& operation, const std::vector<std::string>& files,
                   const std::string& destination);

    // With OnDblClick set a double click (or Enter) calls it instead of
    // running the default command.
    std::function<void()> OnDblClick;
    // An item's path (empty for the parent-folder item) as it is selected
    // or deselected by itself. A change of several items at once (a range,
    // select-all, a click that ends a range) is reported once, for the item
    // the selection ends on (none for select-all), so a handler that reads
    // each reported object reads one.
    std::function<void(const std::string& path, bool selected)> OnSelectItem;
    // Asked for each object before it is added; with Details the item's
    // detail texts are read already.
    std::function<void(TQorShellList& list, const TQorShellListItem& item, bool& canAdd)> OnAddItem;
    std::function<void(TQorShellList&)> OnPopulated;
    std::function<void(TQorShellList&)> OnCreateColumns;
    TOnOperation OnOperation;

    // The views and their model, for tests and for styling.
    TShellReportView* ReportView() const { return m_report; }
    TShellNamesView* ListView() const { return m_listView; }
    QAbstractItemModel* Model() const { return m_model; }

    void QORPathChanged(const std::string& folderId) override;
    void QORSelectAll() override;
    void QORRefresh() override { Refresh(); }
    void QORSmartRefresh() override { SmartRefresh(); }
    int QORGoUp() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<TShellListModel::TColumn> CreateListColumns();
    // The item for the browser's current object, unless it is not shown.
    std::optional<TQorShellListItem> AddShellItem();
    void ApplyColumnWidths();
    void FollowFolder();
    void DoubleClicked();
    void SelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    QAbstractItemView* ShownView() const;
    std::vector<QAbstractItemView*> Views() const;
    // The paths of the selected objects (without the parent-folder item).
    std::vector<std::string> SelectedPaths() const;

    // Commands on objects held by path.
    bool OpenObject(const std::string& id);
    // Says which could not go, and why, as the tree does. Returns whether
    // any went.
    bool TrashObjects(const std::vector<std::string>& paths);
    bool CopyObjects(const std::vector<std::string>& paths, bool cut);
    // Asks before moving the objects to the trash.
    void ConfirmDelete(const std::vector<std::string>& paths);
    bool HandleKey(QKeyEvent* key);
    void ContextMenuAt(QAbstractItemView* view, const QPoint& position);
    QPoint KeyboardMenuPoint() const;
    void ItemEdited(const QString& text);
    void EditorClosed(QAbstractItemDelegate::EndEditHint hint);
    void ClipboardChanged();
    void ReportCutRemoved(const std::vector<TQorShellListItem>& removed);
    // Shows why the shown folder can't be read, or hides the note.
    void NoteUnreadable();

    // Drag and drop (shell_list_drag.cpp).
    void StartDrag(QAbstractItemView* view, Qt::DropActions actions);
    bool DragEvent(QAbstractItemView* view, QEvent* event);
    // The folder a drag at point of view would drop into, or empty; item
    // becomes the folder item under it, or empty.
    std::string DropFolderAt(QAbstractItemView* view, QPoint point, const std::vector<std::string>& files,
                             std::string& item) const;

    platform::TShellBrowser m_browser;
    QPointer<TQorShellLink> m_link;
    TShellListModel* m_model;
    TShellReportView* m_report;
    TShellNamesView* m_listView;
    QLabel* m_unreadable;  // why the folder shows nothing: it can't be read
    TDirMon m_monitor;
    QTimer m_refreshTimer;
    TViewStyle m_viewStyle = TViewStyle::vsReport;
    bool m_details = true;
    bool m_showHidden = true;
    bool m_showFolders = true;
    bool m_showParentFolder = false;
    bool m_readOnly = false;
    bool m_filling = false;  // selection changes not reported item by item
    int m_sortColumn = 0;
    bool m_reverse = false;
    bool m_columnsFromFolder = false;
    std::string m_shownFolder;  // the folder the rows are of
    std::string m_editedId;     // the object whose name is being edited, until the edit is handled
    bool m_editedIsFolder = false;  // what it was when the edit began
    bool m_handOverPending = false;  // the editor closed; the name typed is on its way
    std::vector<int> m_savedWidths;
    QElapsedTimer m_lastScroll;  // of a drag over the list
};

}  // namespace zk
