#include "shell/shell_list.h"

#include <QHeaderView>
#include <QMimeData>

#include <filesystem>
#include <set>

#include "shell/shell_tree.h"
#include "tests/shell/temp_folders.h"
#include "tests/support/folder_churn.h"

namespace zk {
namespace {

class ShellListTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/labels/sub");
        MakeFile("home/labels/b.zlb", std::string(5000, 'x'));
        MakeFile("home/labels/a.zlb", "x");
        MakeFile("home/labels/C.ZLB", std::string(2000, 'x'));
        MakeFile("home/labels/notes.txt");
        MakeFile("home/labels/.hidden.zlb");
    }
    static std::vector<std::string> Names(const TQorShellList& list)
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.ItemCount(); ++i) {
            names.push_back(list.Item(i)->text(0).toStdString());
        }
        return names;
    }
};

TEST_F(ShellListTest, ShowsTheFolderFilteredWithColumns)
{
    TQorShellList list;
    list.SetFilter("*.zlb");
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    EXPECT_EQ(list.Path(), Path("home/labels") + "/");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"sub", "a.zlb", "b.zlb", "C.ZLB"}));
    QTreeWidgetItem* header = list.ReportView()->headerItem();
    ASSERT_EQ(list.ReportView()->columnCount(), 4);
    EXPECT_EQ(header->text(0), "Name");
    EXPECT_EQ(header->text(3), "Changed");
    EXPECT_EQ(list.Item(2)->text(1), "4 KB");
    EXPECT_EQ(list.GetFullPath(list.Item(1)), Path("home/labels/a.zlb"));

    list.SetShowFolders(false);
    list.SetDetails(false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "b.zlb", "C.ZLB"}));
    EXPECT_EQ(list.ReportView()->columnCount(), 1);
}

TEST_F(ShellListTest, SameColumnTwiceReversesThriceRestores)
{
    TQorShellList list;
    list.SetFilter("*.zlb");
    list.SetShowHidden(false);
    list.SetShowFolders(false);
    list.SetPath(Path("home/labels"));
    list.SetSortColumn(1);  // by size
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "C.ZLB", "b.zlb"}));
    list.SetSortColumn(1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b.zlb", "C.ZLB", "a.zlb"}));
    list.SetSortColumn(1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "C.ZLB", "b.zlb"}));
    list.ReportView()->header()->sectionClicked(0);
    EXPECT_FALSE(list.ReverseSortOrder());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "b.zlb", "C.ZLB"}));
}

TEST_F(ShellListTest, ParentItemLeadsInBothDirectionsAndGoesUp)
{
    TQorShellList list;
    list.SetShowParentFolder(true);
    list.SetPath(Path("home/labels/sub"));
    list.SetPath(Path("home/labels"));
    ASSERT_TRUE(TQorShellList::IsParentItem(list.Item(0)));
    list.SetSortColumn(0);
    EXPECT_TRUE(list.ReverseSortOrder());
    EXPECT_TRUE(TQorShellList::IsParentItem(list.Item(0)));
    list.SelectItem(list.Item(0));
    EXPECT_TRUE(list.InvokeCommandOnSelected("default"));
    EXPECT_EQ(list.Path(), Path("home") + "/");
}

TEST_F(ShellListTest, FolderChangesAreMergedKeepingTheSelection)
{
    TQorShellList list;
    list.show();  // a hidden list watches nothing
    list.SetFilter("*.zlb");
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.Item(list.IndexOfPIDL(Path("home/labels/b.zlb"))));
    MakeFile("home/labels/new.zlb");
    std::filesystem::remove(Path("home/labels/a.zlb"));
    MakeFile("home/labels/ignored.txt");
    EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/new.zlb")) >= 0; }));
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/ignored.txt")), 0);
    const std::vector<QTreeWidgetItem*> selected = list.SelectedItems();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(list.GetFullPath(selected.front()), Path("home/labels/b.zlb"));
}

// Changes that come faster than the merge delay are still merged: the
// delay runs from the first change it gathers, not from the last.
TEST_F(ShellListTest, ABusyFolderIsStillMerged)
{
    TQorShellList list;
    list.show();
    list.SetPath(Path("home/labels"));
    const test::FolderChurn churn(Path("home/labels"));
    MakeFile("home/labels/new.zlb");
    EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/new.zlb")) >= 0; }));
}

TEST_F(ShellListTest, EnteringAFolderAndRenaming)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.Item(list.IndexOfPIDL(Path("home/labels/sub"))));
    EXPECT_TRUE(list.InvokeCommandOnSelected("open"));
    EXPECT_EQ(list.Path(), Path("home/labels/sub") + "/");

    list.SetPath(Path("home/labels"));
    QTreeWidgetItem* item = list.Item(list.IndexOfPIDL(Path("home/labels/a.zlb")));
    item->setText(0, "renamed.zlb");  // what an accepted edit does
    EXPECT_TRUE(std::filesystem::exists(Path("home/labels/renamed.zlb")));
    EXPECT_EQ(list.GetFullPath(item), Path("home/labels/renamed.zlb"));
    item->setText(0, "b.zlb");  // taken: the name goes back
    EXPECT_EQ(item->text(0), "renamed.zlb");
}

TEST_F(ShellListTest, DeleteMovesTheSelectionToTheTrash)
{
    TQorShellList list;
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.Item(list.IndexOfPIDL(Path("home/labels/a.zlb"))));
    ASSERT_TRUE(list.InvokeCommandOnSelected("delete"));
    EXPECT_FALSE(std::filesystem::exists(Path("home/labels/a.zlb")));
    EXPECT_TRUE(std::filesystem::exists(Path("home/.local/share/Trash/files/a.zlb")));
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
    list.ClearSelection();
    EXPECT_FALSE(list.InvokeCommandOnSelected("delete"));
}

TEST_F(ShellListTest, DraggedItemsAreFileUrls)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    const QModelIndexList rows = {
        list.ReportView()->model()->index(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0),
        list.ReportView()->model()->index(list.IndexOfPIDL(Path("home/labels/b.zlb")), 0)};
    std::unique_ptr<QMimeData> data(list.ReportView()->model()->mimeData(rows));
    ASSERT_NE(data, nullptr);
    std::set<std::string> paths;  // the model hands the items over in no fixed order
    for (const QUrl& url : data->urls()) {
        paths.insert(url.toLocalFile().toStdString());
    }
    EXPECT_EQ(paths, (std::set<std::string>{Path("home/labels/a.zlb"), Path("home/labels/b.zlb")}));
}

TEST_F(ShellListTest, TreeAndListFollowEachOtherThroughTheLink)
{
    TQorShellLink link;
    TQorShellTree tree;
    TQorShellList list;
    tree.SetShellLink(&link);
    list.SetShellLink(&link);
    tree.SetSelectedFolder(Path("home/labels"));
    EXPECT_EQ(list.Path(), Path("home/labels") + "/");

    // The list enters a folder: the tree follows.
    list.SelectItem(list.Item(list.IndexOfPIDL(Path("home/labels/sub"))));
    ASSERT_TRUE(list.InvokeCommandOnSelected("default"));
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels/sub"));

    // Up from the list is done by the tree; the list follows its selection.
    list.GoUp();
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));
    EXPECT_TRUE(WaitFor([&] { return list.Path() == Path("home/labels") + "/"; }));
}

}  // namespace
}  // namespace zk
