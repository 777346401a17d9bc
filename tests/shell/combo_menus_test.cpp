// The combo boxes' right-click menus and the open folder of the selected entry.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <sys/stat.h>

#include "shell/folder_combo.h"
#include "shell/shell_combo.h"
#include "shell/shell_items.h"
#include "shell/shell_operations.h"
#include "tests/shell/temp_folders.h"
#include "tests/ui/modal_driver.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

struct RefreshCounter : TQorShellLinkClient {
    int smartRefreshes = 0;
    void QORPathChanged(const std::string&) override {}
    void QORSmartRefresh() override { ++smartRefreshes; }
};

QImage ImageOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

// Right-clicks the combo and picks the verb from the menu that comes up;
// verbs notes which verbs it offered, enabled or not. Returns whether a
// menu came up at all.
bool RightClickAndPick(QWidget& combo, const char* verb, std::map<std::string, bool>* verbs = nullptr)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        shown = true;
        for (QAction* action : menu->actions()) {
            if (verbs != nullptr && !action->objectName().isEmpty()) {
                (*verbs)[action->objectName().toStdString()] = action->isEnabled();
            }
        }
        if (QAction* pick = menu->findChild<QAction*>(verb); pick != nullptr && pick->isEnabled()) {
            menu->setActiveAction(pick);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    const QPoint point(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, combo.mapToGlobal(point));
    QApplication::sendEvent(&combo, &event);
    QApplication::processEvents();
    return shown;
}

class ComboMenusTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/2024");
        MakeFile("home/a.zlb", "label");
    }
    void TearDown() override
    {
        QApplication::clipboard()->clear();
        TempFolders::TearDown();
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

TEST_F(ComboMenusTest, TheSelectedEntryShowsItsFolderOpen)
{
    const std::string labels = Path("home/labels");
    const std::string year = Path("home/labels/2024");
    ASSERT_NE(ImageOf(ShellOpenIcon(year)), ImageOf(ShellIcon(year, true)));
    TQorShellCombo combo;
    combo.AddPathToCombo(year);
    ASSERT_EQ(combo.Entry(combo.ItemIndex()).IdList, year);
    EXPECT_EQ(ImageOf(combo.itemIcon(combo.ItemIndex())), ImageOf(ShellOpenIcon(year)));
    EXPECT_EQ(ImageOf(combo.itemIcon(IndexOf(combo, labels))), ImageOf(ShellIcon(labels, true)));

    combo.AddPathToCombo(labels);
    EXPECT_EQ(ImageOf(combo.itemIcon(combo.ItemIndex())), ImageOf(ShellOpenIcon(labels)));
    // A choice in the list opens that entry and closes the one before.
    const int home = IndexOf(combo, Path("home"));
    combo.setCurrentIndex(home);
    EXPECT_EQ(ImageOf(combo.itemIcon(home)), ImageOf(ShellOpenIcon(Path("home"))));
    for (int i = 0; i < combo.count(); ++i) {
        if (i != home) {
            EXPECT_EQ(ImageOf(combo.itemIcon(i)), ImageOf(ShellIcon(combo.Entry(i).IdList, true))) << i;
        }
    }
}

TEST_F(ComboMenusTest, PathComboMenuPastesIntoTheSelectedFolder)
{
    TQorShellLink link;
    RefreshCounter other;
    link.RegisterShellControl(&other);
    TQorShellCombo combo;
    combo.SetShellLink(&link);
    combo.AddPathToCombo(Path("home/labels"));
    SetClipboardFiles({Path("home/a.zlb")}, false);
    std::map<std::string, bool> verbs;
    ASSERT_TRUE(RightClickAndPick(combo, "paste", &verbs));
    EXPECT_TRUE(verbs["open"]);
    EXPECT_TRUE(verbs["copy"]);
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
    EXPECT_TRUE(fs::exists(Path("home/a.zlb")));
    EXPECT_EQ(other.smartRefreshes, 1);
    link.UnregisterShellControl(&other);
}

TEST_F(ComboMenusTest, PathComboMenuCopiesTheFolderAndNothingComesForTheDesktop)
{
    TQorShellCombo combo;
    combo.AddPathToCombo(Path("home/labels"));
    ASSERT_TRUE(RightClickAndPick(combo, "copy"));
    EXPECT_EQ(ClipboardFiles(), std::vector<std::string>{Path("home/labels")});
    combo.setCurrentIndex(0);  // the desktop
    EXPECT_FALSE(RightClickAndPick(combo, "copy"));
}

TEST_F(ComboMenusTest, FolderComboMenuWorksOnTheSelectedPath)
{
    TQorFolderCombo combo;
    combo.SelectFolder(Path("home/labels"));
    SetClipboardFiles({Path("home/a.zlb")}, true);
    ASSERT_TRUE(RightClickAndPick(combo, "paste"));
    // A cut file moves, once.
    EXPECT_TRUE(fs::exists(Path("home/labels/a.zlb")));
    EXPECT_FALSE(fs::exists(Path("home/a.zlb")));
    EXPECT_TRUE(ClipboardFiles().empty());
    std::map<std::string, bool> verbs;
    ASSERT_TRUE(RightClickAndPick(combo, "none", &verbs));
    EXPECT_FALSE(verbs["paste"]);
}

// A paste the file system refuses says why, as the tree's and the list's do.
TEST_F(ComboMenusTest, ARefusedPasteSaysWhy)
{
    MakeDir("home/piped");
    ASSERT_EQ(mkfifo(Path("home/piped/pipe").c_str(), 0600), 0);
    TQorFolderCombo combo;
    combo.SelectFolder(Path("home/labels"));
    SetClipboardFiles({Path("home/piped")}, false);
    QString message;
    test::WhenModalShows([&message](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            message = box->text();
            box->accept();
        }
    });
    ASSERT_TRUE(RightClickAndPick(combo, "paste"));
    ASSERT_TRUE(WaitFor([&] { return !message.isEmpty(); }));
    const std::string expected = "\"" + Path("home/piped") + "\" could not be copied into \"" + Path("home/labels") +
                                 "\": \"piped/pipe\" is a named pipe, which can't be copied.";
    EXPECT_EQ(message.toStdString(), expected);
    EXPECT_FALSE(fs::exists(Path("home/labels/piped")));
}

// A file copied from the folder itself is pasted beside itself under a free
// name, as the list does.
TEST_F(ComboMenusTest, APasteIntoTheCopiedFilesOwnFolderMakesAFreeName)
{
    MakeFile("home/labels/a.zlb");
    TQorFolderCombo combo;
    combo.SelectFolder(Path("home/labels"));
    SetClipboardFiles({Path("home/labels/a.zlb")}, false);
    ASSERT_TRUE(RightClickAndPick(combo, "paste"));
    EXPECT_TRUE(fs::exists(Path("home/labels/a (2).zlb")));
}

TEST_F(ComboMenusTest, TheApplicationsOwnMenuComesInstead)
{
    QMenu own;
    own.addAction("Mine")->setObjectName("mine");
    TQorFolderCombo folders;
    folders.SelectFolder(Path("home/labels"));
    folders.PopupMenu = &own;
    TQorShellCombo paths;
    paths.PopupMenu = &own;
    for (QWidget* combo : std::initializer_list<QWidget*>{&folders, &paths}) {
        std::map<std::string, bool> verbs;
        ASSERT_TRUE(RightClickAndPick(*combo, "none", &verbs));
        EXPECT_EQ(verbs, (std::map<std::string, bool>{{"mine", true}}));
    }
}

}  // namespace
}  // namespace zk
