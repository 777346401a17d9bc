#include "shell/shell_list.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>

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
        MakeDir("home/labels/archive");
        MakeFile("home/labels/a.zlb");
        MakeFile("home/labels/b.zlb");
        list.SetPath(Path("home/labels"));
    }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
    }
    void Select(std::initializer_list<const char*> names)
    {
        list.ClearSelection();
        for (const char* name : names) {
            list.Item(list.IndexOfPIDL(Path(std::string("home/labels/") + name)))->setSelected(true);
        }
    }

    // Drags the files over the report view to point and drops them there.
    bool Drop(QPoint point, const std::vector<std::string>& files, Qt::KeyboardModifiers keys)
    {
        std::unique_ptr<QMimeData> data = FileListToMimeData(files, false);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QWidget* viewport = list.ReportView()->viewport();
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(viewport, &move);
        QDropEvent drop(QPointF(point), actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(viewport, &drop);
        return drop.isAccepted();
    }
    QPoint PointOf(const char* name)
    {
        QTreeWidgetItem* item = list.Item(list.IndexOfPIDL(Path(std::string("home/labels/") + name)));
        return list.ReportView()->visualItemRect(item).center();
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

TEST_F(ShellListCommandsTest, DroppedTreeFolderGoesIntoTheFolderOrTheItemUnderIt)
{
    MakeDir("home/other/inner");
    MakeDir("home/other/second");
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/other/inner"));
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();

    // On empty space: into the shown folder.
    EXPECT_TRUE(Drop(QPoint(300, 280), {tree.SelectedFolder()}, Qt::ControlModifier));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/inner")));
    EXPECT_TRUE(fs::is_directory(Path("home/other/inner")));
    EXPECT_GE(list.IndexOfPIDL(Path("home/labels/inner")), 0);
    // On a folder item: into that folder, moved with Shift.
    EXPECT_TRUE(Drop(PointOf("archive"), {Path("home/other/second")}, Qt::ShiftModifier));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive/second")));
    EXPECT_FALSE(fs::exists(Path("home/other/second")));
    // Its own file into its own folder: refused.
    EXPECT_FALSE(Drop(PointOf("a.zlb"), {Path("home/labels/a.zlb")}, Qt::ShiftModifier));
}

TEST_F(ShellListCommandsTest, ReadOnlyListTakesNoDrops)
{
    MakeFile("home/elsewhere.zlb");
    list.SetReadOnly(true);
    list.resize(400, 300);
    list.show();
    EXPECT_FALSE(Drop(QPoint(300, 280), {Path("home/elsewhere.zlb")}, Qt::ControlModifier));
    EXPECT_FALSE(fs::exists(Path("home/labels/elsewhere.zlb")));
}

}  // namespace
}  // namespace zk
