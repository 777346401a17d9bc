#include "platform/file_operations.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/private_mounts.h"

namespace zk::platform {
namespace {

namespace fs = std::filesystem;

class FileOperationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zkfileops.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        fs::create_directories(m_dir / "from/sub");
        fs::create_directories(m_dir / "to");
        Write("from/a.zlb", "A");
        Write("from/sub/b.zlb", "B");
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void Write(const std::string& relative, const std::string& text) const
    {
        std::ofstream(m_dir / relative, std::ios::binary) << text;
    }
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(m_dir / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string P(const std::string& relative) const { return (m_dir / relative).string(); }

    fs::path m_dir;
};

TEST_F(FileOperationsTest, UniqueNameSkipsNamesInUse)
{
    Write("to/a.zlb", "");
    Write("to/a (2).zlb", "");
    Write("to/.profile", "");
    fs::create_directory(m_dir / "to/New Folder");
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"free.zlb", "free.zlb"},
        {"a.zlb", "a (3).zlb"},
        {".profile", ".profile (2)"},  // a leading dot is no extension
        {"New Folder", "New Folder (2)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UniqueName(P("to"), c.name), c.expected) << c.name;
    }
}

TEST_F(FileOperationsTest, CreateFolderNeverTakesAnExistingName)
{
    EXPECT_TRUE(CreateFolder(P("to/new/deeper")));
    EXPECT_TRUE(fs::is_directory(P("to/new/deeper")));
    std::string reason;
    EXPECT_FALSE(CreateFolder(P("to/new"), &reason));
    EXPECT_EQ(reason, "a file or folder of that name is already there");
    EXPECT_FALSE(CreateFolder(P("from/a.zlb")));
    EXPECT_EQ(Read("from/a.zlb"), "A");
}

TEST_F(FileOperationsTest, CopyMoveAndLinkNeverReplace)
{
    Write("to/a.zlb", "old");
    EXPECT_EQ(TransferObject(P("from/a.zlb"), P("to"), TransferKind::Copy).target, P("to/a (2).zlb"));
    EXPECT_EQ(Read("to/a.zlb"), "old");
    EXPECT_EQ(Read("to/a (2).zlb"), "A");

    EXPECT_EQ(TransferObject(P("from/sub"), P("to"), TransferKind::Copy).target, P("to/sub"));
    EXPECT_EQ(Read("to/sub/b.zlb"), "B");
    EXPECT_EQ(TransferObject(P("from/sub"), P("to"), TransferKind::Move).target, P("to/sub (2)"));
    EXPECT_FALSE(fs::exists(P("from/sub")));

    EXPECT_EQ(TransferObject(P("from/a.zlb"), P("to"), TransferKind::Link).target, P("to/a (3).zlb"));
    EXPECT_EQ(fs::read_symlink(P("to/a (3).zlb")), P("from/a.zlb"));
}

TEST_F(FileOperationsTest, RefusedTransfersSayWhy)
{
    struct Case {
        const char* source;
        const char* folder;
        TransferKind kind;
        const char* reason;
    };
    const Case cases[] = {
        {"from", "from/sub", TransferKind::Copy, "a folder can't go into itself"},
        {"from", "from", TransferKind::Move, "a folder can't go into itself"},
        {"from/a.zlb", "from", TransferKind::Move, "it is in that folder already"},
        {"from/none", "to", TransferKind::Copy, "it is no longer there"},
        {"from/a.zlb", "to/none", TransferKind::Copy, "the destination is no folder"},
        {"from/a.zlb", "from/a.zlb", TransferKind::Copy, "the destination is no folder"},
        // A link elsewhere that leads into the folder itself.
        {"from", "to/into", TransferKind::Copy, "a folder can't go into itself"},
        {"from", "to/into", TransferKind::Move, "a folder can't go into itself"},
        {"from", "from/sub/back", TransferKind::Copy, "a folder can't go into itself"},
    };
    fs::create_directory_symlink(m_dir / "from/sub", m_dir / "to/into");
    fs::create_directory_symlink(m_dir / "from", m_dir / "from/sub/back");
    for (const Case& c : cases) {
        const TTransferResult result = TransferObject(P(c.source), P(c.folder), c.kind);
        EXPECT_FALSE(result) << c.source << " -> " << c.folder;
        EXPECT_EQ(result.target, "") << c.source << " -> " << c.folder;
        EXPECT_EQ(result.reason, c.reason) << c.source << " -> " << c.folder;
    }
    EXPECT_EQ(Read("from/a.zlb"), "A");
    EXPECT_TRUE(fs::is_directory(P("from/sub")));
}

// A folder the user may read but not change is copied whole, and its copy
// gets its mode once it holds everything.
TEST_F(FileOperationsTest, AFolderTheUserMayNotChangeIsCopiedWhole)
{
    fs::create_directory(m_dir / "from/sub/inner");
    Write("from/sub/inner/c.zlb", "C");
    for (const char* folder : {"from/sub/inner", "from/sub"}) {
        ASSERT_EQ(chmod(P(folder).c_str(), 0555), 0);
    }
    const test::FileModesHeld modes;
    ASSERT_TRUE(modes.Held());
    const TTransferResult result = TransferObject(P("from/sub"), P("to"), TransferKind::Copy);
    EXPECT_EQ(result.target, P("to/sub")) << result.reason;
    EXPECT_EQ(Read("to/sub/b.zlb"), "B");
    EXPECT_EQ(Read("to/sub/inner/c.zlb"), "C");
    for (const char* folder : {"to/sub/inner", "to/sub"}) {
        EXPECT_EQ(fs::status(P(folder)).permissions(), static_cast<fs::perms>(0555)) << folder;
    }
}

// A copy that fails leaves no part behind also when folders the user may
// not change were copied whole before the failure: their copies take their
// modes only once everything is there. (Folders are read in no fixed order,
// so many of them lie beside the one that fails.)
TEST_F(FileOperationsTest, AFailedCopyOfFoldersTheUserMayNotChangeLeavesNothing)
{
    fs::create_directory(m_dir / "from/tree");
    for (int i = 0; i < 16; ++i) {
        const std::string folder = "from/tree/locked" + std::to_string(i);
        fs::create_directory(m_dir / folder);
        Write(folder + "/c.zlb", "C");
        ASSERT_EQ(chmod(P(folder).c_str(), 0555), 0);
    }
    fs::create_directory(m_dir / "from/tree/piped");
    ASSERT_EQ(mkfifo(P("from/tree/piped/pipe").c_str(), 0600), 0);
    const test::FileModesHeld modes;
    ASSERT_TRUE(modes.Held());
    const TTransferResult result = TransferObject(P("from/tree"), P("to"), TransferKind::Copy);
    EXPECT_EQ(result.reason, "\"tree/piped/pipe\" is a named pipe, which can't be copied");
    EXPECT_FALSE(fs::exists(P("to/tree")));
}

// What is neither a file, a folder nor a link can't be copied: a folder
// holding one is not copied, and no part of the copy is left behind.
TEST_F(FileOperationsTest, AFolderHoldingANamedPipeIsNotCopied)
{
    ASSERT_EQ(mkfifo(P("from/sub/pipe").c_str(), 0600), 0);
    const TTransferResult result = TransferObject(P("from/sub"), P("to"), TransferKind::Copy);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.reason, "\"sub/pipe\" is a named pipe, which can't be copied");
    EXPECT_FALSE(fs::exists(P("to/sub")));
    EXPECT_TRUE(fs::is_fifo(P("from/sub/pipe")));
    EXPECT_EQ(Read("from/sub/b.zlb"), "B");
}

// A move to another file system copies and then removes the source; when
// the copy fails the source stays whole and the partial copy goes.
TEST_F(FileOperationsTest, AFailedMoveToAnotherFileSystemKeepsTheSource)
{
    ASSERT_EQ(mkfifo(P("from/sub/pipe").c_str(), 0600), 0);
    const fs::path volume = m_dir / "to";
    const std::string source = P("from/sub");
    const std::optional<std::string> report = test::OnSecondFileSystem(volume, [&] {
        const TTransferResult result = TransferObject(source, volume.string(), TransferKind::Move);
        std::error_code error;
        return "moved=" + std::to_string(static_cast<bool>(result)) + " reason=" + result.reason +
               " left=" + std::to_string(std::distance(fs::directory_iterator(volume, error), {}));
    });
    if (!report) {
        GTEST_SKIP() << "no private mount namespace on this system for a second file system";
    }
    EXPECT_EQ(*report, "moved=0 reason=\"sub/pipe\" is a named pipe, which can't be copied left=0");
    EXPECT_TRUE(fs::is_fifo(P("from/sub/pipe")));
    EXPECT_EQ(Read("from/sub/b.zlb"), "B");
}

// Sets or clears flags (immutable, append-only) on the file or folder at path.
bool SetFileFlag(const std::string& path, int flag, bool on)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int flags = 0;
    const bool set = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags = on ? flags | flag : flags & ~flag, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0) {
        close(fd);
    }
    return set;
}

// A move to another file system is refused before anything is copied when
// its source can't be removed: from a folder the user may not change, or
// from a read-only file system, as a move within one file system is. Where
// the source still can't be removed once copied (here: a folder holding a
// mount point), the copy stays, and the result says the source is still there.
TEST_F(FileOperationsTest, AMoveToAnotherFileSystemThatCantRemoveItsSourceSaysSo)
{
    fs::create_directories(m_dir / "from/locked");
    Write("from/locked/c.zlb", "C");
    fs::create_directories(m_dir / "from/holder/mounted");
    Write("from/holder/d.zlb", "D");
    fs::create_directories(m_dir / "from/deep/sub");
    Write("from/deep/sub/e.zlb", "E");
    Write("from/kept.zlb", "K");
    fs::create_directories(m_dir / "elsewhere/locked");
    fs::create_directories(m_dir / "from/emptied/shut");
    Write("from/emptied/f.zlb", "F");
    fs::create_directory_symlink(m_dir / "elsewhere", m_dir / "from/link");
    const fs::path volume = m_dir / "to";
    // In the child: folder may not be changed, and root is held to the
    // modes for the rest of the child's life.
    const auto lockedAndHeldToModes = [](const fs::path& folder) {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        static const test::FileModesHeld modes;
        return modes.Held();
    };
    struct Case {
        const char* what;
        const char* source;
        std::function<bool()> prepare;  // in the child, before the move; false when it can't be done
        const char* expected;
    };
    const Case cases[] = {
        {"a folder the user may not change", "from/locked/c.zlb",
         [&] { return lockedAndHeldToModes(m_dir / "from/locked"); },
         "moved=0 reason=Permission denied copied=0 source=1"},
        {"a read-only file system", "from/locked/c.zlb",
         [&] {
             const std::string folder = (m_dir / "from/locked").string();
             return mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                    mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
         },
         "moved=0 reason=Read-only file system copied=0 source=1"},
        {"a mount point inside", "from/holder",
         [&] {
             const std::string folder = (m_dir / "from/holder/mounted").string();
             return mount("zkinner", folder.c_str(), "tmpfs", 0, "mode=0755") == 0;
         },
         "moved=1 reason=it was copied, but the original could not be removed: Device or resource busy "
         "copied=1 source=1"},
        {"an immutable file deep inside", "from/deep",
         [&] { return SetFileFlag(P("from/deep/sub/e.zlb"), FS_IMMUTABLE_FL, true); },
         "moved=0 reason=\"deep/sub/e.zlb\": Operation not permitted copied=0 source=1"},
        {"an append-only folder inside", "from/deep",
         [&] { return SetFileFlag(P("from/deep/sub"), FS_APPEND_FL, true); },
         "moved=0 reason=\"deep/sub\": Operation not permitted copied=0 source=1"},
        {"an immutable file", "from/kept.zlb", [&] { return SetFileFlag(P("from/kept.zlb"), FS_IMMUTABLE_FL, true); },
         "moved=0 reason=Operation not permitted copied=0 source=1"},
        // Only the link goes, so what lies where it leads does not matter.
        {"a link to a folder holding one the user may not change", "from/link",
         [&] { return lockedAndHeldToModes(m_dir / "elsewhere/locked"); },
         "moved=1 reason= copied=1 source=0"},
        // An empty folder goes as its folder lets it, whatever its own mode.
        {"an empty folder the user may not change", "from/emptied",
         [&] { return lockedAndHeldToModes(m_dir / "from/emptied/shut"); },
         "moved=1 reason= copied=1 source=0"},
    };
    for (const Case& c : cases) {
        const std::string source = P(c.source);
        const std::string name = fs::path(source).filename().string();
        const std::optional<std::string> report = test::OnSecondFileSystem(volume, [&]() -> std::string {
            if (!c.prepare()) {
                return std::string("unavailable: ") + std::strerror(errno);
            }
            const TTransferResult result = TransferObject(source, volume.string(), TransferKind::Move);
            std::error_code error;
            return "moved=" + std::to_string(static_cast<bool>(result)) + " reason=" + result.reason +
                   " copied=" + std::to_string(fs::exists(volume / name, error)) +
                   " source=" + std::to_string(fs::exists(source, error));
        });
        if (!report) {
            GTEST_SKIP() << "no private mount namespace on this system for a second file system (" << c.what << ")";
        }
        EXPECT_EQ(*report, c.expected) << c.what;
        for (const char* flagged : {"from/deep/sub/e.zlb", "from/deep/sub", "from/kept.zlb"}) {
            SetFileFlag(P(flagged), FS_IMMUTABLE_FL | FS_APPEND_FL, false);
        }
    }
    EXPECT_EQ(Read("from/locked/c.zlb"), "C");
    fs::permissions(m_dir / "from/locked", fs::perms::owner_all);
    EXPECT_TRUE(fs::is_directory(m_dir / "elsewhere/locked"));
}

// A copy onto a full file system says so, and leaves no part behind.
TEST_F(FileOperationsTest, ACopyOntoAFullFileSystemSaysItIsFull)
{
    Write("from/big.zlb", std::string(256 * 1024, 'x'));
    const fs::path volume = m_dir / "to";
    for (const char* source : {"from/big.zlb", "from"}) {
        const std::string path = P(source);
        const std::optional<std::string> report = test::OnSecondFileSystem(
            volume,
            [&] {
                const TTransferResult result = TransferObject(path, volume.string(), TransferKind::Copy);
                std::error_code error;
                return "copied=" + std::to_string(static_cast<bool>(result)) + " reason=" + result.reason +
                       " left=" + std::to_string(std::distance(fs::directory_iterator(volume, error), {}));
            },
            "mode=0755,size=64k");
        if (!report) {
            GTEST_SKIP() << "no private mount namespace on this system for a second file system";
        }
        const std::string reason = std::string(source) == "from" ? "\"from/big.zlb\": No space left on device"
                                                                  : "No space left on device";
        EXPECT_EQ(*report, "copied=0 reason=" + reason + " left=0") << source;
    }
}

}  // namespace
}  // namespace zk::platform
