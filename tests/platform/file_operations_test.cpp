#include "platform/file_operations.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <sys/stat.h>

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
    };
    for (const Case& c : cases) {
        const TTransferResult result = TransferObject(P(c.source), P(c.folder), c.kind);
        EXPECT_FALSE(result) << c.source << " -> " << c.folder;
        EXPECT_EQ(result.target, "") << c.source << " -> " << c.folder;
        EXPECT_EQ(result.reason, c.reason) << c.source << " -> " << c.folder;
    }
    EXPECT_EQ(Read("from/a.zlb"), "A");
    EXPECT_TRUE(fs::is_directory(P("from/sub")));
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

}  // namespace
}  // namespace zk::platform
