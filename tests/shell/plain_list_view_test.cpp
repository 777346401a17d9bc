#include "shell/plain_list_view.h"

#include <QDateTime>
#include <QLocale>

#include <chrono>
#include <filesystem>

#include "tests/shell/default_locale.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

namespace fs = std::filesystem;
using platform::TShellBrowser;

class PlainListViewTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        TempFolders::SetUp();
        MakeDir("home/labels/sub");
        MakeDir("home/other");
        MakeFile("home/labels/a.zlb", std::string(10 * 1024, 'a'));
        MakeFile("home/labels/b.zlb", std::string(2 * 1024, 'b'));
        MakeFile("home/labels/c.txt", "c");
        // Changed in another order than named: c, then a, then b.
        const auto now = fs::file_time_type::clock::now();
        fs::last_write_time(Path("home/labels/c.txt"), now - std::chrono::hours(72));
        fs::last_write_time(Path("home/labels/a.zlb"), now - std::chrono::hours(48));
        fs::last_write_time(Path("home/labels/b.zlb"), now - std::chrono::hours(24));
        browser.SetDirectory(Path("home/labels"));
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            names << view.topLevelItem(i)->text(0);
        }
        return names;
    }

    TShellBrowser browser;
    QTreeWidget view;
};

TEST_F(PlainListViewTest, FillsTheFolderWithItsColumnsFoldersFirstThenByName)
{
    ASSERT_TRUE(FillListView(browser, view, true));
    ASSERT_EQ(view.columnCount(), 4);
    const int widths[] = {150, 60, 120, 100};
    const char* titles[] = {"Name", "Size", "Type", "Changed"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view.headerItem()->text(i), titles[i]);
        EXPECT_EQ(view.columnWidth(i), widths[i]) << i;
    }
    EXPECT_TRUE(view.headerItem()->textAlignment(1) & Qt::AlignRight);
    EXPECT_EQ(Names(), (QStringList{"sub", "a.zlb", "b.zlb", "c.txt"}));
    const QTreeWidgetItem* b = view.topLevelItem(2);
    EXPECT_EQ(b->text(1), "2 KB");
    EXPECT_EQ(b->text(2), "ZLB File");
    EXPECT_FALSE(b->text(3).isEmpty());
    EXPECT_EQ(view.topLevelItem(0)->text(1), "");  // a folder has no size
    EXPECT_EQ(view.topLevelItem(0)->data(0, ImageIndexRole).toInt(), GetFolderIcon());

    ASSERT_TRUE(FillListView(browser, view, false));
    EXPECT_EQ(view.columnCount(), 1);
}

TEST_F(PlainListViewTest, EachRefillSortedByNameReversesTheOrder)
{
    FillListView(browser, view, true);
    EXPECT_EQ(Names(), (QStringList{"sub", "a.zlb", "b.zlb", "c.txt"}));
    FillListView(browser, view, true);
    EXPECT_EQ(Names(), (QStringList{"c.txt", "b.zlb", "a.zlb", "sub"}));
    FillListView(browser, view, true);
    EXPECT_EQ(Names(), (QStringList{"sub", "a.zlb", "b.zlb", "c.txt"}));
}

TEST_F(PlainListViewTest, AColumnClickSortsByItAndTheSameClickReverses)
{
    FillListView(browser, view, true);
    view.topLevelItem(2)->setSelected(true);  // b.zlb
    HandleColumnClick(browser, &view, 1);
    EXPECT_EQ(Names(), (QStringList{"sub", "c.txt", "b.zlb", "a.zlb"}));  // 1 KB, 2 KB, 10 KB
    HandleColumnClick(browser, &view, 1);
    EXPECT_EQ(Names(), (QStringList{"a.zlb", "b.zlb", "c.txt", "sub"}));
    HandleColumnClick(browser, &view, 3);
    EXPECT_EQ(Names(), (QStringList{"c.txt", "a.zlb", "b.zlb", "sub"}));  // sub changed last
    ASSERT_EQ(view.selectedItems().size(), 1);
    EXPECT_EQ(view.selectedItems().front()->text(0), "b.zlb");
    // Only a list view sorts.
    QObject other;
    HandleColumnClick(browser, &other, 1);
    EXPECT_EQ(browser.ListView.sortColumn, 3);
}

TEST_F(PlainListViewTest, ColumnWidthsOfThePreviousFolderAreKept)
{
    FillListView(browser, view, true);
    view.setColumnWidth(1, 99);
    browser.SetDirectory(Path("home/other"));
    FillListView(browser, view, true);
    EXPECT_EQ(view.columnWidth(1), 99);
    EXPECT_EQ(view.columnWidth(2), 120);
}

// The plain view writes and sorts as the shell list does: sizes and dates
// in the user's locale, names as the desktop's file manager orders them,
// sizes by their value whatever the locale groups their digits with.
TEST_F(PlainListViewTest, NamesSizesAndDatesAsTheDesktopShowsThem)
{
    const test::DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    MakeDir("home/desk");
    MakeFile("home/desk/Label10", std::string(2'000'000, 'x'));
    MakeFile("home/desk/Label2", std::string(999 * 1024, 'x'));
    MakeFile("home/desk/apple", "x");
    MakeFile("home/desk/\xC3\x84pfel", std::string(3000, 'x'));
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(Path("home/desk/Label10"), when);
    browser.SetDirectory(Path("home/desk"));
    ASSERT_TRUE(FillListView(browser, view, true));
    EXPECT_EQ(Names(), (QStringList{"\u00C4pfel", "apple", "Label2", "Label10"}));
    const QTreeWidgetItem* large = view.topLevelItem(3);
    EXPECT_EQ(large->text(1), "1.953 KB");
    const QDateTime changed = QDateTime::fromSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::file_clock::to_sys(when).time_since_epoch())
            .count());
    EXPECT_EQ(large->text(3), QLocale().toString(changed.date(), QLocale::ShortFormat) + " " +
                                  QLocale().toString(changed.time(), QLocale::ShortFormat));
    HandleColumnClick(browser, &view, 1);
    EXPECT_EQ(Names(), (QStringList{"apple", "\u00C4pfel", "Label2", "Label10"}));  // 1, 2, 999, 1.953 KB
}

class ListViewColumnCompareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_locale = QLocale();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(m_locale); }
    static std::unique_ptr<QTreeWidgetItem> Row(const QString& name, int image, const QStringList& details = {})
    {
        auto row = std::make_unique<QTreeWidgetItem>(QStringList{name} + details);
        row->setData(0, ImageIndexRole, image);
        return row;
    }
    static QString Short(int year, int month, int day, int hour)
    {
        return QLocale().toString(QDateTime(QDate(year, month, day), QTime(hour, 0)), QLocale::ShortFormat);
    }

private:
    QLocale m_locale;
};

TEST_F(ListViewColumnCompareTest, NamesPutPlainFoldersFirst)
{
    const int file = GetFolderIcon() + 1;
    struct Case {
        QString name1;
        int image1;
        QString name2;
        int image2;
        int direction;
        int expected;
    };
    const Case cases[] = {
        {"zeta", GetFolderIcon(), "alpha", file, 1, -1},
        {"alpha", file, "zeta", GetFolderIcon(), 1, 1},
        {"alpha", file, "beta", file, 1, -1},
        {"alpha", file, "beta", file, -1, 1},
        {"same", file, "same", file, 1, 0},
        {"alpha", GetFolderIcon(), "beta", GetFolderIcon(), 1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ListViewColumnCompare(Row(c.name1, c.image1).get(), Row(c.name2, c.image2).get(), -1, c.direction),
                  c.expected)
            << c.name1.toStdString() << " " << c.name2.toStdString();
    }
    EXPECT_EQ(ListViewColumnCompare(nullptr, Row("a", file).get(), -1, 1), 0);
}

TEST_F(ListViewColumnCompareTest, DetailsCompareAsTimesThenSizesThenText)
{
    // In the user's short form a later day can be the smaller text.
    const QString newYear = Short(2024, 1, 2, 10);
    const QString oldYear = Short(2023, 12, 31, 23);
    ASSERT_LT(QString::localeAwareCompare(newYear, oldYear), 0) << newYear.toStdString();
    struct Case {
        int p;
        QString text1;
        QString text2;
        int expected;
    };
    const Case cases[] = {
        {0, "2 KB", "10 KB", -1},
        {0, "1,234 KB", "999 KB", 1},
        {0, "", "1 KB", -1},
        {1, "ZLB File", "TXT File", 1},
        {2, newYear, oldYear, 1},
        {2, "2023-12-31 23:00", "2024-01-02 10:00", -1},
        {0, newYear, oldYear, -1},  // never a date in the first detail column
        {2, newYear, "not a date", -1},
    };
    for (const Case& c : cases) {
        QStringList details1{"", "", ""};
        QStringList details2{"", "", ""};
        details1[c.p] = c.text1;
        details2[c.p] = c.text2;
        EXPECT_EQ(ListViewColumnCompare(Row("x", 0, details1).get(), Row("x", 0, details2).get(), c.p, 1), c.expected)
            << c.p << " " << c.text1.toStdString() << " / " << c.text2.toStdString();
    }
    // A row without that column compares as empty text.
    EXPECT_EQ(ListViewColumnCompare(Row("x", 0).get(), Row("x", 0, {"1 KB"}).get(), 0, -1), 1);
}

}  // namespace
}  // namespace zk
