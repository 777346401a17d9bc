#include "platform/trash.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zk::platform {
namespace {

namespace fs = std::filesystem;

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zktrash.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        const char* data = std::getenv("XDG_DATA_HOME");
        m_hadData = data != nullptr;
        m_oldData = data != nullptr ? data : "";
        setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
    }
    void TearDown() override
    {
        if (m_hadData) {
            setenv("XDG_DATA_HOME", m_oldData.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        fs::remove_all(m_dir);
    }
    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path m_dir;
    std::string m_oldData;
    bool m_hadData = false;
};

TEST_F(TrashTest, MovesWithAnInfoRecordAndKeepsSameNamesApart)
{
    const fs::path trash = m_dir / "data" / "Trash";
    EXPECT_EQ(HomeTrashDir(), trash.string());
    for (int round = 0; round < 2; ++round) {
        std::ofstream(m_dir / "my label.zlb") << "round " << round;
        ASSERT_TRUE(MoveToTrash((m_dir / "my label.zlb").string()));
        EXPECT_FALSE(fs::exists(m_dir / "my label.zlb"));
    }
    EXPECT_EQ(Read(trash / "files" / "my label.zlb"), "round 0");
    EXPECT_EQ(Read(trash / "files" / "my label.zlb.1"), "round 1");
    const std::string record = Read(trash / "info" / "my label.zlb.trashinfo");
    EXPECT_EQ(record.rfind("[Trash Info]\nPath=", 0), 0u);
    EXPECT_NE(record.find("/my%20label.zlb\n"), std::string::npos);
    EXPECT_NE(record.find("\nDeletionDate="), std::string::npos);
}

TEST_F(TrashTest, MissingObjectsAreNotMoved)
{
    EXPECT_FALSE(MoveToTrash((m_dir / "none").string()));
    EXPECT_FALSE(fs::exists(m_dir / "data" / "Trash" / "info" / "none.trashinfo"));
}

}  // namespace
}  // namespace zk::platform
