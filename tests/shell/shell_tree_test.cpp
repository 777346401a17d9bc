#include "shell/shell_tree.h"

#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <sys/inotify.h>
#include <unistd.h>

#include "shell/shell_items.h"
#include "tests/shell/temp_folders.h"
#include "tests/support/event_loop_deadline.h"
#include "tests/support/folder_churn.h"

namespace zk {
namespace {

using platform::EShellBrowserError;
using platform::TQorShellFolder;

class ShellTreeTest : public test::TempFolders {
protected:
    void SetUp() override
    {
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
    tree.show();  // a hidden tree watches nothing
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

// With files shown, an object replaced by one of the other kind under the
// same name is a new node of the new kind; a selected one stays selected.
TEST_F(ShellTreeTest, AnObjectReplacedByOneOfTheOtherKindIsANewNode)
{
    TQorShellTree tree;
    tree.SetShowFiles(true);
    tree.SetSelectedFolder(Path("home/labels"));
    QTreeWidgetItem* labels = tree.currentItem();
    labels->setExpanded(true);
    const auto node = [&](const char* name) -> QTreeWidgetItem* {
        for (int i = 0; i < labels->childCount(); ++i) {
            if (TQorShellTree::NodeId(labels->child(i)) == Path(std::string("home/labels/") + name)) {
                return labels->child(i);
            }
        }
        return nullptr;
    };
    const auto isFolder = [](QTreeWidgetItem* item) { return item->data(0, ShellIsFolderRole).toBool(); };
    ASSERT_NE(node("a.zlb"), nullptr);
    ASSERT_FALSE(isFolder(node("a.zlb")));
    ASSERT_TRUE(isFolder(node("2024")));
    tree.setCurrentItem(node("a.zlb"));

    std::filesystem::remove(Path("home/labels/a.zlb"));
    MakeDir("home/labels/a.zlb/inner");
    std::filesystem::remove(Path("home/labels/2024"));
    MakeFile("home/labels/2024");
    tree.RefreshNode(labels, false);
    ASSERT_NE(node("a.zlb"), nullptr);
    EXPECT_TRUE(isFolder(node("a.zlb")));
    EXPECT_EQ(node("a.zlb")->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(tree.currentItem(), node("a.zlb"));
    ASSERT_NE(node("2024"), nullptr);
    EXPECT_FALSE(isFolder(node("2024")));
    EXPECT_EQ(node("2024")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_EQ(ChildNames(labels), (std::vector<std::string>{"a.zlb", "archive", "2024"}));
}

// Which of some folders anything opened (to read them), as the kernel saw it.
class OpenedFolders {
public:
    explicit OpenedFolders(const std::vector<std::string>& folders) : m_inotify(inotify_init1(IN_NONBLOCK))
    {
        for (const std::string& folder : folders) {
            m_folders[inotify_add_watch(m_inotify, folder.c_str(), IN_OPEN | IN_ONLYDIR)] = folder;
        }
    }
    ~OpenedFolders() { close(m_inotify); }
    std::set<std::string> Opened()
    {
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t got; (got = read(m_inotify, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((event->mask & IN_OPEN) != 0 && event->len == 0) {
                    m_opened.insert(m_folders[event->wd]);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return m_opened;
    }

private:
    int m_inotify;
    std::map<int, std::string> m_folders;
    std::set<std::string> m_opened;
};

std::vector<std::string> MakeSubfolders(const std::string& parent, int count, const std::string& inner = {})
{
    std::vector<std::string> folders;
    for (int i = 0; i < count; ++i) {
        folders.push_back(parent + "/f" + std::to_string(1000 + i));
        std::filesystem::create_directories(folders.back() + inner);
    }
    return folders;
}

bool Watched(const std::string& folder)
{
    const std::vector<std::string> watched = platform::WatchHub::Program()->WatchedFolders();
    return std::find(watched.begin(), watched.end(), folder) != watched.end();
}

// Filling and refreshing a level look at that level only: whether each
// folder has subfolders of its own waits until it is drawn.
TEST_F(ShellTreeTest, FillingAndRefreshingOpenNoSubfolder)
{
    const std::vector<std::string> subfolders = MakeSubfolders(Path("home/many"), 40, "/inner");
    OpenedFolders opened(subfolders);
    TQorShellTree tree;  // hidden: nothing is drawn
    tree.SetSelectedFolder(Path("home/many"));
    QTreeWidgetItem* many = tree.currentItem();
    many->setExpanded(true);
    ASSERT_EQ(many->childCount(), 40);
    tree.RefreshNode(many, false);
    tree.Refresh();
    EXPECT_TRUE(opened.Opened().empty());
}

TEST_F(ShellTreeTest, DrawnNodesShowWhetherTheyHaveSubfolders)
{
    MakeDir("home/labels/archive/2023");
    std::vector<std::string> subfolders = MakeSubfolders(Path("home/labels"), 200);
    subfolders.push_back(Path("home/labels/2024"));
    subfolders.push_back(Path("home/labels/archive"));
    OpenedFolders opened(subfolders);
    TQorShellTree tree;
    tree.resize(250, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.SetSelectedFolder(Path("home/labels"));
    tree.currentItem()->setExpanded(true);
    tree.scrollToItem(tree.currentItem(), QAbstractItemView::PositionAtTop);
    tree.viewport()->repaint();
    QTreeWidgetItem* labels = tree.currentItem();
    const auto policy = [labels](const char* name) {
        for (int i = 0; i < labels->childCount(); ++i) {
            if (labels->child(i)->text(0) == name) {
                return labels->child(i)->childIndicatorPolicy();
            }
        }
        return QTreeWidgetItem::DontShowIndicatorWhenChildless;
    };
    EXPECT_EQ(policy("2024"), QTreeWidgetItem::DontShowIndicator);
    EXPECT_EQ(policy("archive"), QTreeWidgetItem::ShowIndicator);
    // Only the folders in view were looked into.
    EXPECT_LT(opened.Opened().size(), 50u);
    EXPECT_TRUE(opened.Opened().contains(Path("home/labels/archive")));
}

TEST_F(ShellTreeTest, AHiddenTreeWatchesNothingAndCatchesUpWhenShown)
{
    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/labels"));
    QTreeWidgetItem* labels = tree.currentItem();
    labels->setExpanded(true);
    EXPECT_TRUE(tree.IsMonitored(labels));
    EXPECT_FALSE(Watched(Path("home/labels")));
    MakeDir("home/labels/while-hidden");
    tree.show();
    EXPECT_TRUE(Watched(Path("home/labels")));
    EXPECT_TRUE(WaitFor([&] { return ChildNames(labels).size() == 3; }));
    tree.hide();
    EXPECT_FALSE(Watched(Path("home/labels")));
}

// A folder changing a few hundred times a second, with many subfolders to
// re-read each time, leaves the window's thread its time: the event loop
// returns when asked to.
TEST_F(ShellTreeTest, ABusyFolderLeavesTheEventLoopOnTime)
{
    MakeSubfolders(Path("home/busy"), 1000);
    TQorShellTree tree;
    tree.resize(250, 400);
    tree.show();
    tree.SetSelectedFolder(Path("home/busy"));
    QTreeWidgetItem* busy = tree.currentItem();
    busy->setExpanded(true);
    ASSERT_TRUE(tree.IsMonitored(busy));
    {
        const test::FolderChurn churn(Path("home/busy"));
        test::RunEventLoopFor(std::chrono::milliseconds(1000));
        EXPECT_GT(churn.Changes(), 100u);
    }
    // Once it is quiet the tree shows the folder as it is.
    EXPECT_TRUE(WaitFor([&] { return busy->childCount() == 1000; }));
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
