// Names sorted as a Linux file manager sorts them, in the list and in the
// tree, and sizes and dates written in the user's locale.

#include <QDateTime>
#include <QLocale>

#include <filesystem>

#include "shell/shell_collation.h"
#include "shell/shell_columns.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"
#include "tests/shell/default_locale.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

using test::DefaultLocale;

// Mixed case, digits and a letter beyond ASCII, in the order a file manager shows them.
const std::vector<std::string> SortedNames = {"Äpfel", "apple", "label1", "Label2", "Label10", "zebra"};

TEST(ShellNameOrderTest, Table)
{
    struct Row {
        const char* a;
        const char* b;
        int sign;
    } rows[] = {
        /* 0*/ {"Label2", "Label10", -1},  // digit runs by value
        /* 1*/ {"label10", "Label9", 1},
        /* 2*/ {"a", "B", -1},  // case ignored
        /* 3*/ {"Äpfel", "zebra", -1},  // by letter, not by byte
        /* 4*/ {"apple", "Äpfel", 1},
        /* 5*/ {"a", "A", 1},   // equal to the collator: the bytes decide
        /* 6*/ {"x", "x", 0},
        /* 7*/ {"\xE4", "\xE4", 0},  // bytes that are no UTF-8
        /* 8*/ {"\xE4", "\xE5", -1},
    };
    for (const Row& row : rows) {
        const int order = CompareShellNames(row.a, row.b);
        EXPECT_EQ((order > 0) - (order < 0), row.sign) << row.a << " " << row.b;
    }
}

TEST(ShellNameOrderTest, FollowsTheLocale)
{
    // Swedish puts Ä after Z; German beside A.
    {
        const DefaultLocale swedish(QLocale(QLocale::Swedish, QLocale::Sweden));
        EXPECT_GT(CompareShellNames("Äpple", "zebra"), 0);
    }
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_LT(CompareShellNames("Äpfel", "zebra"), 0);
}

TEST(ShellColumnsTest, SizesAndDatesInTheLocale)
{
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    struct Row {
        std::int64_t bytes;
        const char* text;
    } rows[] = {
        {-1, ""}, {0, "0 KB"}, {1, "1 KB"}, {1024, "1 KB"}, {2047, "1 KB"}, {2'000'000, "1.953 KB"},
        {5'000'000'000, "4.882.812 KB"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ShellSizeText(row.bytes).toStdString(), row.text) << row.bytes;
    }
    const QDateTime when(QDate(2024, 3, 7), QTime(14, 5));
    const auto time = static_cast<std::time_t>(when.toSecsSinceEpoch());
    EXPECT_EQ(ShellTimeText(time).toStdString(), "07.03.24 14:05");
    EXPECT_EQ(ShellTimeText(0), "");
}

class ShellSortTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/files");
        for (const std::string& name : SortedNames) {
            MakeDir("home/folders/" + name);
            MakeFile("home/files/" + name);
        }
    }
};

TEST_F(ShellSortTest, ListAndTreeSortNamesAlike)
{
    TQorShellList list;
    list.SetPath(Path("home/files"));
    std::vector<std::string> shown;
    for (int i = 0; i < list.ItemCount(); ++i) {
        shown.push_back(list.ItemText(i).toStdString());
    }
    EXPECT_EQ(shown, SortedNames);

    TQorShellTree tree;
    tree.SetSelectedFolder(Path("home/folders/zebra"));
    QTreeWidgetItem* folders = tree.currentItem()->parent();
    std::vector<std::string> nodes;
    for (int i = 0; i < folders->childCount(); ++i) {
        nodes.push_back(folders->child(i)->text(0).toStdString());
    }
    EXPECT_EQ(nodes, SortedNames);
}

TEST_F(ShellSortTest, ListColumnsInTheLocale)
{
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    fs::resize_file(Path("home/files/zebra"), 2'000'000);
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(Path("home/files/zebra"), when);
    TQorShellList list;
    list.SetPath(Path("home/files"));
    const int row = list.IndexOfPIDL(Path("home/files/zebra"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(list.ItemText(row, 1).toStdString(), "1.953 KB");
    const QDateTime changed =
        QDateTime::fromSecsSinceEpoch(std::chrono::duration_cast<std::chrono::seconds>(
                                          std::chrono::file_clock::to_sys(when).time_since_epoch())
                                          .count());
    EXPECT_EQ(list.ItemText(row, 3), QLocale().toString(changed.date(), QLocale::ShortFormat) + " " +
                                         QLocale().toString(changed.time(), QLocale::ShortFormat));
}

}  // namespace
}  // namespace zk
