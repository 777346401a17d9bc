#include "platform/trash.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iomanip>
#include <optional>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/private_mounts.h"

namespace zk::platform {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value of a key in an info record, empty when it has none.
std::string InfoValue(const std::string& record, const std::string& key)
{
    const std::size_t at = record.find("\n" + key + "=");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + key.size() + 2;
    return record.substr(start, record.find('\n', start) - start);
}

mode_t ModeOf(const fs::path& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

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
        fs::create_directories(m_volume = m_dir / "volume");
        m_uid = std::to_string(getuid());
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
    // Pretends that the volume folder is a file system of its own.
    TTrashResult TrashOnVolume(const fs::path& path) const
    {
        const std::string volume = m_volume.string();
        return MoveToTrash(path.string(), [volume](const std::string& where) {
            return where == volume || where.starts_with(volume + "/") ? volume : std::string("/");
        });
    }
    void MakeFile(const fs::path& path, const std::string& content = "x") const
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    fs::path m_dir;
    fs::path m_volume;
    std::string m_uid;
    std::string m_oldData;
    bool m_hadData = false;
};

TEST_F(TrashTest, MovesWithAnInfoRecordAndKeepsSameNamesApart)
{
    const fs::path trash = m_dir / "data" / "Trash";
    EXPECT_EQ(HomeTrashDir(), trash.string());
    for (int round = 0; round < 2; ++round) {
        MakeFile(m_dir / "my label.zlb", "round " + std::to_string(round));
        ASSERT_TRUE(MoveToTrash((m_dir / "my label.zlb").string()));
        EXPECT_FALSE(fs::exists(m_dir / "my label.zlb"));
    }
    EXPECT_EQ(Read(trash / "files" / "my label.zlb"), "round 0");
    EXPECT_EQ(Read(trash / "files" / "my label.zlb.1"), "round 1");
    const std::string record = Read(trash / "info" / "my label.zlb.trashinfo");
    EXPECT_EQ(record.rfind("[Trash Info]\nPath=", 0), 0u);
    // The home trash keeps absolute paths.
    EXPECT_EQ(InfoValue(record, "Path"), m_dir.string() + "/my%20label.zlb");
    EXPECT_EQ(InfoValue(Read(trash / "info" / "my label.zlb.1.trashinfo"), "Path"), m_dir.string() + "/my%20label.zlb");
    EXPECT_EQ(ModeOf(trash), 0700u);
}

TEST_F(TrashTest, DeletionDateIsLocalTimeToTheSecond)
{
    MakeFile(m_dir / "a.zlb");
    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(MoveToTrash((m_dir / "a.zlb").string()));
    const std::time_t after = std::time(nullptr);
    const std::string date = InfoValue(Read(m_dir / "data/Trash/info/a.zlb.trashinfo"), "DeletionDate");
    std::tm local {};
    std::istringstream text(date);
    text >> std::get_time(&local, "%Y-%m-%dT%H:%M:%S");
    ASSERT_FALSE(text.fail()) << date;
    EXPECT_EQ(date.size(), 19u) << date;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    EXPECT_GE(when, before);
    EXPECT_LE(when, after);
}

TEST_F(TrashTest, PathsArePercentEncodedBytes)
{
    struct Case {
        std::string name;
        std::string encoded;
    };
    const Case cases[] = {
        {"plain-name_1.zlb", "plain-name_1.zlb"},
        {"with space", "with%20space"},
        {"100%", "100%25"},
        {"a#b?c&d", "a%23b%3Fc%26d"},
        {"\xE4rger", "%E4rger"},          // not UTF-8: the byte itself
        {"\xC3\xA4pfel", "%C3%A4pfel"},   // UTF-8 "äpfel"
        {"new\nline", "new%0Aline"},
    };
    for (const Case& c : cases) {
        MakeFile(m_dir / "sub dir" / c.name);
        const TTrashResult result = MoveToTrash((m_dir / "sub dir" / c.name).string());
        ASSERT_TRUE(result) << c.encoded << ": " << result.reason;
        const std::string record = Read(m_dir / "data/Trash/info" / (c.name + ".trashinfo"));
        EXPECT_EQ(InfoValue(record, "Path"), m_dir.string() + "/sub%20dir/" + c.encoded);
        EXPECT_TRUE(fs::exists(m_dir / "data/Trash/files" / c.name)) << c.encoded;
    }
}

TEST_F(TrashTest, TheInfoRecordReservesTheName)
{
    const fs::path trash = m_dir / "data" / "Trash";
    // A record left without its file, and a file left without its record.
    MakeFile(trash / "info" / "a.zlb.trashinfo", "someone else's");
    MakeFile(trash / "files" / "a.zlb.1", "stray");
    MakeFile(m_dir / "a.zlb", "mine");
    ASSERT_TRUE(MoveToTrash((m_dir / "a.zlb").string()));
    EXPECT_EQ(Read(trash / "info" / "a.zlb.trashinfo"), "someone else's");
    EXPECT_EQ(Read(trash / "files" / "a.zlb.1"), "stray");
    EXPECT_FALSE(fs::exists(trash / "info" / "a.zlb.1.trashinfo"));
    EXPECT_EQ(Read(trash / "files" / "a.zlb.2"), "mine");
    EXPECT_EQ(InfoValue(Read(trash / "info" / "a.zlb.2.trashinfo"), "Path"), m_dir.string() + "/a.zlb");
}

TEST_F(TrashTest, ANameTooLongForItsRecordIsShortenedInTheTrashOnly)
{
    const std::string name = std::string(250, 'x') + ".zlb";  // the longest a name may be, nearly
    MakeFile(m_dir / name, "long");
    ASSERT_TRUE(MoveToTrash((m_dir / name).string()));
    const std::string kept = name.substr(0, 255 - std::string(".trashinfo").size());
    EXPECT_EQ(Read(m_dir / "data/Trash/files" / kept), "long");
    EXPECT_EQ(InfoValue(Read(m_dir / "data/Trash/info" / (kept + ".trashinfo")), "Path"), m_dir.string() + "/" + name);
}

TEST_F(TrashTest, MissingObjectsAreNotMovedAndSayWhy)
{
    const TTrashResult result = MoveToTrash((m_dir / "none").string());
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_FALSE(fs::exists(m_dir / "data" / "Trash" / "info" / "none.trashinfo"));
}

TEST_F(TrashTest, LinksGoThemselvesNotTheirTargets)
{
    MakeFile(m_dir / "target.zlb", "kept");
    fs::create_symlink(m_dir / "target.zlb", m_dir / "link.zlb");
    ASSERT_TRUE(MoveToTrash((m_dir / "link.zlb").string()));
    EXPECT_EQ(Read(m_dir / "target.zlb"), "kept");
    EXPECT_TRUE(fs::is_symlink(m_dir / "data/Trash/files/link.zlb"));
}

TEST_F(TrashTest, AVolumeWithoutASharedTrashGetsAPrivateOne)
{
    MakeFile(m_volume / "labels" / "my label.zlb", "mine");
    const TTrashResult result = TrashOnVolume(m_volume / "labels" / "my label.zlb");
    ASSERT_TRUE(result) << result.reason;
    const fs::path trash = m_volume / (".Trash-" + m_uid);
    EXPECT_EQ(Read(trash / "files" / "my label.zlb"), "mine");
    EXPECT_FALSE(fs::exists(m_volume / "labels" / "my label.zlb"));
    EXPECT_EQ(ModeOf(trash), 0700u);
    // Relative to the volume's top folder.
    EXPECT_EQ(InfoValue(Read(trash / "info" / "my label.zlb.trashinfo"), "Path"), "labels/my%20label.zlb");
    EXPECT_FALSE(fs::exists(m_dir / "data" / "Trash"));
}

TEST_F(TrashTest, AStickySharedTrashHoldsAFolderPerUser)
{
    fs::create_directory(m_volume / ".Trash");
    ASSERT_EQ(chmod((m_volume / ".Trash").c_str(), 01777), 0);
    MakeFile(m_volume / "a.zlb");
    const TTrashResult result = TrashOnVolume(m_volume / "a.zlb");
    ASSERT_TRUE(result) << result.reason;
    const fs::path trash = m_volume / ".Trash" / m_uid;
    EXPECT_TRUE(fs::exists(trash / "files" / "a.zlb"));
    EXPECT_EQ(InfoValue(Read(trash / "info" / "a.zlb.trashinfo"), "Path"), "a.zlb");
    EXPECT_EQ(ModeOf(trash), 0700u);
    EXPECT_FALSE(fs::exists(m_volume / (".Trash-" + m_uid)));
}

TEST_F(TrashTest, ASharedTrashThatIsNotStickyOrIsALinkIsNotUsed)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
    };
    const Case cases[] = {
        {"not sticky", [](const fs::path& shared) {
             fs::create_directory(shared);
             chmod(shared.c_str(), 0777);
         }},
        {"a link to a sticky folder", [this](const fs::path& shared) {
             fs::create_directory(m_dir / "elsewhere");
             chmod((m_dir / "elsewhere").c_str(), 01777);
             fs::create_directory_symlink(m_dir / "elsewhere", shared);
         }},
        {"a file", [this](const fs::path& shared) { MakeFile(shared); }},
    };
    for (const Case& c : cases) {
        const fs::path shared = m_volume / ".Trash";
        c.make(shared);
        MakeFile(m_volume / "a.zlb");
        const TTrashResult result = TrashOnVolume(m_volume / "a.zlb");
        ASSERT_TRUE(result) << c.what << ": " << result.reason;
        EXPECT_TRUE(fs::exists(m_volume / (".Trash-" + m_uid) / "files" / "a.zlb")) << c.what;
        EXPECT_FALSE(fs::exists(shared / m_uid)) << c.what;
        fs::remove_all(shared);
        fs::remove_all(m_volume / (".Trash-" + m_uid));
        fs::remove_all(m_dir / "elsewhere");
    }
}

TEST_F(TrashTest, AFileThatCantBeTrashedStaysAndTheReasonIsGiven)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
    };
    const Case cases[] = {
        {"the private trash is a link", [this](const fs::path& own) {
             fs::create_directory(m_dir / "elsewhere");
             fs::create_directory_symlink(m_dir / "elsewhere", own);
         }},
        {"the private trash is a file", [this](const fs::path& own) { MakeFile(own); }},
        {"its files folder is a link", [this](const fs::path& own) {
             fs::create_directories(own);
             chmod(own.c_str(), 0700);
             fs::create_directory(m_dir / "elsewhere");
             fs::create_directory_symlink(m_dir / "elsewhere", own / "files");
         }},
    };
    for (const Case& c : cases) {
        const fs::path own = m_volume / (".Trash-" + m_uid);
        c.make(own);
        MakeFile(m_volume / "a.zlb", "stays");
        const TTrashResult result = TrashOnVolume(m_volume / "a.zlb");
        EXPECT_FALSE(result) << c.what;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        EXPECT_EQ(Read(m_volume / "a.zlb"), "stays") << c.what;
        EXPECT_TRUE(!fs::exists(m_dir / "elsewhere") || fs::is_empty(m_dir / "elsewhere")) << c.what;
        // Never the home trash instead: that would copy across file systems.
        EXPECT_FALSE(fs::exists(m_dir / "data" / "Trash" / "files" / "a.zlb")) << c.what;
        fs::remove_all(own);
        fs::remove_all(m_dir / "elsewhere");
    }
}

TEST_F(TrashTest, TheMountPointOfAPathIsFoundInTheMountTable)
{
    EXPECT_EQ(MountPointOf("/"), "/");
    const std::string top = MountPointOf(m_dir.string());
    EXPECT_FALSE(top.empty());
    EXPECT_TRUE(m_dir.string() == top || top == "/" || m_dir.string().starts_with(top + "/")) << top;
    EXPECT_EQ(MountPointOf((m_dir / "not yet made").string()), top);
}

TEST_F(TrashTest, AFileOnAnotherFileSystemGoesToThatFileSystemsTrash)
{
    const fs::path volume = m_volume;
    const std::string uid = m_uid;
    const std::optional<std::string> report = test::OnSecondFileSystem(volume, [&] {
        std::ostringstream out;
        out << "mount=" << (MountPointOf((volume / "labels").string()) == volume.string()) << "\n";
        fs::create_directories(volume / "labels");
        std::ofstream(volume / "labels" / "a b.zlb") << "on the volume";
        const TTrashResult result = MoveToTrash((volume / "labels" / "a b.zlb").string());
        const fs::path trash = volume / (".Trash-" + uid);
        out << "moved=" << result.moved << " " << result.reason << "\n";
        out << "content=" << Read(trash / "files" / "a b.zlb") << "\n";
        out << "path=" << InfoValue(Read(trash / "info" / "a b.zlb.trashinfo"), "Path") << "\n";
        out << "mode=" << std::oct << ModeOf(trash) << "\n";
        // A read-only volume can't take anything: the file stays.
        std::ofstream(volume / "kept.zlb") << "kept";
        mount(nullptr, volume.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        const TTrashResult readOnly = MoveToTrash((volume / "kept.zlb").string());
        out << "readonly=" << readOnly.moved << " reason=" << !readOnly.reason.empty()
            << " kept=" << Read(volume / "kept.zlb") << "\n";
        return out.str();
    });
    if (!report) {
        GTEST_SKIP() << "no private mount namespace on this system; the injected mount lookup tests cover the rules";
    }
    EXPECT_EQ(*report, "mount=1\nmoved=1 \ncontent=on the volume\npath=labels/a%20b.zlb\nmode=700\n"
                       "readonly=0 reason=1 kept=kept\n");
    EXPECT_FALSE(fs::exists(m_dir / "data" / "Trash" / "files"));
}

}  // namespace
}  // namespace zk::platform
