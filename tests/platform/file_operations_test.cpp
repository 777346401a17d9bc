#include "platform/file_operations.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

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
    EXPECT_FALSE(CreateFolder(P("to/new")));
    EXPECT_FALSE(CreateFolder(P("from/a.zlb")));
    EXPECT_EQ(Read("from/a.zlb"), "A");
}

TEST_F(FileOperationsTest, CopyMoveAndLinkNeverReplace)
{
    Write("to/a.zlb", "old");
    EXPECT_EQ(TransferObject(P("from/a.zlb"), P("to"), TransferKind::Copy), P("to/a (2).zlb"));
    EXPECT_EQ(Read("to/a.zlb"), "old");
    EXPECT_EQ(Read("to/a (2).zlb"), "A");

    EXPECT_EQ(TransferObject(P("from/sub"), P("to"), TransferKind::Copy), P("to/sub"));
    EXPECT_EQ(Read("to/sub/b.zlb"), "B");
    EXPECT_EQ(TransferObject(P("from/sub"), P("to"), TransferKind::Move), P("to/sub (2)"));
    EXPECT_FALSE(fs::exists(P("from/sub")));

    EXPECT_EQ(TransferObject(P("from/a.zlb"), P("to"), TransferKind::Link), P("to/a (3).zlb"));
    EXPECT_EQ(fs::read_symlink(P("to/a (3).zlb")), P("from/a.zlb"));
}

TEST_F(FileOperationsTest, RefusedTransfers)
{
    struct Case {
        const char* source;
        const char* folder;
        TransferKind kind;
    };
    const Case cases[] = {
        {"from", "from/sub", TransferKind::Copy},  // into its own subtree
        {"from", "from", TransferKind::Move},      // into itself
        {"from/a.zlb", "from", TransferKind::Move},  // already there
        {"from/none", "to", TransferKind::Copy},     // no source
        {"from/a.zlb", "to/none", TransferKind::Copy},  // no folder
        {"from/a.zlb", "from/a.zlb", TransferKind::Copy},  // a file is no folder
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TransferObject(P(c.source), P(c.folder), c.kind), "") << c.source << " -> " << c.folder;
    }
    EXPECT_EQ(Read("from/a.zlb"), "A");
    EXPECT_TRUE(fs::is_directory(P("from/sub")));
}

}  // namespace
}  // namespace zk::platform
