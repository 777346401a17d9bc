#include "shell/dir_mon.h"

#include <QThread>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

class DirMonTest : public test::TempFolders {};

TEST_F(DirMonTest, DirectoryKeepsOnlyTheRootsSlash)
{
    TDirMon monitor;
    monitor.SetDirectory("/");
    EXPECT_EQ(monitor.Directory(), "/");
    monitor.SetDirectory(Path("home") + "/");
    EXPECT_EQ(monitor.Directory(), Path("home"));
    EXPECT_TRUE(monitor.Running());
}

TEST_F(DirMonTest, SameDirectoryDoesNotRestartOtherSpellingDoes)
{
    MakeDir("Dir");
    MakeDir("dir");
    TDirMon monitor;
    int starts = 0;
    int stops = 0;
    monitor.OnStart = [&starts](TDirMon&) { ++starts; };
    monitor.OnStop = [&stops](TDirMon&) { ++stops; };
    monitor.SetDirectory(Path("Dir"));
    monitor.SetDirectory(Path("Dir") + "/");
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 0);
    monitor.SetDirectory(Path("dir"));
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(stops, 1);
}

TEST_F(DirMonTest, NotifyFilterMapsToBitsAndStops)
{
    TDirMon monitor;
    EXPECT_EQ(monitor.NotifyFilter(), TDirMonType{TDirMonValue::dmcFileName});
    monitor.SetDirectory(Path("home"));
    ASSERT_TRUE(monitor.Running());
    monitor.SetNotifyFilter({TDirMonValue::dmcFileName, TDirMonValue::dmcSecurity});
    EXPECT_EQ(monitor.FilterMask(), 0x101u);
    EXPECT_EQ(monitor.NotifyFilter(), (TDirMonType{TDirMonValue::dmcFileName, TDirMonValue::dmcSecurity}));
    EXPECT_FALSE(monitor.Running());
}

TEST_F(DirMonTest, StopOnAnIdleMonitorCallsNothing)
{
    TDirMon monitor;
    int stops = 0;
    monitor.OnStop = [&stops](TDirMon&) { ++stops; };
    monitor.Stop();
    EXPECT_EQ(stops, 0);
}

// Creating, renaming and deleting a file each reach OnDirChange, which runs
// on the thread that owns the monitor.
TEST_F(DirMonTest, ChangesReachTheOwningThread)
{
    TDirMon monitor;
    int changes = 0;
    bool onOwnThread = true;
    monitor.OnDirChange = [&](TDirMon&) {
        ++changes;
        onOwnThread = onOwnThread && QThread::currentThread() == monitor.thread();
    };
    monitor.SetDirectory(Path("home"));
    const auto step = [&](const std::function<void()>& action) {
        const int before = changes;
        action();
        return WaitFor([&] { return changes > before; });
    };
    EXPECT_TRUE(step([this] { MakeFile("home/a.zlb"); }));
    EXPECT_TRUE(step([this] { std::filesystem::rename(Path("home/a.zlb"), Path("home/b.zlb")); }));
    EXPECT_TRUE(step([this] { std::filesystem::remove(Path("home/b.zlb")); }));
    EXPECT_TRUE(onOwnThread);
}

// Whatever a handler throws, an exception or not, is swallowed and the
// monitor goes on reporting.
TEST_F(DirMonTest, AFailingHandlerDoesNotStopTheMonitor)
{
    const std::function<void()> throwers[] = {
        [] { throw std::runtime_error("handler failed"); },
        [] { throw 42; },  // not even an exception class
    };
    int folder = 0;
    for (const auto& thrower : throwers) {
        SCOPED_TRACE(folder);
        const std::string name = "home/f" + std::to_string(folder++);
        MakeDir(name);
        TDirMon monitor;
        int changes = 0;
        monitor.OnDirChange = [&changes, &thrower](TDirMon&) {
            ++changes;
            thrower();
        };
        monitor.SetDirectory(Path(name));
        MakeFile(name + "/one");
        ASSERT_TRUE(WaitFor([&] { return changes >= 1; }));
        const int before = changes;
        MakeFile(name + "/two");
        EXPECT_TRUE(WaitFor([&] { return changes > before; }));
    }
}

bool WatchedByTheProgram(const std::string& folder)
{
    const std::vector<std::string> watched = platform::WatchHub::Program()->WatchedFolders();
    return std::find(watched.begin(), watched.end(), folder) != watched.end();
}

// However many changes come while the owning thread is busy, one report
// waits for it, and the handler runs once.
TEST_F(DirMonTest, ChangesWhileAReportWaitsMergeIntoIt)
{
    MakeDir("home/busy");
    MakeDir("home/marker");
    TDirMon monitor;
    int changes = 0;
    monitor.OnDirChange = [&changes](TDirMon&) { ++changes; };
    monitor.SetDirectory(Path("home/busy"));
    // The program reads all folders' changes in order from one queue: once
    // the marker's change is seen, every change made before it has been.
    std::atomic<bool> marked = false;
    const platform::DirectoryWatcher marker(Path("home/marker"), platform::DirChangeFileName, false,
                                            [&marked] { marked = true; });
    for (int i = 0; i < 100; ++i) {
        MakeFile("home/busy/" + std::to_string(i));
        if (i % 10 == 0) {
            QThread::msleep(1);  // give the reader time to take a batch
        }
    }
    MakeFile("home/marker/done");
    for (int i = 0; i < 500 && !marked; ++i) {
        QThread::msleep(10);
    }
    ASSERT_TRUE(marked);
    // The marker was told under the reader's lock, with the other watchers
    // of its batch; asking the program's watches waits for that to end.
    platform::WatchHub::Program()->WatchedFolders();
    EXPECT_EQ(changes, 0);  // nothing runs until the thread takes its events
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1);
}

TEST_F(DirMonTest, ASuspendedMonitorWatchesNothingAndCatchesUpOnResuming)
{
    TDirMon monitor;
    int changes = 0;
    monitor.OnDirChange = [&changes](TDirMon&) { ++changes; };
    monitor.SetDirectory(Path("home"));
    ASSERT_TRUE(WatchedByTheProgram(Path("home")));
    monitor.SetSuspended(true);
    EXPECT_TRUE(monitor.Running());
    EXPECT_FALSE(WatchedByTheProgram(Path("home")));
    MakeFile("home/while-suspended");
    monitor.SetSuspended(false);
    EXPECT_TRUE(WatchedByTheProgram(Path("home")));
    EXPECT_TRUE(WaitFor([&] { return changes == 1; }));
    monitor.Stop();
    monitor.SetSuspended(true);
    monitor.SetSuspended(false);  // a stopped monitor stays quiet
    EXPECT_FALSE(WatchedByTheProgram(Path("home")));
}

TEST_F(DirMonTest, SuspendedWhileTheViewIsHidden)
{
    QWidget view;
    TDirMon monitor;
    monitor.SetDirectory(Path("home"));
    monitor.SuspendWhileHidden(&view);
    EXPECT_TRUE(monitor.Suspended());  // never shown yet
    view.show();
    EXPECT_FALSE(monitor.Suspended());
    EXPECT_TRUE(WatchedByTheProgram(Path("home")));
    view.hide();
    EXPECT_TRUE(monitor.Suspended());
    EXPECT_FALSE(WatchedByTheProgram(Path("home")));
}

// A monitor follows its directory by path: when the directory is removed
// and made again, whether before the removal was read or after, the new
// one is watched and its changes reported.
TEST_F(DirMonTest, ADirectoryRemovedAndMadeAgainIsWatchedAgain)
{
    for (const bool seenGone : {true, false}) {
        SCOPED_TRACE(seenGone);
        const std::string name = seenGone ? "home/slow" : "home/fast";
        MakeDir(name);
        TDirMon monitor;
        int changes = 0;
        monitor.OnDirChange = [&changes](TDirMon&) { ++changes; };
        monitor.SetDirectory(Path(name));
        std::filesystem::remove(Path(name));
        if (seenGone) {
            ASSERT_TRUE(WaitFor([&] { return changes > 0; }));
        }
        MakeDir(name);
        ASSERT_TRUE(WaitFor([&] { return WatchedByTheProgram(Path(name)) && changes > 0; }));
        const int before = changes;
        MakeFile(name + "/new");
        EXPECT_TRUE(WaitFor([&] { return changes > before; }));
        EXPECT_TRUE(monitor.Running());
    }
}

// A directory that is not there yet is watched once it is made.
TEST_F(DirMonTest, ADirectoryMadeLaterIsWatchedFromThen)
{
    TDirMon monitor;
    int changes = 0;
    monitor.OnDirChange = [&changes](TDirMon&) { ++changes; };
    monitor.SetDirectory(Path("home/later"));
    EXPECT_TRUE(monitor.Running());
    MakeDir("home/later");
    ASSERT_TRUE(WaitFor([&] { return WatchedByTheProgram(Path("home/later")) && changes > 0; }));
    const int before = changes;
    MakeFile("home/later/new");
    EXPECT_TRUE(WaitFor([&] { return changes > before; }));
}

// Reports a stopped worker left in the queue are not delivered.
TEST_F(DirMonTest, NoReportsAfterStop)
{
    TDirMon monitor;
    int changes = 0;
    monitor.OnDirChange = [&changes](TDirMon&) { ++changes; };
    monitor.SetDirectory(Path("home"));
    MakeFile("home/late");
    QThread::msleep(50);  // let the worker post before the stop
    monitor.Stop();
    QTest::qWait(50);
    EXPECT_EQ(changes, 0);
}

}  // namespace
}  // namespace zk
