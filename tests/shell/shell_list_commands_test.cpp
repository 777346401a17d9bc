#include "shell/shell_list.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMessageBox>
#include <QScrollBar>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include "shell/shell_items.h"
#include "shell/shell_operations.h"
#include "shell/shell_tree.h"
#include "tests/shell/list_editing.h"
#include "tests/shell/popup_driver.h"
#include "tests/shell/temp_folders.h"
#include "tests/support/private_mounts.h"

namespace zk {
namespace {

namespace fs = std::filesystem;
using Op = TQorShellOperation;

struct Report {
    TQorShellOperations operation;
    std::vector<std::string> files;
    std::string destination;
    bool operator==(const Report&) const = default;
};

class ShellListCommandsTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/labels/archive");
        MakeFile("home/labels/a.zlb");
        MakeFile("home/labels/b.zlb");
        list.SetPath(Path("home/labels"));
        list.OnOperation = [this](QObject&, const TQorShellOperations& operation, const std::vector<std::string>& files,
                                  const std::string& destination) {
            reports.push_back({operation, files, destination});
        };
    }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
    }
    void Select(std::initializer_list<const char*> names)
    {
        list.ClearSelection();
        for (const char* name : names) {
            list.SetItemSelected(list.IndexOfPIDL(Path(std::string("home/labels/") + name)), true);
        }
    }

    // Drags the files over the report view to point and drops them there.
    bool Drop(QPoint point, const std::vector<std::string>& files, Qt::KeyboardModifiers keys,
              Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)
    {
        std::unique_ptr<QMimeData> data = FileListToMimeData(files, false);
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
        const int row = list.IndexOfPIDL(Path(std::string("home/labels/") + name));
        return list.ReportView()->visualRect(list.Model()->index(row, 0)).center();
    }

    int Row(const char* name) const { return list.IndexOfPIDL(Path(std::string("home/labels/") + name)); }
    bool IsCut(const char* name) const { return list.Item(Row(name)).Cut; }

    TQorShellList list;
    std::vector<Report> reports;
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
    EXPECT_TRUE(list.Editing());
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


TEST_F(ShellListCommandsTest, WhatTheUserDidIsReported)
{
    MakeFile("home/elsewhere.zlb");
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    ASSERT_TRUE(test::RenameInPlace(list, Row("a.zlb"), "c.zlb"));
    Select({"b.zlb"});
    ASSERT_TRUE(list.InvokeCommandOnSelected("copy"));
    ASSERT_TRUE(list.InvokeCommandOnFolder("paste"));
    Select({"c.zlb"});
    ASSERT_TRUE(list.InvokeCommandOnSelected("delete"));
    ASSERT_TRUE(Drop(PointOf("archive"), {Path("home/elsewhere.zlb")}, Qt::ControlModifier));
    ASSERT_TRUE(Drop(QPoint(300, 280), {Path("home/elsewhere.zlb")}, Qt::ShiftModifier));
    const std::vector<Report> expected = {
        {{Op::sopRename}, {Path("home/labels/a.zlb")}, "c.zlb"},
        {{Op::sopCopy, Op::sopPaste, Op::sopAdd}, {Path("home/labels/b.zlb")}, list.Path()},
        {{Op::sopDelete, Op::sopRemove}, {Path("home/labels/c.zlb")}, ""},
        {{Op::sopDrop, Op::sopCopy}, {Path("home/elsewhere.zlb")}, Path("home/labels/archive")},
        {{Op::sopDrop, Op::sopMove}, {Path("home/elsewhere.zlb")}, list.Path()},
    };
    ASSERT_EQ(reports.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(reports[i] == expected[i]) << i << " " << reports[i].destination;
    }
}

TEST_F(ShellListCommandsTest, CutItemsAreDimmedUntilTheyGoOrTheClipboardChanges)
{
    Select({"a.zlb", "b.zlb"});
    list.ReportView()->setFocus();
    QTest::keyClick(list.ReportView(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(IsCut("a.zlb"));
    EXPECT_TRUE(IsCut("b.zlb"));
    EXPECT_TRUE(list.Model()->data(list.Model()->index(Row("a.zlb"), 0), Qt::ForegroundRole).isValid());

    // A copy takes the clipboard over: nothing is cut any more.
    Select({"b.zlb"});
    ASSERT_TRUE(list.InvokeCommandOnSelected("copy"));
    EXPECT_FALSE(IsCut("a.zlb"));
    EXPECT_FALSE(IsCut("b.zlb"));

    // Cut again and pasted by the tree: the item goes and is reported.
    Select({"a.zlb"});
    ASSERT_TRUE(list.InvokeCommandOnSelected("cut"));
    EXPECT_TRUE(IsCut("a.zlb"));
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels/archive"));
    ASSERT_TRUE(tree.InvokeCommandOnSelected("paste"));
    EXPECT_TRUE(fs::exists(Path("home/labels/archive/a.zlb")));
    EXPECT_LT(Row("a.zlb"), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0] == (Report{{Op::sopCut, Op::sopRemove}, {Path("home/labels/a.zlb")}, ""}));
}

TEST_F(ShellListCommandsTest, OnAddItemMayKeepObjectsOut)
{
    std::vector<std::string> asked;
    QString type;
    TQorShellList other;
    other.OnAddItem = [&](TQorShellList&, const TQorShellListItem& item, bool& canAdd) {
        asked.push_back(item.Name);
        if (item.Name == "a.zlb" && item.SubItems) {
            type = (*item.SubItems)[2];
        }
        canAdd = item.Name != "b.zlb";
    };
    other.SetPath(Path("home/labels"));
    EXPECT_EQ(asked, (std::vector<std::string>{"a.zlb", "archive", "b.zlb"}));
    EXPECT_EQ(type, "ZLB File");  // with Details the texts are read first
    EXPECT_GE(other.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
    EXPECT_LT(other.IndexOfPIDL(Path("home/labels/b.zlb")), 0);
    asked.clear();
    MakeFile("home/labels/c.zlb");
    other.SmartRefresh();
    EXPECT_EQ(asked, (std::vector<std::string>{"b.zlb", "c.zlb"}));
}

TEST_F(ShellListCommandsTest, ADragNearTheTopOrBottomEdgeScrolls)
{
    for (int i = 0; i < 100; ++i) {
        MakeFile("home/labels/f" + std::to_string(100 + i) + ".zlb");
    }
    MakeFile("home/elsewhere.zlb");
    list.Refresh();
    list.resize(300, 200);
    list.show();
    QApplication::processEvents();
    QScrollBar* bar = list.ReportView()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10);
    bar->setValue(5);
    std::unique_ptr<QMimeData> data = FileListToMimeData({Path("home/elsewhere.zlb")}, false);
    QWidget* viewport = list.ReportView()->viewport();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    const auto moveTo = [&](QPoint point) {
        // Scrolling waits between steps, so that a drag does not race to the end.
        QTest::qWait(AUTOSCROLL_DELAY_MS + 20);
        QDragMoveEvent move(point, actions, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    };
    QDragEnterEvent enter(QPoint(50, viewport->height() / 2), actions, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    moveTo(QPoint(50, viewport->height() - 5));
    EXPECT_EQ(bar->value(), 6);
    moveTo(QPoint(50, 5));
    moveTo(QPoint(50, 5));
    EXPECT_EQ(bar->value(), 4);
    moveTo(QPoint(50, viewport->height() / 2));
    EXPECT_EQ(bar->value(), 4);
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
}

TEST_F(ShellListCommandsTest, AFolderADragHoversKeepsItsName)
{
    // A name from an older system that is no UTF-8.
    MakeDir("home/labels/\xE4");
    MakeFile("home/elsewhere.zlb");
    list.Refresh();
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    std::unique_ptr<QMimeData> data = FileListToMimeData({Path("home/elsewhere.zlb")}, false);
    QWidget* viewport = list.ReportView()->viewport();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    const QModelIndex odd = list.Model()->index(Row("\xE4"), 0);
    QDragEnterEvent enter(PointOf("\xE4"), actions, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent over(PointOf("\xE4"), actions, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &over);
    EXPECT_TRUE(list.Model()->data(odd, Qt::BackgroundRole).isValid());  // highlighted
    QDragMoveEvent away(QPoint(300, 280), actions, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &away);
    EXPECT_FALSE(list.Model()->data(odd, Qt::BackgroundRole).isValid());
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    EXPECT_TRUE(fs::is_directory(Path("home/labels/\xE4")));
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("home/labels")), fs::directory_iterator()), 4);

    // Dropped into another folder it arrives under its own bytes.
    EXPECT_TRUE(Drop(PointOf("archive"), {Path("home/labels/\xE4")}, Qt::ShiftModifier));
    EXPECT_TRUE(fs::is_directory(Path("home/labels/archive/\xE4")));
}

// A paste or a drop that the file system refuses says why; what could not
// go stays where it was, and no part of a copy is left behind.
TEST_F(ShellListCommandsTest, ARefusedPasteOrDropSaysWhy)
{
    MakeDir("home/other/piped");
    MakeFile("home/other/piped/a.zlb");
    ASSERT_EQ(mkfifo(Path("home/other/piped/pipe").c_str(), 0600), 0);
    const std::string piped = Path("home/other/piped");
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    for (const bool drop : {false, true}) {
        QString message;
        test::WhenMessageShows(&list, [&](QMessageBox* box) {
            message = box->text();
            box->close();
        });
        if (drop) {
            EXPECT_FALSE(Drop(QPoint(300, 280), {piped}, Qt::ControlModifier));
        } else {
            SetClipboardFiles({piped}, false);
            EXPECT_FALSE(list.InvokeCommandOnFolder("paste"));
        }
        ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << drop;
        EXPECT_EQ(message.toStdString(), "\"" + piped + "\" could not be copied into \"" + Path("home/labels") +
                                             "\": \"piped/pipe\" is a named pipe, which can't be copied.")
            << drop;
        EXPECT_FALSE(fs::exists(Path("home/labels/piped"))) << drop;
        EXPECT_TRUE(fs::is_fifo(Path("home/other/piped/pipe"))) << drop;
        EXPECT_TRUE(reports.empty()) << drop;
    }
}

// A drag whose source offers only copies is copied where, unforced, a
// drop would move; a move asked for with Shift is still refused.
TEST_F(ShellListCommandsTest, ADropFromASourceThatOffersOnlyCopiesCopies)
{
    MakeFile("home/other.zlb", "O");
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    EXPECT_FALSE(Drop(QPoint(300, 280), {Path("home/other.zlb")}, Qt::ShiftModifier, Qt::CopyAction));
    EXPECT_FALSE(fs::exists(Path("home/labels/other.zlb")));
    EXPECT_TRUE(Drop(QPoint(300, 280), {Path("home/other.zlb")}, Qt::NoModifier, Qt::CopyAction));
    EXPECT_TRUE(fs::exists(Path("home/labels/other.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/other.zlb")));
    EXPECT_EQ(reports, (std::vector<Report>{{{Op::sopDrop, Op::sopCopy}, {Path("home/other.zlb")}, list.Path()}}));
}

// A move to another file system whose original can't be removed is no
// copy in disguise: where the original's folder may not change it is
// refused before anything is copied; where removing it fails once it is
// copied (a mount point inside it), the user is told, and a cut stays on
// the clipboard for as long as the original is there.
TEST_F(ShellListCommandsTest, AMoveThatCantRemoveItsOriginalSaysSoAndKeepsTheCut)
{
    MakeDir("home/locked");
    MakeFile("home/locked/c.zlb");
    MakeDir("home/holder/mounted");
    MakeFile("home/holder/d.zlb");
    MakeDir("home/volume");
    const test::ReadOnlyFolder locked(Path("home/locked"));
    const test::SecondFileSystem inner(Path("home/holder/mounted"));
    const test::SecondFileSystem volume(Path("home/volume"));
    for (const auto* made : {&locked.Why(), &inner.Why(), &volume.Why()}) {
        if (!made->empty()) {
            GTEST_SKIP() << *made;
        }
    }
    list.SetPath(Path("home/volume"));
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    const std::string into = "\" could not be moved into \"" + Path("home/volume") + "\": ";
    const struct {
        const char* source;
        bool drop;
        std::string message;
        bool copied;
    } cases[] = {
        {"home/locked/c.zlb", false, "Read-only file system.", false},
        {"home/locked/c.zlb", true, "Read-only file system.", false},
        {"home/holder", false, "it was copied, but the original could not be removed: Device or resource busy.", true},
    };
    for (const auto& c : cases) {
        const std::string source = Path(c.source);
        const std::string where = std::string(c.source) + (c.drop ? " dropped" : " pasted");
        reports.clear();
        QString message;
        test::WhenMessageShows(&list, [&](QMessageBox* box) {
            message = box->text();
            box->close();
        });
        if (c.drop) {
            EXPECT_EQ(Drop(QPoint(300, 280), {source}, Qt::ShiftModifier), c.copied) << where;
        } else {
            SetClipboardFiles({source}, true);
            EXPECT_EQ(list.InvokeCommandOnFolder("paste"), c.copied) << where;
        }
        ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << where;
        EXPECT_EQ(message.toStdString(), "\"" + source + into + c.message) << where;
        const std::string name = fs::path(source).filename().string();
        EXPECT_EQ(fs::exists(Path("home/volume/" + name)), c.copied) << where;
        EXPECT_TRUE(fs::exists(source)) << where;
        if (!c.drop) {
            EXPECT_EQ(ClipboardFiles(), std::vector<std::string>{source}) << where;
            EXPECT_TRUE(ClipboardIsCut()) << where;
        }
        const std::vector<Report> expected =
            c.copied ? std::vector<Report>{{{Op::sopCopy, Op::sopPaste, Op::sopAdd}, {source}, list.Path()}}
                     : std::vector<Report>{};
        EXPECT_EQ(reports, expected) << where;
    }
}

// Renaming or making a folder where the user may not write says why, even
// for root (the folder is on a read-only mount then).
TEST_F(ShellListCommandsTest, WhereNothingMayChangeRenameAndNewFolderSayWhy)
{
    const test::ReadOnlyFolder readOnly(Path("home/labels"));
    if (!readOnly.Made()) {
        GTEST_SKIP() << readOnly.Why();
    }
    list.Refresh();
    const struct {
        const char* what;
        std::function<void()> command;
        const char* start;
    } cases[] = {
        {"F2", [&] {
             Select({"a.zlb"});
             list.ReportView()->setFocus();
             QTest::keyClick(list.ReportView(), Qt::Key_F2);
         }, "\"a.zlb\" can't be renamed: "},
        {"new folder", [&] { EXPECT_FALSE(list.InvokeCommandOnFolder("newfolder")); },
         "No new folder can be made: "},
    };
    for (const auto& c : cases) {
        QString message;
        test::WhenMessageShows(&list, [&](QMessageBox* box) {
            message = box->text();
            box->close();
        });
        c.command();
        ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << c.what;
        EXPECT_TRUE(message.startsWith(c.start)) << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromStdString(Path("home/labels")))) << message.toStdString();
        EXPECT_FALSE(list.Editing()) << c.what;
    }
    EXPECT_FALSE(fs::exists(Path("home/labels/New Folder")));
}

}  // namespace
}  // namespace zk
