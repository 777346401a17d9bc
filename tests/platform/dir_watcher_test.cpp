#include "platform/dir_watcher.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zk::platform {
namespace {

namespace fs = std::filesystem;

// Counts the handler's calls and lets a test wait for the next one.
class ChangeCounter {
public:
    void Changed()
    {
        std::lock_guard lock(m_mutex);
        ++m_count;
        m_changed.notify_all();
    }
    // Whether a call beyond `seen` arrives; the bound only keeps a broken
    // watcher from hanging the test.
    bool WaitBeyond(int seen)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(5), [&] { return m_count > seen; });
    }
    int Count()
    {
        std::lock_guard lock(m_mutex);
        return m_count;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};

class DirWatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zkwatch.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Touch(const fs::path& path) { std::ofstream(path) << "x"; }

    fs::path m_dir;
    ChangeCounter m_counter;
};

TEST_F(DirWatcherTest, FileNameChangesAreReported)
{
    DirectoryWatcher watcher(m_dir.string(), DirChangeFileName, false, [this] { m_counter.Changed(); });
    const auto step = [this](auto action) {
        const int seen = m_counter.Count();
        action();
        return m_counter.WaitBeyond(seen);
    };
    EXPECT_TRUE(step([this] { Touch(m_dir / "a.zlb"); }));
    EXPECT_TRUE(step([this] { fs::rename(m_dir / "a.zlb", m_dir / "b.zlb"); }));
    EXPECT_TRUE(step([this] { fs::remove(m_dir / "b.zlb"); }));
    EXPECT_EQ(watcher.ExitCode(), 0);
}

// A change the filter does not ask for is followed by one it does; only the
// second may reach the handler, so exactly one call is seen.
TEST_F(DirWatcherTest, FilterDecidesWhatCounts)
{
    struct Case {
        std::uint32_t filter;
        const char* ignored;  // what happens first
    } cases[] = {
        {DirChangeFileName, "mkdir"},  // a directory is no file name change
        {DirChangeDirName, "file"},    // a file is no directory name change
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ignored);
        ChangeCounter counter;
        {
            DirectoryWatcher watcher(m_dir.string(), c.filter, false, [&counter] { counter.Changed(); });
            const std::string tag = c.ignored;
            if (tag == "mkdir") {
                fs::create_directory(m_dir / "sub1");
                Touch(m_dir / "wanted");
            } else {
                Touch(m_dir / "file1");
                fs::create_directory(m_dir / "wanted-dir");
            }
            ASSERT_TRUE(counter.WaitBeyond(0));
            EXPECT_EQ(counter.Count(), 1);
        }
        fs::remove_all(m_dir);
        fs::create_directory(m_dir);
    }
}

TEST_F(DirWatcherTest, SubdirectoriesOnlyWhenNested)
{
    fs::create_directory(m_dir / "sub");
    for (const bool nested : {false, true}) {
        SCOPED_TRACE(nested);
        ChangeCounter counter;
        DirectoryWatcher watcher(m_dir.string(), DirChangeFileName, nested, [&counter] { counter.Changed(); });
        Touch(m_dir / "sub" / (nested ? "n" : "f"));
        // A marker in the directory itself proves the watcher has seen events.
        Touch(m_dir / (nested ? "marker-n" : "marker-f"));
        ASSERT_TRUE(counter.WaitBeyond(0));
        if (nested) {
            // The nested change may come in the same batch as the marker.
            EXPECT_GE(counter.Count(), 1);
        } else {
            EXPECT_EQ(counter.Count(), 1);
        }
    }
}

TEST_F(DirWatcherTest, NestedWatchesNewSubdirectories)
{
    DirectoryWatcher watcher(m_dir.string(), DirChangeFileName | DirChangeDirName, true,
                             [this] { m_counter.Changed(); });
    fs::create_directory(m_dir / "new");
    ASSERT_TRUE(m_counter.WaitBeyond(0));
    // The new directory's watch is set up when its creation is read, so a
    // file made after that is seen.
    const int seen = m_counter.Count();
    Touch(m_dir / "new" / "inner");
    EXPECT_TRUE(m_counter.WaitBeyond(seen));
}

TEST_F(DirWatcherTest, MissingDirectoryEndsTheWorker)
{
    DirectoryWatcher watcher((m_dir / "none").string(), DirChangeFileName, false, [this] { m_counter.Changed(); });
    for (int i = 0; i < 500 && !watcher.Ended(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(watcher.Ended());
    EXPECT_EQ(watcher.ExitCode(), ENOENT);
    EXPECT_EQ(m_counter.Count(), 0);
}

TEST_F(DirWatcherTest, RemovedDirectoryIsReportedOnceAndEnds)
{
    const fs::path watched = m_dir / "gone";
    fs::create_directory(watched);
    DirectoryWatcher watcher(watched.string(), DirChangeFileName, false, [this] { m_counter.Changed(); });
    fs::remove(watched);
    EXPECT_TRUE(m_counter.WaitBeyond(0));
    for (int i = 0; i < 500 && !watcher.Ended(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(watcher.Ended());
}

// The program's inotify instances, by their descriptors, and its threads.
std::size_t InotifyInstances()
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error).string() == "anon_inode:inotify") {
            ++count;
        }
    }
    return count;
}

std::size_t Threads()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/task")) {
        ++count;
    }
    return count;
}

// More folders than the user may have inotify instances: all are watched
// through the program's one instance and one reader thread.
TEST_F(DirWatcherTest, ManyFoldersShareOneInstanceAndOneThread)
{
    const auto program = WatchHub::Program();  // made before counting
    std::size_t limit = 128;
    std::ifstream("/proc/sys/fs/inotify/max_user_instances") >> limit;
    const std::size_t folders = std::min<std::size_t>(limit, 1000) + 8;
    const std::size_t instances = InotifyInstances();
    const std::size_t threads = Threads();
    std::vector<ChangeCounter> counters(folders);
    std::vector<std::unique_ptr<DirectoryWatcher>> watchers;
    for (std::size_t i = 0; i < folders; ++i) {
        const fs::path folder = m_dir / std::to_string(i);
        fs::create_directory(folder);
        watchers.push_back(std::make_unique<DirectoryWatcher>(folder.string(), DirChangeFileName, false,
                                                              [&counter = counters[i]] { counter.Changed(); }));
        ASSERT_FALSE(watchers.back()->Ended()) << i << ": " << std::strerror(watchers.back()->ExitCode());
    }
    EXPECT_EQ(InotifyInstances(), instances);
    EXPECT_EQ(Threads(), threads);
    for (const std::size_t i : {std::size_t{0}, folders - 1}) {
        Touch(m_dir / std::to_string(i) / "new");
        EXPECT_TRUE(counters[i].WaitBeyond(0)) << i;
    }
}

// Two watchers of one folder share its kernel watch, each with its own
// filter; the one that stays keeps being told.
TEST_F(DirWatcherTest, WatchersOfOneFolderKeepTheirOwnFilters)
{
    ChangeCounter files;
    ChangeCounter folders;
    auto fileWatcher =
        std::make_unique<DirectoryWatcher>(m_dir.string(), DirChangeFileName, false, [&files] { files.Changed(); });
    DirectoryWatcher folderWatcher(m_dir.string(), DirChangeDirName, false, [&folders] { folders.Changed(); });
    Touch(m_dir / "file");
    fs::create_directory(m_dir / "folder");
    ASSERT_TRUE(files.WaitBeyond(0));
    ASSERT_TRUE(folders.WaitBeyond(0));
    EXPECT_EQ(files.Count(), 1);
    EXPECT_EQ(folders.Count(), 1);

    fileWatcher.reset();
    fs::create_directory(m_dir / "another");
    EXPECT_TRUE(folders.WaitBeyond(1));
}

TEST_F(DirWatcherTest, RecordsNameTheChangedPaths)
{
    fs::create_directory(m_dir / "sub");
    std::mutex mutex;
    std::vector<DirChangeRecord> seen;
    ChangeCounter counter;
    DirectoryWatcher watcher(
        m_dir.string(), DirChangeFileName, true, [&counter] { counter.Changed(); },
        [&](std::vector<DirChangeRecord> records) {
            std::lock_guard lock(mutex);
            seen.insert(seen.end(), records.begin(), records.end());
        });
    Touch(m_dir / "sub" / "a");
    ASSERT_TRUE(counter.WaitBeyond(0));
    fs::rename(m_dir / "sub" / "a", m_dir / "b");
    ASSERT_TRUE(counter.WaitBeyond(1));
    std::lock_guard lock(mutex);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, DirChangeRecord::Kind::Created);
    EXPECT_EQ(seen[0].path, (m_dir / "sub" / "a").string());
    EXPECT_EQ(seen[1].kind, DirChangeRecord::Kind::Renamed);
    EXPECT_EQ(seen[1].newPath, (m_dir / "b").string());
}

// Beyond the watch limit folders are polled: their changes still arrive,
// and the log says so once.
TEST_F(DirWatcherTest, FoldersBeyondTheWatchLimitArePolled)
{
    std::vector<std::string> log;
    std::mutex logMutex;
    const auto hub = std::make_shared<WatchHub>(WatchHub::Options{
        .watchLimit = 2,
        .log =
            [&](const std::string& message) {
                std::lock_guard lock(logMutex);
                log.push_back(message);
            },
    });
    std::vector<ChangeCounter> counters(4);
    std::vector<std::unique_ptr<DirectoryWatcher>> watchers;
    for (int i = 0; i < 4; ++i) {
        const fs::path folder = m_dir / std::to_string(i);
        fs::create_directory(folder);
        watchers.push_back(std::make_unique<DirectoryWatcher>(
            folder.string(), DirChangeFileName, false, [&counter = counters[i]] { counter.Changed(); }, nullptr, hub));
    }
    EXPECT_FALSE(watchers[1]->Polled());
    EXPECT_TRUE(watchers[2]->Polled());
    EXPECT_EQ(hub->WatchedFolders(), (std::vector<std::string>{(m_dir / "0").string(), (m_dir / "1").string()}));
    EXPECT_EQ(hub->PolledFolders(), (std::vector<std::string>{(m_dir / "2").string(), (m_dir / "3").string()}));
    for (int i = 0; i < 4; ++i) {
        Touch(m_dir / std::to_string(i) / "new");
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(counters[i].WaitBeyond(0)) << i;
    }
    std::lock_guard lock(logMutex);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find((m_dir / "2").string()), std::string::npos) << log[0];

    // A polled folder that vanishes ends like a watched one.
    fs::remove_all(m_dir / "3");
    EXPECT_TRUE(counters[3].WaitBeyond(1));
    for (int i = 0; i < 500 && !watchers[3]->Ended(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(watchers[3]->ExitCode(), ENOENT);
}

TEST_F(DirWatcherTest, AWatcherGoneTakesItsWatchAlong)
{
    const auto hub = std::make_shared<WatchHub>();
    {
        DirectoryWatcher watcher(m_dir.string(), DirChangeFileName, false, [] {}, nullptr, hub);
        EXPECT_EQ(hub->WatchedFolders(), std::vector<std::string>{m_dir.string()});
    }
    EXPECT_TRUE(hub->WatchedFolders().empty());
}

}  // namespace
}  // namespace zk::platform
