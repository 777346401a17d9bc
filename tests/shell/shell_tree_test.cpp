#include "shell/shell_tree.h"

#include <QKeyEvent>

#include <filesystem>

#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

using platform::EShellBrowserError;
using platform::TQorShellFolder;

class ShellTreeTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/2024");
        MakeDir("home/labels/archive");
        MakeDir("home/.config");
        MakeFile("home/labels/a.zlb");
    }
    static std::vector<std::string> ChildNames(QTreeWidgetItem* node)
    {
        std::vector<std::string> names;
        for (int i = 0; i < node->childCount(); ++i) {
            names.push_back(node->child(i)->text(0).toStdString());
        }
        return names;
    }
};

TEST_F(ShellTreeTest, RootedAtTheDesktopWithHomeAndRoot)
{
    TQorShellTree tree;
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* desktop = tree.topLevelItem(0);
    EXPECT_EQ(desktop->text(0), "Desktop");
    EXPECT_EQ(ChildNames(desktop), (std::vector<std::string>{"Home", "File System"}));
    EXPECT_EQ(tree.SelectedFolder(), "");
    EXPECT_EQ(tree.SpecialFolder(), TQorShellFolder::SF_DESKTOP);
}

TEST_F(ShellTreeTest, SelectedFolderFillsTheWayAndReadsBack)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels/2024") + "/");
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels/2024"));
    QTreeWidgetItem* labels = tree.currentItem()->parent();
    // Folders only, sorted; files stay out.
    EXPECT_EQ(ChildNames(labels), (std::vector<std::string>{"2024", "archive"}));
    // Home lies in the root too; the tree goes through the desktop's Home.
    EXPECT_EQ(tree.GetRootNode(tree.currentItem())->child(0), labels->parent());
}

TEST_F(ShellTreeTest, EmptySelectedFolderSelectsTheFileSystemRoot)
{
    TQorShellTree tree;
    tree.SetSelectedFolder("");
    EXPECT_EQ(tree.SpecialFolder(), TQorShellFolder::SF_DRIVES);
    EXPECT_EQ(tree.SelectedFolder(), "/");
}

TEST_F(ShellTreeTest, UnknownPathRaisesAndKeepsTheSelection)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels"));
    EXPECT_THROW(tree.SetSelectedFolder(Path("home/none")), EShellBrowserError);
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));
}

TEST_F(ShellTreeTest, HiddenFoldersOnlyWhenShown)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels"));
    QTreeWidgetItem* home = tree.currentItem()->parent();
    EXPECT_EQ(ChildNames(home), (std::vector<std::string>{".config", "labels"}));
    tree.SetShowHidden(false);
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));  // kept
    EXPECT_EQ(ChildNames(tree.currentItem()->parent()), (std::vector<std::string>{"labels"}));
}

TEST_F(ShellTreeTest, FoldersMadeOrRemovedOutsideFollowTheMonitor)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels"));
    QTreeWidgetItem* labels = tree.currentItem();
    labels->setExpanded(true);
    ASSERT_TRUE(tree.IsMonitored(labels));
    MakeDir("home/labels/new");
    EXPECT_TRUE(WaitFor([&] { return ChildNames(labels).size() == 3; }));
    EXPECT_EQ(ChildNames(labels), (std::vector<std::string>{"2024", "archive", "new"}));
    std::filesystem::remove(Path("home/labels/2024"));
    EXPECT_TRUE(WaitFor([&] { return ChildNames(labels).size() == 2; }));
    EXPECT_EQ(ChildNames(labels), (std::vector<std::string>{"archive", "new"}));
}

struct LinkRecorder : TQorShellLinkClient {
    std::vector<std::string> paths;
    void QORPathChanged(const std::string& folderId) override { paths.push_back(folderId); }
};

TEST_F(ShellTreeTest, ProgrammaticSelectionGoesOutAtOnceKeysAfterTheyRest)
{
    TQorShellLink link;
    TQorShellTree tree;
    LinkRecorder list;
    tree.SetShellLink(&link);
    link.RegisterShellControl(&list);
    tree.SetSelectedFolder(Path("home/labels/2024"));
    ASSERT_EQ(list.paths, std::vector<std::string>{Path("home/labels/2024")});

    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Down);  // to "archive"
    EXPECT_EQ(tree.HandOverInterval(), TQorShellTree::KeyHandOverMs);
    EXPECT_EQ(list.paths.size(), 1u);  // held back
    EXPECT_TRUE(WaitFor([&] { return list.paths.size() == 2; }));
    EXPECT_EQ(list.paths.back(), Path("home/labels/archive"));
}

TEST_F(ShellTreeTest, FoldedNodesAreNotWatchedAndCatchUpWhenUnfolded)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels"));
    QTreeWidgetItem* labels = tree.currentItem();
    labels->setExpanded(true);
    QTreeWidgetItem* home = labels->parent();
    home->setExpanded(false);
    EXPECT_FALSE(tree.IsMonitored(home));
    EXPECT_FALSE(tree.IsMonitored(labels));
    MakeDir("home/labels/while-folded");
    home->setExpanded(true);
    EXPECT_TRUE(tree.IsMonitored(home));
    EXPECT_TRUE(tree.IsMonitored(labels));  // shown again, with its parent
    EXPECT_EQ(ChildNames(labels), (std::vector<std::string>{"2024", "archive", "while-folded"}));
}

TEST_F(ShellTreeTest, GoUpSelectsTheParent)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels/2024"));
    EXPECT_EQ(tree.QORGoUp(), 1);
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));
}

}  // namespace
}  // namespace zk
