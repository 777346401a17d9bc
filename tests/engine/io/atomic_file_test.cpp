#include "engine/io/atomic_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "engine/config/program_paths.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/named_pipe.h"
#include "tests/support/private_mounts.h"
#include "tests/support/unprivileged_user.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool Replace(const fs::path& path, const std::string& text)
{
    return WriteFileAtomically(path.string(), std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

struct stat StatOf(const fs::path& path)
{
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

std::set<std::string> NamesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A file size limit makes writes beyond it fail, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};

// Every extended attribute of path (the POSIX ACL among them) by name.
std::map<std::string, std::string> AttributesOf(const fs::path& path)
{
    std::map<std::string, std::string> attributes;
    std::string names(65536, '\0');
    const ssize_t length = llistxattr(path.c_str(), names.data(), names.size());
    for (std::size_t at = 0; length > 0 && at < static_cast<std::size_t>(length); at = names.find('\0', at) + 1) {
        const std::string name = names.c_str() + at;
        std::string value(65536, '\0');
        const ssize_t size = lgetxattr(path.c_str(), name.c_str(), value.data(), value.size());
        attributes[name] = value.substr(0, size < 0 ? 0 : static_cast<std::size_t>(size));
    }
    return attributes;
}

void SetAttribute(const fs::path& path, const char* name, const std::string& value)
{
    ASSERT_EQ(setxattr(path.c_str(), name, value.data(), value.size(), 0), 0) << name << " " << std::strerror(errno);
}

// What getfacl shows of path's ACL, without the header naming the file.
std::string AclOf(const fs::path& path)
{
    const std::string command = "getfacl --omit-header --absolute-names -- '" + path.string() + "' 2>&1";
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

void SetAcl(const std::string& arguments, const fs::path& path)
{
    ASSERT_EQ(std::system(("setfacl " + arguments + " -- '" + path.string() + "'").c_str()), 0) << arguments;
}

class AtomicFileTest : public test::EngineTest {
protected:
    fs::path Folder(const char* name) const
    {
        const fs::path folder = TempDir() / name;
        fs::create_directories(folder);
        return folder;
    }
};

TEST_F(AtomicFileTest, ANewFileGetsTheUsualModeAndNoTemporaryFileStays)
{
    const mode_t previous = umask(027);
    const fs::path path = Folder("d") / "new.zlb";
    const bool replaced = Replace(path, "new");
    umask(previous);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(path.parent_path()), std::set<std::string>{"new.zlb"});
}

TEST_F(AtomicFileTest, AnExistingFileKeepsItsMode)
{
    const fs::path folder = Folder("d");
    for (const mode_t mode : {0600, 0660, 0640, 0604, 0666}) {
        const fs::path path = folder / ("m" + std::to_string(mode));
        WriteText(path, "old contents");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(Replace(path, "new")) << mode;
        EXPECT_EQ(ReadText(path), "new") << mode;
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode);
    }
    EXPECT_EQ(NamesIn(folder).size(), 5u);
}

TEST_F(AtomicFileTest, ASymbolicLinkStaysAndItsTargetIsReplaced)
{
    struct Case {
        const char* name;
        std::function<fs::path(const fs::path& shared)> link;  // makes the link(s), returns the name saved to
    };
    const fs::path saved = Folder("mine");
    const fs::path shared = Folder("shared");
    const std::vector<Case> cases = {
        {"absolute", [&](const fs::path& target) {
             fs::create_symlink(target, saved / "absolute.zlb");
             return saved / "absolute.zlb";
         }},
        {"relative", [&](const fs::path& target) {
             fs::create_symlink("../shared/" + target.filename().string(), saved / "relative.zlb");
             return saved / "relative.zlb";
         }},
        {"chain", [&](const fs::path& target) {
             fs::create_symlink(target.filename(), shared / "middle.zlb");
             fs::create_symlink(shared / "middle.zlb", saved / "chain.zlb");
             return saved / "chain.zlb";
         }},
    };
    for (const Case& c : cases) {
        const fs::path target = shared / (std::string(c.name) + "-target.zlb");
        WriteText(target, "old");
        ASSERT_EQ(chmod(target.c_str(), 0660), 0);
        const fs::path link = c.link(target);
        const fs::path linkText = fs::read_symlink(link);

        ASSERT_TRUE(Replace(link, std::string("new ") + c.name)) << c.name;
        EXPECT_TRUE(fs::is_symlink(link)) << c.name;
        EXPECT_EQ(fs::read_symlink(link), linkText) << c.name;
        EXPECT_EQ(ReadText(target), std::string("new ") + c.name) << c.name;
        EXPECT_EQ(StatOf(target).st_mode & 07777, 0660u) << c.name;
    }
    EXPECT_EQ(NamesIn(saved), (std::set<std::string>{"absolute.zlb", "relative.zlb", "chain.zlb"}));
    EXPECT_EQ(NamesIn(shared), (std::set<std::string>{"absolute-target.zlb", "relative-target.zlb",
                                                      "chain-target.zlb", "middle.zlb"}));
}

TEST_F(AtomicFileTest, ADanglingLinkGetsItsTargetMade)
{
    const fs::path folder = Folder("d");
    fs::create_symlink("made.zlb", folder / "link.zlb");
    ASSERT_TRUE(Replace(folder / "link.zlb", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.zlb"));
    EXPECT_EQ(ReadText(folder / "made.zlb"), "new");
}

TEST_F(AtomicFileTest, AHardLinkedFileStaysOneFileAndKeepsItsMode)
{
    const fs::path folder = Folder("d");
    const fs::path first = folder / "first.zlb";
    const fs::path other = Folder("elsewhere") / "other.zlb";
    WriteText(first, std::string(100000, 'o'));  // longer than the new contents
    ASSERT_EQ(chmod(first.c_str(), 0600), 0);
    fs::create_hard_link(first, other);
    const ino_t inode = StatOf(first).st_ino;

    ASSERT_TRUE(Replace(first, "new"));
    EXPECT_TRUE(ReadText(first) == "new");
    EXPECT_TRUE(ReadText(other) == "new");
    EXPECT_EQ(StatOf(first).st_ino, inode);
    EXPECT_EQ(StatOf(first).st_nlink, 2u);
    EXPECT_EQ(StatOf(first).st_mode & 07777, 0600u);
    EXPECT_EQ(NamesIn(folder), std::set<std::string>{"first.zlb"});
}

// Each way a replacement goes, failing half-way: the old contents stay
// under every name, and nothing is left beside them.
TEST_F(AtomicFileTest, AFailureHalfWayLeavesTheOldContentsWhole)
{
    struct Case {
        const char* name;
        bool hardLinked;
        std::size_t oldSize;
        std::size_t newSize;
    };
    constexpr rlim_t limit = 64 * 1024;
    const std::vector<Case> cases = {
        {"new contents beyond the limit", false, 100, 2 * limit},
        {"hard-linked, new contents beyond the limit", true, 100, 2 * limit},
        {"hard-linked, no room for the copy of the old contents", true, 2 * limit, 100},
    };
    for (const Case& c : cases) {
        const fs::path folder = TempDir() / "fail";
        fs::remove_all(folder);
        fs::create_directories(folder);
        const fs::path path = folder / "label.zlb";
        const std::string old(c.oldSize, 'o');
        {
            // Written before the limit applies.
            WriteText(path, old);
        }
        if (c.hardLinked) {
            fs::create_hard_link(path, folder / "second.zlb");
        }
        const std::set<std::string> names = NamesIn(folder);
        bool replaced = true;
        {
            const FileSizeLimit limited(limit);
            replaced = Replace(path, std::string(c.newSize, 'n'));
        }
        EXPECT_FALSE(replaced) << c.name;
        EXPECT_TRUE(ReadText(path) == old) << c.name;
        if (c.hardLinked) {
            EXPECT_TRUE(ReadText(folder / "second.zlb") == old) << c.name;
        }
        EXPECT_EQ(NamesIn(folder), names) << c.name;
    }
}

// Replaced by a new file or rewritten in place, a file keeps its ACL (a
// named user keeps its access and the owning group gets no more than it
// had) and its extended attributes.
TEST_F(AtomicFileTest, AReplacedFileKeepsItsAclAndExtendedAttributes)
{
    const fs::path folder = Folder("d");
    for (const bool hardLinked : {false, true}) {
        const fs::path path = folder / (hardLinked ? "linked.zlb" : "single.zlb");
        WriteText(path, "old contents");
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        if (hardLinked) {
            fs::create_hard_link(path, folder / "other.zlb");
        }
        SetAcl("-m u:nobody:rw-,g::r--", path);
        SetAttribute(path, "user.comment", "label for line 3");
        SetAttribute(path, "user.binary", std::string("\0\1\2\xff", 4));
        if (geteuid() == 0) {
            SetAttribute(path, "trusted.zktest", "kept");
        }
        const std::string acl = AclOf(path);
        const auto attributes = AttributesOf(path);
        const mode_t mode = StatOf(path).st_mode & 07777;
        ASSERT_NE(acl.find("user:nobody:rw-"), std::string::npos) << acl;
        ASSERT_EQ(attributes.count("system.posix_acl_access"), 1u);

        ASSERT_TRUE(Replace(path, "new contents")) << hardLinked;
        EXPECT_EQ(ReadText(path), "new contents");
        EXPECT_EQ(AclOf(path), acl) << hardLinked;
        EXPECT_EQ(AttributesOf(path), attributes) << hardLinked;
        EXPECT_EQ(StatOf(path).st_mode & 07777, mode) << hardLinked;
    }
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"single.zlb", "linked.zlb", "other.zlb"}));
}

// A new file gets what the folder's default ACL gives a file made there,
// and a file that had no ACL still has none after it is replaced there.
TEST_F(AtomicFileTest, AFileInAFolderWithADefaultAclGetsWhatAFileMadeThereGets)
{
    const fs::path folder = Folder("d");
    SetAcl("-d -m u:nobody:rw-,g::r--,o::---", folder);
    WriteText(folder / "plain.zlb", "made by a plain open");
    WriteText(folder / "stripped.zlb", "old");
    SetAcl("-b", folder / "stripped.zlb");
    ASSERT_EQ(chmod((folder / "stripped.zlb").c_str(), 0604), 0);
    ASSERT_NE(AclOf(folder / "plain.zlb").find("user:nobody:rw-"), std::string::npos);

    ASSERT_TRUE(Replace(folder / "new.zlb", "new"));
    ASSERT_TRUE(Replace(folder / "stripped.zlb", "new"));
    EXPECT_EQ(AclOf(folder / "new.zlb"), AclOf(folder / "plain.zlb"));
    EXPECT_EQ(StatOf(folder / "new.zlb").st_mode & 07777, StatOf(folder / "plain.zlb").st_mode & 07777);
    EXPECT_EQ(AttributesOf(folder / "stripped.zlb").count("system.posix_acl_access"), 0u);
    EXPECT_EQ(StatOf(folder / "stripped.zlb").st_mode & 07777, 0604u);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"plain.zlb", "stripped.zlb", "new.zlb"}));
}

// An attribute the user can't give a new file (a security attribute only
// the administrator may set) keeps the file where it is: it is rewritten
// in place and keeps the attribute.
TEST_F(AtomicFileTest, AnAttributeTheUserCantSetKeepsTheFileInPlace)
{
    const fs::path mount = Folder("mount");
    const std::optional<std::string> report = test::OnSecondFileSystem(mount, [&] {
        const fs::path path = mount / "label.zlb";
        WriteText(path, "old");
        if (setxattr(path.c_str(), "security.zktest", "set", 3, 0) != 0) {
            return std::string("unavailable");
        }
        const uid_t uid = test::UnprivilegedUid();
        if (chown(path.c_str(), uid, test::UnprivilegedGid()) != 0 ||
            chown(mount.c_str(), uid, test::UnprivilegedGid()) != 0 || !test::BecomeUnprivilegedIn(mount)) {
            return std::string("set-up failed");
        }
        struct stat before {};
        stat("label.zlb", &before);
        const bool replaced = Replace("label.zlb", "new");
        struct stat after {};
        stat("label.zlb", &after);
        char value[16] = {};
        getxattr("label.zlb", "security.zktest", value, sizeof value - 1);
        return "replaced=" + std::to_string(replaced) + " contents=" + ReadText("label.zlb") +
               " same file=" + std::to_string(after.st_ino == before.st_ino) + " attribute=" + value +
               " files=" + std::to_string(NamesIn(".").size());
    });
    if (!report || *report == "unavailable") {
        GTEST_SKIP() << "no private mount namespace, or no security attributes, on this system";
    }
    EXPECT_EQ(*report, "replaced=1 contents=new same file=1 attribute=set files=1");
}

// A file system that keeps no extended attributes at all still has its
// files replaced.
TEST_F(AtomicFileTest, AFileSystemWithoutExtendedAttributesStillHasItsFilesReplaced)
{
    const fs::path mount = Folder("mount");
    const std::optional<std::string> report = test::OnSecondFileSystem(
        mount,
        [&] {
            const fs::path path = mount / "label.zlb";
            WriteText(path, "old");
            chmod(path.c_str(), 0640);
            const bool replaced = Replace(path, "new");
            struct stat status {};
            stat(path.c_str(), &status);
            return "replaced=" + std::to_string(replaced) + " contents=" + ReadText(path) + " mode=" +
                   std::to_string(status.st_mode & 07777) + " files=" + std::to_string(NamesIn(mount).size());
        },
        "mode=0755", "ramfs");
    if (!report) {
        GTEST_SKIP() << "no private mount namespace, or no ramfs, on this system";
    }
    EXPECT_EQ(*report, "replaced=1 contents=new mode=416 files=1");
}

// A file the user may write in a folder where no file can be made beside it
// (a folder of someone else's, a file system with no inode left) is
// rewritten in place: it stays the same file, a rewrite that fails puts the
// old contents back, and no copy is left beside it or in the per-user folder.
TEST_F(AtomicFileTest, AWritableFileWhereNoFileCanBeMadeIsRewrittenInPlace)
{
    struct Case {
        const char* name;
        const char* mountOptions;
        bool folderWritable;
        bool hardLinked;
        mode_t mode;          // the file's
        const char* userDir;  // the per-user folder
        std::size_t oldSize;
        std::size_t newSize;
        bool replaced;
    };
    const std::vector<Case> cases = {
        {"shorter contents", "mode=0755", false, false, 0644, "user/", 1000, 10, true},
        {"longer contents", "mode=0755", false, false, 0644, "user/", 10, 100000, true},
        {"hard-linked", "mode=0755", false, true, 0644, "user/", 1000, 10, true},
        {"no per-user folder to be had", "mode=0755", false, false, 0644, "folder/user/", 1000, 10, true},
        {"no inode left", "mode=0755,nr_inodes=4", true, false, 0644, "user/", 1000, 10, true},
        {"no room for the new contents", "mode=0755,size=64k", false, false, 0644, "user/", 8192, 200000, false},
        {"no room for a copy either", "mode=0755,size=64k", false, false, 0644, "user/", 40000, 100000, false},
        {"write-only file", "mode=0755", false, false, 0200, "user/", 1000, 10, true},
        {"write-only hard-linked file", "mode=0755", true, true, 0200, "user/", 1000, 10, true},
        {"write-only file, no room for the new contents", "mode=0755,size=64k", false, false, 0200, "user/", 8192,
         200000, false},
    };
    const fs::path mount = Folder("mount");
    for (const Case& c : cases) {
        const std::string old(c.oldSize, 'o');
        const std::string replacement(c.newSize, 'n');
        const std::optional<std::string> report = test::OnSecondFileSystem(mount, [&] {
            const fs::path folder = mount / "folder";
            const fs::path user = mount / "user";
            fs::create_directory(folder);
            fs::create_directory(user);
            WriteText(folder / "label.zlb", old);
            if (c.hardLinked) {
                fs::create_hard_link(folder / "label.zlb", folder / "second.zlb");
            }
            const uid_t uid = test::UnprivilegedUid();
            const gid_t gid = test::UnprivilegedGid();
            if (chown((folder / "label.zlb").c_str(), uid, gid) != 0 || chown(user.c_str(), uid, gid) != 0 ||
                chmod(user.c_str(), 0700) != 0 || chmod((folder / "label.zlb").c_str(), c.mode) != 0 ||
                (c.folderWritable && chown(folder.c_str(), uid, gid) != 0) ||
                chmod(folder.c_str(), c.folderWritable ? 0755 : 0555) != 0) {
                return std::string("set-up failed");
            }
            if (!test::BecomeUnprivilegedIn(mount)) {
                return std::string("no unprivileged user");
            }
            ProgramPaths.UserDir = c.userDir;
            struct stat before {};
            stat("folder/label.zlb", &before);
            const bool replaced = Replace("folder/label.zlb", replacement);
            struct stat after {};
            stat("folder/label.zlb", &after);
            chmod("folder/label.zlb", 0644);
            const auto contents = [&](const char* path) {
                const std::string text = ReadText(path);
                return text == replacement ? "new" : text == old ? "old" : "mixed";
            };
            std::ostringstream out;
            out << "replaced=" << replaced << " contents=" << contents("folder/label.zlb");
            if (c.hardLinked) {
                out << " second=" << contents("folder/second.zlb");
            }
            out << " same file=" << (after.st_ino == before.st_ino) << " mode=" << std::oct
                << (after.st_mode & 07777) << " owner=" << (after.st_uid == uid && after.st_gid == gid)
                << " folder=" << NamesIn("folder").size() << " user=" << NamesIn("user").size();
            return out.str();
        }, c.mountOptions);
        if (!report) {
            GTEST_SKIP() << "no private mount namespace on this system";
        }
        const char* contents = c.replaced ? "new" : "old";
        std::ostringstream expected;
        expected << "replaced=" << c.replaced << " contents=" << contents
                 << (c.hardLinked ? std::string(" second=") + contents : "") << " same file=1 mode=" << std::oct
                 << c.mode << " owner=1 folder=" << (c.hardLinked ? "2" : "1") << " user=0";
        EXPECT_EQ(*report, expected.str()) << c.name;
    }
}

TEST_F(AtomicFileTest, WhatIsNoRegularFileIsNotReplaced)
{
    const fs::path folder = Folder("d");
    fs::create_directory(folder / "folder.zlb");
    fs::create_symlink("loop-b", folder / "loop-a");
    fs::create_symlink("loop-a", folder / "loop-b");
    for (const char* name : {"folder.zlb", "loop-a"}) {
        AtomicFile file((folder / name).string());
        EXPECT_FALSE(file.IsOpen()) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder / "folder.zlb"));
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"folder.zlb", "loop-a", "loop-b"}));

    // A named pipe is refused at once, without waiting for a reader.
    const auto opened = test::ReadUnwrittenPipe((TempDir() / "pipe").string(), [](const std::string& path) {
        return AtomicFile(path).IsOpen();
    });
    EXPECT_TRUE(opened.Returned);
    EXPECT_FALSE(opened.Result);
}

}  // namespace
}  // namespace zk
