#include "shell/shell_list.h"

#include <QApplication>
#include <QClipboard>

#include <filesystem>

#include "shell/shell_operations.h"
#include "shell/shell_tree.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

class ShellListCommandsTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/archive");
        MakeFile("home/labels/a.zlb");
        MakeFile("home/labels/b.zlb");
        list.SetPath(Path("home/labels"));
    }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
        TempFolders::TearDown();
    }
    void Select(std::initializer_list<const char*> names)
    {
        list.ClearSelection();
        for (const char* name : names) {
            list.Item(list.IndexOfPIDL(Path(std::string("home/labels/") + name)))->setSelected(true);
        }
    }

    TQorShellList list;
};

TEST_F(ShellListCommandsTest, CopiedSelectionPastesIntoATreeFolder)
{
    Select({"a.zlb", "b.zlb"});
    list.ReportView()->setFocus();
    QTest::keyClick(list.ReportView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardFiles(), (std::vector<std::string>{Path("home/labels/a.zlb"), Path("home/labels/b.zlb")}));

    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels/archive"));
    ASSERT_TRUE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/a.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/b.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
}

TEST_F(ShellListCommandsTest, CutFromTheTreePastesIntoTheShownFolder)
{
    MakeDir("home/other/inner");
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/other/inner"));
    ASSERT_TRUE(tree.InvokeCommandOnSelected("cut"));
    list.ReportView()->setFocus();
    QTest::keyClick(list.ReportView(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fs::is_directory(Path("home/labels/inner")));
    EXPECT_FALSE(fs::exists(Path("home/other/inner")));
    EXPECT_GE(list.IndexOfPIDL(Path("home/labels/inner")), 0);
}

TEST_F(ShellListCommandsTest, PasteInTheSameFolderMakesAFreeName)
{
    Select({"a.zlb"});
    ASSERT_TRUE(list.InvokeCommandOnSelected("copy"));
    ASSERT_TRUE(list.InvokeCommandOnFolder("paste"));
    EXPECT_TRUE(fs::exists(Path("home/labels/a (2).zlb")));
    EXPECT_GE(list.IndexOfPIDL(Path("home/labels/a (2).zlb")), 0);
}

TEST_F(ShellListCommandsTest, ReadOnlyListTakesNothingInAndLetsNothingGo)
{
    list.SetReadOnly(true);
    Select({"a.zlb"});
    EXPECT_FALSE(list.InvokeCommandOnSelected("cut"));
    EXPECT_FALSE(list.InvokeCommandOnSelected("delete"));
    EXPECT_TRUE(list.InvokeCommandOnSelected("copy"));
    EXPECT_FALSE(list.InvokeCommandOnFolder("paste"));
    EXPECT_FALSE(list.InvokeCommandOnFolder("newfolder"));
    EXPECT_FALSE(fs::exists(Path("home/labels/a (2).zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
}

TEST_F(ShellListCommandsTest, NewFolderAppearsSelected)
{
    ASSERT_TRUE(list.InvokeCommandOnFolder("newfolder"));
    ASSERT_TRUE(list.InvokeCommandOnFolder("newfolder"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/New Folder")));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/New Folder (2)")));
    ASSERT_EQ(list.SelectedItems().size(), 1u);
    EXPECT_EQ(list.GetFullPath(list.SelectedItems().front()), Path("home/labels/New Folder (2)"));
}

}  // namespace
}  // namespace zk
