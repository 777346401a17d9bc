// The tree's names: kept as the file system's bytes, changed only by a
// finished in-place edit, and a refused rename says why.

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include <filesystem>

#include "shell/shell_items.h"
#include "shell/shell_operations.h"
#include "shell/shell_tree.h"
#include "tests/shell/temp_folders.h"
#include "tests/ui/modal_driver.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

// A folder name from an older system: byte 0xE4 ("ä" in Latin-1) is no UTF-8.
const std::string Unshowable = "\xE4rger";

class ShellTreeNamesTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/2024");
        MakeDir("home/labels/archive");
        MakeDir("home/labels/" + Unshowable);
        tree.OnOperation = [this](QObject&, const TQorShellOperations& operation, const std::vector<std::string>&,
                                  const std::string&) { reports.push_back(operation); };
        tree.OnConfirmDelete = [](const std::string&) { return true; };
        tree.resize(300, 500);
    }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
        TempFolders::TearDown();
    }
    QTreeWidgetItem* Select(const std::string& relative)
    {
        tree.SetSelectedFolder(Path(relative));
        return tree.currentItem();
    }
    QLineEdit* Editor() { return tree.viewport()->findChild<QLineEdit*>(); }
    // Types into the editor the tree opened and ends the edit with key.
    void EndEdit(const QString& text, Qt::Key key = Qt::Key_Return)
    {
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, key);
        const QPointer<QLineEdit> closing(editor);
        ASSERT_TRUE(WaitFor([&] { return closing.isNull(); }));
        // The rename itself is queued behind the edit's end.
        QApplication::processEvents();
    }
    // Moves a drag of files over the node and away again, without dropping.
    void Hover(QTreeWidgetItem* node, const std::vector<std::string>& files)
    {
        std::unique_ptr<QMimeData> data = FileListToMimeData(files, false);
        tree.scrollToItem(node);
        QApplication::processEvents();
        const QPoint point = tree.visualItemRect(node).center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &enter);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &move);
        EXPECT_EQ(tree.DropNode(), node);
        QDragLeaveEvent leave;
        QApplication::sendEvent(tree.viewport(), &leave);
    }
    // Drops the files on the node with the keys held.
    bool Drop(QTreeWidgetItem* node, const std::vector<std::string>& files, Qt::KeyboardModifiers keys)
    {
        std::unique_ptr<QMimeData> data = FileListToMimeData(files, false);
        tree.scrollToItem(node);
        QApplication::processEvents();
        const QPoint point = tree.visualItemRect(node).center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(point, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &enter);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &move);
        QDropEvent drop(QPointF(point), actions, data.get(), Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &drop);
        return drop.isAccepted();
    }
    // Notes the text of the next message box and closes it.
    void NoteMessage(QString& text)
    {
        test::WhenModalShows([&text](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                box->accept();
            }
        });
    }

    TQorShellTree tree;
    std::vector<TQorShellOperations> reports;
};

TEST_F(ShellTreeNamesTest, ANameThatCantBeShownTravelsByDragAndClipboardAsItsBytes)
{
    const std::string folder = Path("home/labels/" + Unshowable);
    const std::unique_ptr<QMimeData> data = FileListToMimeData({folder}, false);
    EXPECT_EQ(DataObjectToFileList(data.get()), std::vector<std::string>{folder});

    QTreeWidgetItem* archive = Select("home/labels/archive");
    ASSERT_TRUE(Drop(archive, {folder}, Qt::ShiftModifier));
    const std::string moved = Path("home/labels/archive/" + Unshowable);
    EXPECT_TRUE(fs::is_directory(moved));
    EXPECT_FALSE(fs::exists(folder));

    Select("home/labels/archive/" + Unshowable);
    ASSERT_TRUE(tree.InvokeCommandOnSelected("copy"));
    EXPECT_EQ(ClipboardFiles(), std::vector<std::string>{moved});
    Select("home/labels/2024");
    ASSERT_TRUE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024/" + Unshowable)));
}

TEST_F(ShellTreeNamesTest, AHoveringDragNeverRenamesAFolder)
{
    QTreeWidgetItem* node = Select("home/labels/" + Unshowable);
    // An edit begun and given up leaves nothing behind that a hover could finish.
    ASSERT_TRUE(tree.EditSelected());
    EndEdit(Editor()->text() + "x", Qt::Key_Escape);
    Hover(node, {Path("home/labels/2024")});
    Hover(Select("home/labels/archive"), {Path("home/labels/2024")});
    QApplication::processEvents();
    EXPECT_TRUE(fs::is_directory(Path("home/labels/" + Unshowable)));
    EXPECT_EQ(TQorShellTree::NodeId(node), Path("home/labels/" + Unshowable));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
}

TEST_F(ShellTreeNamesTest, AnEditLeftAsItWasRenamesNothing)
{
    QTreeWidgetItem* node = Select("home/labels/" + Unshowable);
    ASSERT_TRUE(tree.EditSelected());
    EndEdit(Editor()->text());
    EXPECT_TRUE(fs::is_directory(Path("home/labels/" + Unshowable)));
    EXPECT_EQ(TQorShellTree::NodeId(node), Path("home/labels/" + Unshowable));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTreeNamesTest, RenamingAnotherFolderLeavesAnUnshowableNameAlone)
{
    QTreeWidgetItem* node = Select("home/labels/" + Unshowable);
    Select("home/labels/2024");
    ASSERT_TRUE(tree.EditSelected());
    EndEdit("2025");
    ASSERT_TRUE(WaitFor([&] { return fs::is_directory(Path("home/labels/2025")); }));
    tree.Refresh();
    EXPECT_TRUE(fs::is_directory(Path("home/labels/" + Unshowable)));
    EXPECT_EQ(TQorShellTree::NodeId(node), Path("home/labels/" + Unshowable));
}

TEST_F(ShellTreeNamesTest, ARefusedRenameSaysWhy)
{
    struct Case {
        QString name;
        QString reason;  // part of the message
    };
    const Case cases[] = {
        {"archive", "already"},
        {"a/b", "\"/\""},
        {"", "empty"},
    };
    for (const Case& c : cases) {
        QTreeWidgetItem* node = Select("home/labels/2024");
        ASSERT_TRUE(tree.EditSelected());
        QString message;
        NoteMessage(message);
        EndEdit(c.name);
        ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << c.name.toStdString();
        EXPECT_TRUE(message.contains("2024")) << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        EXPECT_EQ(node->text(0), "2024");
        EXPECT_TRUE(fs::is_directory(Path("home/labels/2024")));
    }
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive")));
    EXPECT_TRUE(reports.empty());
}

TEST_F(ShellTreeNamesTest, ANodeThatGoesWhileTheRefusalIsShownIsLeftAlone)
{
    Select("home/labels/2024");
    ASSERT_TRUE(tree.EditSelected());
    bool shown = false;
    test::WhenModalShows([&](QWidget* modal) {
        shown = true;
        fs::remove(Path("home/labels/2024"));
        tree.Refresh();
        modal->close();
    });
    EndEdit("archive");
    ASSERT_TRUE(WaitFor([&] { return shown; }));
    QApplication::processEvents();
    EXPECT_FALSE(fs::exists(Path("home/labels/archive/2024")));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive")));
}

}  // namespace
}  // namespace zk
