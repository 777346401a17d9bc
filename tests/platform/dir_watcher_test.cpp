#include "platform/dir_watcher.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

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

}  // namespace
}  // namespace zk::platform
