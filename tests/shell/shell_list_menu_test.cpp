// The list's menus and the messages of its commands: the context menu by
// mouse and keyboard, the menu beside the items, refused renames and moves
// to the trash that can't be done.

#include "shell/shell_list.h"

#include <QApplication>
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>

#include <filesystem>
#include <string>

#include "tests/shell/list_editing.h"
#include "tests/shell/popup_driver.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

class ShellListMenuTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/archive");
        MakeFile("home/labels/a.zlb");
        MakeFile("home/labels/b.zlb");
        list.SetPath(Path("home/labels"));
        list.resize(400, 300);
        list.show();
        QApplication::processEvents();
    }
    int Row(const char* name) const { return list.IndexOfPIDL(Path(std::string("home/labels/") + name)); }
    QPoint PointOf(const char* name) const
    {
        return list.ReportView()->visualRect(list.Model()->index(Row(name), 0)).center();
    }
    // A right click at a point of the report's viewport.
    void RightClick(QPoint point)
    {
        QWidget* viewport = list.ReportView()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
        QApplication::sendEvent(viewport, &event);
    }
    // Chooses the menu's action as a user does, with the keyboard.
    static void Choose(QMenu* menu, const char* name)
    {
        menu->setActiveAction(menu->findChild<QAction*>(name));
        QTest::keyClick(menu, Qt::Key_Return);
    }

    TQorShellList list;
};

TEST_F(ShellListMenuTest, AnItemThatGoesWhileItsMenuIsOpenIsLookedUpAgain)
{
    QString shown;
    test::WhenPopupShows(&list, [&](QMenu* menu) {
        shown = menu->objectName();
        // The folder's refresh runs while the menu is open.
        fs::remove(Path("home/labels/a.zlb"));
        list.SmartRefresh();
        Choose(menu, "RenameVerb");
    });
    RightClick(PointOf("a.zlb"));
    EXPECT_EQ(shown, "ShellContextMenu");
    EXPECT_LT(Row("a.zlb"), 0);
    EXPECT_FALSE(list.Editing());
}

TEST_F(ShellListMenuTest, RenameFromTheMenuEditsTheItemItWasOpenedOn)
{
    test::WhenPopupShows(&list, [&](QMenu* menu) {
        MakeFile("home/labels/0.zlb");  // a row comes in before it
        list.SmartRefresh();
        Choose(menu, "RenameVerb");
    });
    RightClick(PointOf("b.zlb"));
    ASSERT_TRUE(list.Editing());
    test::TypeName(list, "c.zlb");
    test::PressEnterInEditor(list);
    EXPECT_TRUE(fs::exists(Path("home/labels/c.zlb")));
    EXPECT_FALSE(fs::exists(Path("home/labels/b.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/labels/0.zlb")));
}

TEST_F(ShellListMenuTest, ShiftF10AndTheMenuKeyOpenTheMenuOfTheSelection)
{
    list.SelectItem(Row("a.zlb"));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_F10, Qt::ShiftModifier}, {Qt::Key_Menu, Qt::NoModifier}};
    for (const auto& key : keys) {
        QString shown;
        QPoint at;
        test::WhenPopupShows(&list, [&](QMenu* menu) {
            shown = menu->objectName();
            at = menu->pos();
            menu->close();
        });
        QTest::keyClick(list.ReportView(), key.key, key.modifiers);
        EXPECT_EQ(shown, "ShellContextMenu") << key.key;
        // At the selected item, not somewhere else on the screen.
        const QRect item = list.ReportView()->visualRect(list.Model()->index(Row("a.zlb"), 0));
        EXPECT_EQ(at, list.ReportView()->viewport()->mapToGlobal(item.bottomRight())) << key.key;
    }
}

TEST_F(ShellListMenuTest, TheBackgroundMenuShowsBesideTheItems)
{
    QMenu background;
    background.setObjectName("BackgroundMenu");
    background.addAction("Arrange");
    list.BackgroundPopupMenu = &background;
    std::string shown;
    test::WhenPopupShows(&list, [&](QMenu* menu) {
        shown = menu->objectName().toStdString();
        menu->close();
    });
    RightClick(QPoint(300, 280));
    EXPECT_TRUE(background.isVisible());
    // The first menu up is the background menu, and no item menu came first.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, "BackgroundMenu");
    EXPECT_FALSE(background.isVisible());
}

// A folder made where the list shows no folders would seem to do nothing:
// the list offers "New Folder" only where the folder will show.
TEST_F(ShellListMenuTest, NewFolderIsOfferedOnlyWhereFoldersShow)
{
    for (const bool showFolders : {true, false}) {
        list.SetShowFolders(showFolders);
        QApplication::processEvents();
        bool offered = false;
        test::WhenPopupShows(&list, [&](QMenu* menu) {
            offered = menu->findChild<QAction*>("NewFolderVerb")->isEnabled();
            menu->close();
        });
        RightClick(PointOf("a.zlb"));
        EXPECT_EQ(offered, showFolders) << showFolders;
    }
}

TEST_F(ShellListMenuTest, ARefusedRenameSaysWhy)
{
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"b.zlb", "a file or folder of that name is already there"},
        {"x/y.zlb", "a name can't contain \"/\""},
        {"", "a name can't be empty"},
        {"..", "\"..\" is no name for a file or folder"},
    };
    for (const auto& c : cases) {
        QString message;
        test::WhenMessageShows(&list, [&](QMessageBox* box) {
            message = box->text();
            box->close();
        });
        ASSERT_TRUE(test::RenameInPlace(list, Row("a.zlb"), c.name)) << c.name;
        EXPECT_TRUE(WaitFor([&] { return !message.isEmpty(); })) << c.name;
        EXPECT_EQ(message, QString("\"a.zlb\" can't be renamed to \"%1\": %2.").arg(c.name, c.reason));
        EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
        EXPECT_EQ(list.ItemText(Row("a.zlb")), "a.zlb");
    }
}

TEST_F(ShellListMenuTest, ObjectsThatCantGoToTheTrashStayAndTheMessageSaysWhy)
{
    // The home trash can't be made: a file has its name.
    MakeDir("home/.local/share");
    MakeFile("home/.local/share/Trash");
    list.SelectItem(Row("a.zlb"));
    QString question;
    QString warning;
    test::WhenMessageShows(&list, [&](QMessageBox* box) {
        question = box->text();
        test::WhenMessageShows(&list, [&](QMessageBox* next) {
            warning = next->text();
            next->close();
        });
        box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(list.ReportView(), Qt::Key_Delete);
    EXPECT_TRUE(WaitFor([&] { return !warning.isEmpty(); }));
    EXPECT_EQ(question, "Move \"a.zlb\" to the trash?");
    const std::string start = "\"" + Path("home/labels/a.zlb") + "\" could not be moved to the trash: ";
    EXPECT_EQ(warning.toStdString().substr(0, start.size()), start);
    EXPECT_TRUE(warning.contains(QString::fromStdString(Path("home/.local/share/Trash")))) << warning.toStdString();
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
    EXPECT_GE(Row("a.zlb"), 0);
}

}  // namespace
}  // namespace zk
