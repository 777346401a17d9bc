#include "platform/shell_browser.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/private_mounts.h"

namespace zk::platform {
namespace {

namespace fs = std::filesystem;

TEST(MaskMatchesTest, Table)
{
    struct Row {
        const char* name;
        const char* mask;
        bool matches;
    } rows[] = {
        /* 0*/ {"label.zlb", "*.ZLB", true},
        /* 1*/ {"abc", "a?c", true},
        /* 2*/ {"ac", "a?c", false},
        /* 3*/ {"abc", "abc*", true},
        /* 4*/ {"abc", "abc**", false},  // a star at the name's end matches only as the whole rest
        /* 5*/ {"", "*", true},
        /* 6*/ {"label.zlb.bak", "*.zlb", false},
        /* 7*/ {"a", "", false},
        /* 8*/ {"", "", true},
        /* 9*/ {"x.zlb", "*.zlb", true},
        /*10*/ {"abcabc", "*bc", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MaskMatches(row.name, row.mask), row.matches) << row.name << " / " << row.mask;
    }
}

TEST(GetRelativePathTest, Table)
{
    struct Row {
        const char* base;
        const char* path;
        const char* relative;
    } rows[] = {
        {"/dir", "/dir/sub", "sub"},   {"/dir/", "/dir/sub", "sub"}, {"/dir", "/other", ""},
        {"/DIR", "/dir/x", "x"},       {"/dir", "/dirt/x", ""},      {"", "/dir", ""},
        {"/", "/usr/lib", "usr/lib"},  {"/dir", "/d", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetRelativePath(row.base, row.path), row.relative) << row.base << " / " << row.path;
    }
}

class ShellBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zkshell.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = fs::path(pattern);
        const char* home = std::getenv("HOME");
        m_oldHome = home != nullptr ? home : "";
        fs::create_directory(m_dir / "home");
        setenv("HOME", (m_dir / "home").c_str(), 1);
        fs::create_directory(m_dir / "labels");
        fs::create_directory(m_dir / "labels" / "sub");
        fs::create_directory(m_dir / "labels" / ".hidden");
        Write(m_dir / "labels" / "b.zlb", 1);
        Write(m_dir / "labels" / "A.ZLB", 3000);
        Write(m_dir / "labels" / "notes.txt", 0);
    }
    void TearDown() override
    {
        setenv("HOME", m_oldHome.c_str(), 1);
        fs::remove_all(m_dir);
    }
    static void Write(const fs::path& path, std::size_t bytes) { std::ofstream(path) << std::string(bytes, 'x'); }
    std::string Labels() const { return (m_dir / "labels").string(); }

    std::vector<std::string> Names(TShellBrowser& browser)
    {
        std::vector<std::string> names;
        while (browser.Next()) {
            names.push_back(browser.GetShellObjectName());
        }
        return names;
    }

    fs::path m_dir;
    std::string m_oldHome;
};

TEST_F(ShellBrowserTest, StartsOnTheDesktopWithHomeAndRoot)
{
    TShellBrowser browser;
    EXPECT_EQ(browser.Folder(), "");
    EXPECT_EQ(browser.IsSpecialFolder(), TQorShellFolder::SF_DESKTOP);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"Home", "File System"}));
    browser.SetObjectName("File System");
    EXPECT_EQ(browser.ObjectName(), "/");
    EXPECT_EQ(browser.IsSpecialObject(), TQorShellFolder::SF_DRIVES);
    EXPECT_TRUE(browser.BrowseObject());
    EXPECT_EQ(browser.Folder(), "/");
}

TEST_F(ShellBrowserTest, FolderEndsInASlashAndUnknownFoldersRaise)
{
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    EXPECT_EQ(browser.Folder(), Labels() + "/");
    browser.SetDirectory(Labels() + "/sub/");
    EXPECT_EQ(browser.Folder(), Labels() + "/sub/");
    EXPECT_THROW(browser.SetDirectory(Labels() + "/none"), EShellBrowserError);
    EXPECT_EQ(browser.Folder(), Labels() + "/sub/");  // kept
    // A file is no folder either.
    EXPECT_THROW(browser.SetDirectory(Labels() + "/b.zlb"), EShellBrowserError);
}

TEST_F(ShellBrowserTest, FilterKeepsFoldersAndMatchingFiles)
{
    struct Row {
        const char* filter;
        const char* readBack;
        std::vector<std::string> names;
    } rows[] = {
        {"*.zlb", "*.zlb", {".hidden", "A.ZLB", "b.zlb", "sub"}},
        {"", "*", {".hidden", "A.ZLB", "b.zlb", "notes.txt", "sub"}},
        {"*.txt;*.zlb;", "*.txt;*.zlb", {".hidden", "A.ZLB", "b.zlb", "notes.txt", "sub"}},
        {"none", "none", {".hidden", "sub"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.filter);
        TShellBrowser browser;
        browser.SetDirectory(Labels());
        browser.SetFilter(row.filter);
        EXPECT_EQ(browser.Filter(), row.readBack);
        EXPECT_EQ(Names(browser), row.names);
    }
}

TEST_F(ShellBrowserTest, ObjectNameOpensTheFolderOfAWholePath)
{
    TShellBrowser browser;
    browser.SetObjectName(Labels() + "/b.zlb");
    EXPECT_EQ(browser.Folder(), Labels() + "/");
    EXPECT_EQ(browser.ObjectName(), "b.zlb");
    EXPECT_FALSE(browser.IsFolder());
    EXPECT_EQ(browser.GetFileSize(), 1);
    browser.SetObjectName("sub");
    EXPECT_TRUE(browser.IsFolder());
    EXPECT_EQ(browser.GetFileSize(), -1);
    EXPECT_THROW(browser.SetObjectName("missing.zlb"), EShellBrowserError);
}

TEST_F(ShellBrowserTest, AttributesOfObjects)
{
    fs::create_directory_symlink(m_dir / "labels" / "sub", m_dir / "labels" / "to-sub");
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    browser.SetObjectName(".hidden");
    EXPECT_TRUE(browser.IsHidden());
    EXPECT_FALSE(browser.HasSubFolders());
    browser.SetObjectName("to-sub");
    EXPECT_TRUE(browser.IsLink());
    EXPECT_TRUE(browser.IsFolder());
    EXPECT_EQ(browser.IsLinkToFolder(), fs::canonical(m_dir / "labels" / "sub").string());
    browser.SetDirectory(m_dir.string());
    browser.SetObjectName("labels");
    EXPECT_TRUE(browser.HasSubFolders());
    EXPECT_TRUE(browser.CanRename());
}

TEST_F(ShellBrowserTest, SelectParentMakesTheFolderTheObject)
{
    TShellBrowser browser;
    browser.SetDirectory(Labels() + "/sub");
    EXPECT_TRUE(browser.SelectParent());
    EXPECT_EQ(browser.Folder(), Labels() + "/");
    EXPECT_EQ(browser.ObjectName(), "sub");
    browser.SetDirectory("/");
    browser.SelectParent();
    EXPECT_EQ(browser.Folder(), "");
    EXPECT_EQ(browser.GetShellObjectName(), "File System");
    // The home folder's parent is the desktop too, not its directory.
    browser.SetDirectory((m_dir / "home").string());
    browser.SelectParent();
    EXPECT_EQ(browser.IsSpecialFolder(), TQorShellFolder::SF_DESKTOP);
    EXPECT_EQ(browser.IsSpecialObject(), TQorShellFolder::SF_PERSONAL);
}

TEST_F(ShellBrowserTest, ColumnTexts)
{
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    EXPECT_EQ(browser.GetColumnText(0, true), "Name");
    EXPECT_EQ(browser.GetColumnText(3, true), "Changed");
    EXPECT_EQ(browser.GetColumnText(4, true), "");
    struct Row {
        const char* object;
        const char* size;
        const char* type;
    } rows[] = {
        {"b.zlb", "1 KB", "ZLB File"},  // one byte still shows as 1 KB
        {"A.ZLB", "2 KB", "ZLB File"},
        {"notes.txt", "0 KB", "TXT File"},
        {"sub", "", "Folder"},
    };
    for (const Row& row : rows) {
        browser.SetObjectName(row.object);
        EXPECT_EQ(browser.GetColumnText(0, false), row.object);
        EXPECT_EQ(browser.GetColumnText(1, false), row.size) << row.object;
        EXPECT_EQ(browser.GetColumnText(2, false), row.type) << row.object;
        EXPECT_FALSE(browser.GetColumnText(3, false).empty());
    }
}

TEST_F(ShellBrowserTest, CompareSortsFoldersFirstThenByColumn)
{
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    const std::string a = Labels() + "/A.ZLB";
    const std::string b = Labels() + "/b.zlb";
    const std::string notes = Labels() + "/notes.txt";
    const std::string sub = Labels() + "/sub";
    EXPECT_LT(browser.CompareIDs(0, a, b), 0);  // names ignore case
    EXPECT_GT(browser.CompareIDs(0, a, sub), 0);
    EXPECT_LT(browser.CompareIDs(1, b, a), 0);  // 1 byte before 3000
    EXPECT_LT(browser.CompareIDs(1, notes, b), 0);
    EXPECT_LT(browser.CompareIDs(2, notes, a), 0);  // "TXT File" before "ZLB File"
    EXPECT_EQ(browser.CompareIDs(0, a, a), 0);
}

TEST_F(ShellBrowserTest, RenameNeverReplacesAnotherObject)
{
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    browser.SetObjectName("b.zlb");
    std::string name = "A.ZLB";
    EXPECT_FALSE(browser.RenameObject(name));
    EXPECT_EQ(name, "b.zlb");
    EXPECT_EQ(fs::file_size(m_dir / "labels" / "A.ZLB"), 3000u);
    name = "c.zlb";
    EXPECT_TRUE(browser.RenameObject(name));
    EXPECT_EQ(name, "c.zlb");
    EXPECT_TRUE(fs::exists(m_dir / "labels" / "c.zlb"));
    for (const char* bad : {"", "..", "x/y"}) {
        name = bad;
        EXPECT_FALSE(browser.RenameObject(name)) << bad;
        EXPECT_EQ(name, "c.zlb");
    }
}

TEST_F(ShellBrowserTest, ARefusedRenameSaysWhy)
{
    struct Case {
        std::string name;
        std::string reason;
    };
    const Case cases[] = {
        {"A.ZLB", "a file or folder of that name is already there"},
        {"x/y", "a name can't contain \"/\""},
        {"", "a name can't be empty"},
        {"..", "\"..\" is no name for a file or folder"},
    };
    TShellBrowser browser;
    browser.SetDirectory(Labels());
    browser.SetObjectName("b.zlb");
    for (const Case& c : cases) {
        std::string name = c.name;
        std::string reason;
        EXPECT_FALSE(browser.RenameObject(name, &reason)) << c.name;
        EXPECT_EQ(reason, c.reason);
    }
    std::string name = "c.zlb";
    std::string reason = "stale";
    EXPECT_TRUE(browser.RenameObject(name, &reason));
    EXPECT_EQ(reason, "");
}

// Whether an object may be renamed is known before a name is typed, and
// why not: it went, it is one of the desktop's, or its folder can't change
// (a read-only mount even for root).
TEST_F(ShellBrowserTest, WhyAnObjectCantBeRenamed)
{
    TShellBrowser browser;
    std::string reason;
    browser.SetAbsoluteItemIdList(HomeFolder());
    EXPECT_FALSE(browser.CanRename(&reason));
    EXPECT_EQ(reason, "the desktop's folders keep their names");
    browser.SetDirectory(Labels());
    browser.SetObjectName("b.zlb");
    std::filesystem::remove(Labels() + "/b.zlb");
    EXPECT_FALSE(browser.CanRename(&reason));
    EXPECT_EQ(reason, "it is no longer there");
    browser.SetObjectName("A.ZLB");
    EXPECT_TRUE(browser.CanRename(&reason));
    EXPECT_EQ(reason, "");

    const test::ReadOnlyFolder readOnly(Labels());
    if (!readOnly.Made()) {
        GTEST_SKIP() << readOnly.Why();
    }
    EXPECT_FALSE(browser.CanRename(&reason));
    const bool mounted = geteuid() == 0;
    EXPECT_EQ(reason, mounted ? "the folder \"" + Labels() + "\" is on a read-only file system"
                              : "you may not change the folder \"" + Labels() + "\"");
}

}  // namespace
}  // namespace zk::platform
