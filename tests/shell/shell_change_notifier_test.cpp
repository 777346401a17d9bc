#include "shell/shell_change_notifier.h"

#include <filesystem>

#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

using E = TNotificationEvent;

struct Change {
    E event;
    std::string path1;
    std::string path2;
    bool operator==(const Change&) const = default;
};

class ShellChangeNotifierTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("watched/sub");
        notifier.OnChange = [this](TQorShellChangeNotifier&, E event, const std::string& path1, const std::string& path2) {
            changes.push_back({event, path1, path2});
        };
    }
    bool Has(const Change& change)
    {
        return WaitFor([&] { return std::find(changes.begin(), changes.end(), change) != changes.end(); });
    }

    TQorShellChangeNotifier notifier;
    std::vector<Change> changes;
};

TEST_F(ShellChangeNotifierTest, DefaultFilterIsEveryKnownEvent)
{
    EXPECT_EQ(notifier.EventFilter().size(), 20u);
    EXPECT_FALSE(notifier.EventFilter().contains(E::neUnknown));
    EXPECT_EQ(TQorShellChangeNotifier::EventMask(notifier.EventFilter()), 0x0807FFFFu);
    EXPECT_TRUE(notifier.Enabled());
    EXPECT_TRUE(notifier.Recursive());
}

TEST_F(ShellChangeNotifierTest, EventBitsMapBackAndMixedBitsAreUnknown)
{
    EXPECT_EQ(TQorShellChangeNotifier::EventOf(0x00000002), E::neFileCreate);
    EXPECT_EQ(TQorShellChangeNotifier::EventOf(0x00020000), E::neFolderRename);
    EXPECT_EQ(TQorShellChangeNotifier::EventOf(0x00000002 | 0x00000004), E::neUnknown);
    notifier.HandleNotification(0x80000006, "/a", "");  // the top bit is no event bit
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].event, E::neUnknown);
}

TEST_F(ShellChangeNotifierTest, RepeatsAreDroppedIgnoringCase)
{
    notifier.HandleNotification(0x2000, "/Data/a.zlb", "");
    notifier.HandleNotification(0x2000, "/data/A.ZLB", "");
    notifier.HandleNotification(0x2000, "/data/b.zlb", "");
    notifier.HandleNotification(0x0002, "/data/b.zlb", "");
    EXPECT_EQ(changes.size(), 3u);
}

TEST_F(ShellChangeNotifierTest, ReportsChangesBelowTheDirectory)
{
    notifier.SetDirectory(Path("watched"));
    ASSERT_TRUE(notifier.Enabled());
    MakeFile("watched/a.zlb");
    EXPECT_TRUE(Has({E::neFileCreate, Path("watched/a.zlb"), ""}));
    std::filesystem::rename(Path("watched/a.zlb"), Path("watched/b.zlb"));
    EXPECT_TRUE(Has({E::neFileRename, Path("watched/a.zlb"), Path("watched/b.zlb")}));
    MakeDir("watched/sub/new");  // recursive by default
    EXPECT_TRUE(Has({E::neFolderCreate, Path("watched/sub/new"), ""}));
    std::filesystem::remove(Path("watched/b.zlb"));
    EXPECT_TRUE(Has({E::neFileDelete, Path("watched/b.zlb"), ""}));
}

TEST_F(ShellChangeNotifierTest, FilterAndDisablingStopReports)
{
    notifier.SetEventFilter({E::neFolderCreate});
    notifier.SetDirectory(Path("watched"));
    MakeFile("watched/skipped.zlb");
    MakeDir("watched/seen");
    ASSERT_TRUE(Has({E::neFolderCreate, Path("watched/seen"), ""}));
    EXPECT_EQ(changes.size(), 1u);

    notifier.SetEnabled(false);
    MakeDir("watched/unseen");
    QTest::qWait(100);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(ShellChangeNotifierTest, AMissingDirectoryTurnsItOff)
{
    notifier.SetDirectory(Path("none"));
    EXPECT_FALSE(notifier.Enabled());
}

}  // namespace
}  // namespace zk
