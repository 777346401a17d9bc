#include "shell/shell_combo.h"
#include "shell/folder_combo.h"

#include <filesystem>

#include "shell/shell_tree.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

struct PathRecorder : TQorShellLinkClient {
    std::vector<std::string> paths;
    void QORPathChanged(const std::string& folderId) override { paths.push_back(folderId); }
};

class ShellComboTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/labels/2024");
        MakeDir("other/deep");
        MakeDir("home/other/deep");
    }
    // Level and name of each entry from index on.
    static std::vector<std::pair<int, std::string>> Entries(const TQorShellCombo& combo, int from, int to)
    {
        std::vector<std::pair<int, std::string>> entries;
        for (int i = from; i < to && i < combo.count(); ++i) {
            entries.emplace_back(combo.Entry(i).Level, combo.Entry(i).DisplayName);
        }
        return entries;
    }
    static int IndexOf(const TQorShellCombo& combo, const std::string& id)
    {
        for (int i = 0; i < combo.count(); ++i) {
            if (combo.Entry(i).IdList == id) {
                return i;
            }
        }
        return -1;
    }
};

TEST_F(ShellComboTest, FixedTreeOfDesktopItsFoldersAndTheTopFolders)
{
    TQorShellCombo combo;
    EXPECT_EQ(Entries(combo, 0, 3),
              (std::vector<std::pair<int, std::string>>{{0, "Desktop"}, {1, "Home"}, {1, "File System"}}));
    EXPECT_EQ(combo.ItemIndex(), 1);
    // The top folders follow the file system's entry, one level deeper.
    const int tmp = IndexOf(combo, "/tmp");
    ASSERT_GT(tmp, 2);
    EXPECT_EQ(combo.Entry(tmp).Level, 2);
    EXPECT_TRUE(combo.Entry(tmp).Persistent);
}

TEST_F(ShellComboTest, FollowsTheTreeThroughTheLink)
{
    TQorShellLink link;
    TQorShellTree tree;
    TQorShellCombo combo;
    tree.SetShellLink(&link);
    combo.SetShellLink(&link);
    tree.SetSelectedFolder(Path("home/labels/2024"));
    const int home = IndexOf(combo, Path("home"));
    ASSERT_EQ(home, 1);
    // Two folders on the way, right below Home, the deeper one selected.
    EXPECT_EQ(Entries(combo, home, home + 3),
              (std::vector<std::pair<int, std::string>>{{1, "Home"}, {2, "labels"}, {3, "2024"}}));
    EXPECT_EQ(combo.ItemIndex(), home + 2);
    EXPECT_FALSE(combo.Entry(home + 2).Persistent);
    EXPECT_EQ(combo.Entry(home + 2).IdList, Path("home/labels/2024"));

    // Another folder first removes the old way.
    tree.SetSelectedFolder(Path("home/other/deep"));
    EXPECT_EQ(combo.Entry(combo.ItemIndex()).IdList, Path("home/other/deep"));
    EXPECT_EQ(IndexOf(combo, Path("home/labels")), -1);
    const int deep = combo.ItemIndex();
    EXPECT_EQ(combo.Entry(deep - 1).IdList, Path("home/other"));
    EXPECT_EQ(combo.Entry(deep).Level, combo.Entry(deep - 1).Level + 1);

    // The desktop selects the desktop entry.
    link.PathChanged(nullptr, platform::DesktopId);
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(ShellComboTest, AChoiceGoesToTheLinkOnceAndDropsTheWayBelow)
{
    TQorShellLink link;
    TQorShellCombo combo;
    PathRecorder tree;
    combo.SetShellLink(&link);
    link.RegisterShellControl(&tree);
    combo.QORPathChanged(Path("home/labels/2024"));
    ASSERT_TRUE(tree.paths.empty());  // shown, not echoed

    const int labels = IndexOf(combo, Path("home/labels"));
    combo.setCurrentIndex(labels);  // as a choice in the drop-down does
    EXPECT_EQ(tree.paths, std::vector<std::string>{Path("home/labels")});
    EXPECT_EQ(IndexOf(combo, Path("home/labels/2024")), -1);

    combo.SetItemIndex(labels);  // unchanged: nothing new
    EXPECT_EQ(tree.paths.size(), 1u);
    combo.SetItemIndex(0);
    EXPECT_EQ(tree.paths.back(), platform::DesktopId);
}

TEST_F(ShellComboTest, APathThatIsNoFolderAddsNothing)
{
    TQorShellCombo combo;
    const int before = combo.count();
    MakeFile("home/file.zlb");
    combo.AddPathToCombo(Path("home/file.zlb"));
    combo.AddPathToCombo(Path("home/none"));
    EXPECT_EQ(combo.count(), before);
}

TEST_F(ShellComboTest, FolderComboSelectsAddingWhenNeeded)
{
    TQorFolderCombo combo;
    EXPECT_EQ(combo.AddFolder(Path("other"), 0), 0);
    EXPECT_EQ(combo.AddFolder(Path("other"), 0), -1);
    EXPECT_TRUE(combo.SelectFolder(Path("home/labels")));
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.ItemText(1), Path("home/labels"));
    EXPECT_TRUE(combo.SelectFolder(Path("other")));
    EXPECT_EQ(combo.currentIndex(), 0);
}

TEST_F(ShellComboTest, FolderComboHomeFirstAndTheRootOnlyWhenAsked)
{
    TQorFolderCombo combo;
    combo.AddFolder(Path("other"), 0);
    combo.SetIncludeMyDocuments(true);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.ItemText(0), Path("home"));
    EXPECT_EQ(combo.itemText(0), "Home");
    combo.SetIncludeDrives(true);
    combo.SetIncludeDrives(true);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.ItemText(2), "/");
    EXPECT_EQ(combo.itemText(2), "File System");
    combo.SetIncludeDrives(false);
    combo.SetIncludeMyDocuments(false);
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.ItemText(0), Path("other"));
}

}  // namespace
}  // namespace zk
