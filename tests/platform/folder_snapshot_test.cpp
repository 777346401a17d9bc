#include "platform/folder_snapshot.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace zk::platform {
namespace {

namespace fs = std::filesystem;
using Kind = DirChangeRecord::Kind;

class FolderSnapshotTest : public ::testing::Test {
public:  // the table's changes work on the fixture
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zksnapshot.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        fs::create_directory(m_dir / "sub");
        Write("kept", "x");
        Write("sub/inner", "x");
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void Write(const std::string& name, const std::string& text) { std::ofstream(m_dir / name) << text; }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

struct Expected {
    Kind kind;
    bool isDir;
    std::string name;
    bool operator==(const Expected&) const = default;
};

TEST_F(FolderSnapshotTest, ChangesBetweenTwoSnapshots)
{
    constexpr std::uint32_t All = DirChangeFileName | DirChangeDirName | DirChangeAttributes | DirChangeLastWrite;
    struct Row {
        const char* what;
        std::uint32_t filter;
        bool nested;
        std::function<void(FolderSnapshotTest&)> change;
        std::vector<Expected> expected;
    } rows[] = {
        /* 0*/ {"file made", All, false, [](auto& t) { t.Write("new", "x"); }, {{Kind::Created, false, "new"}}},
        /* 1*/ {"file removed", All, false, [](auto& t) { fs::remove(t.m_dir / "kept"); },
                {{Kind::Deleted, false, "kept"}}},
        /* 2*/ {"renamed", All, false, [](auto& t) { fs::rename(t.m_dir / "kept", t.m_dir / "moved"); },
                {{Kind::Deleted, false, "kept"}, {Kind::Created, false, "moved"}}},
        /* 3*/ {"written", All, false, [](auto& t) { t.Write("kept", "longer"); }, {{Kind::Written, false, "kept"}}},
        /* 4*/ {"mode", All, false, [](auto& t) { chmod(t.Path("kept").c_str(), 0600); },
                {{Kind::Attributes, false, "kept"}}},
        /* 5*/ {"folder made", All, false, [](auto& t) { fs::create_directory(t.m_dir / "dir"); },
                {{Kind::Created, true, "dir"}}},
        /* 6*/ {"folder, files only", DirChangeFileName, false,
                [](auto& t) { fs::create_directory(t.m_dir / "dir"); }, {}},
        /* 7*/ {"inside, flat", All, false, [](auto& t) { t.Write("sub/new", "x"); }, {}},
        /* 8*/ {"inside, nested", All, true, [](auto& t) { t.Write("sub/new", "x"); },
                {{Kind::Created, false, "sub/new"}}},
        /* 9*/ {"file became folder", All, false,
                [](auto& t) {
                    fs::remove(t.m_dir / "kept");
                    fs::create_directory(t.m_dir / "kept");
                },
                {{Kind::Deleted, false, "kept"}, {Kind::Created, true, "kept"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        SetUp();
        chmod(Path("kept").c_str(), 0644);
        const FolderSnapshot before = FolderSnapshot::Take(m_dir.string(), row.nested);
        row.change(*this);
        const FolderSnapshot after = FolderSnapshot::Take(m_dir.string(), row.nested);
        std::vector<Expected> got;
        for (const DirChangeRecord& record : FolderSnapshot::Changes(before, after, row.filter)) {
            ASSERT_TRUE(record.path.starts_with(m_dir.string() + "/")) << record.path;
            got.push_back({record.kind, record.isDir, record.path.substr(m_dir.string().size() + 1)});
        }
        EXPECT_EQ(got, row.expected);
    }
}

TEST_F(FolderSnapshotTest, AVanishedFolderIsGone)
{
    const FolderSnapshot before = FolderSnapshot::Take(m_dir.string(), false);
    EXPECT_EQ(before.Error(), 0);
    fs::remove_all(m_dir);
    const FolderSnapshot after = FolderSnapshot::Take(m_dir.string(), false);
    EXPECT_EQ(after.Error(), ENOENT);
    const std::vector<DirChangeRecord> records = FolderSnapshot::Changes(before, after, DirChangeDirName);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().kind, Kind::Gone);
    EXPECT_EQ(records.back().path, m_dir.string());
    fs::create_directory(m_dir);
}

TEST_F(FolderSnapshotTest, ANonFolderCanNotBeRead)
{
    EXPECT_EQ(FolderSnapshot::Take(Path("kept"), false).Error(), ENOTDIR);
    EXPECT_EQ(FolderSnapshot::Take(Path("none"), false).Error(), ENOENT);
}

}  // namespace
}  // namespace zk::platform
