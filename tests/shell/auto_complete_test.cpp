#include "shell/auto_complete.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>

#include <filesystem>

#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

using AutoCompleteTest = test::TempFolders;

TEST_F(AutoCompleteTest, PathsOfTheFileSystemAreCompleted)
{
    MakeDir("home/labels");
    MakeDir("home/layouts");
    MakeFile("home/lamp.zlb");
    MakeDir("home/other");
    QLineEdit edit;
    ASSERT_TRUE(EnableAutoComplete(edit, true, false));
    QCompleter* completer = edit.completer();
    ASSERT_NE(completer, nullptr);
    // Typed as a user types; the folder is read on the model's own thread.
    edit.show();
    QTest::keyClicks(&edit, QString::fromStdString(Path("home/la")));
    EXPECT_TRUE(WaitFor([&] { return completer->completionCount() == 3 && completer->popup()->isVisible(); }));
    QStringList found;
    for (int i = 0; completer->setCurrentRow(i); ++i) {
        found << completer->currentCompletion();
    }
    found.sort();
    QStringList expected;
    for (const char* name : {"home/labels", "home/lamp.zlb", "home/layouts"}) {
        expected << QString::fromStdString(Path(name));
    }
    EXPECT_EQ(found, expected);
}

// The program's inotify instances.
int InotifyInstances()
{
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        count += std::filesystem::read_symlink(entry.path(), error).string() == "anon_inode:inotify" ? 1 : 0;
    }
    return count;
}

// Completing reads folders once; it keeps no watch of its own, which
// would take one of the user's inotify instances beside the program's one.
TEST_F(AutoCompleteTest, CompletingWatchesNothing)
{
    MakeDir("home/labels");
    const int before = InotifyInstances();
    QLineEdit edit;
    ASSERT_TRUE(EnableAutoComplete(edit, true, false));
    edit.show();
    QTest::keyClicks(&edit, QString::fromStdString(Path("home/la")));
    EXPECT_TRUE(WaitFor([&] { return edit.completer()->completionCount() == 1; }));
    EXPECT_EQ(InotifyInstances(), before);
}

TEST_F(AutoCompleteTest, WithoutFileSystemNothingIsCompleted)
{
    QLineEdit edit;
    ASSERT_TRUE(EnableAutoComplete(edit, true, true));
    EXPECT_NE(edit.completer(), nullptr);
    // No browsing history on this system to complete from.
    EXPECT_FALSE(EnableAutoComplete(edit, false, true));
    EXPECT_EQ(edit.completer(), nullptr);
    ASSERT_TRUE(EnableAutoComplete(edit, true, false));
    EXPECT_TRUE(EnableAutoComplete(edit, false, false));
    EXPECT_EQ(edit.completer(), nullptr);
}

}  // namespace
}  // namespace zk
