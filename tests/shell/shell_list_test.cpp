#include "shell/shell_list.h"

#include <QApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QPointer>
#include <QStyledItemDelegate>

#include <filesystem>
#include <set>

#include "shell/shell_items.h"
#include "shell/shell_tree.h"
#include "tests/shell/list_editing.h"
#include "tests/shell/temp_folders.h"
#include "tests/support/folder_churn.h"
#include "tests/support/private_mounts.h"

namespace zk {
namespace {

class ShellListTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/labels/sub");
        MakeFile("home/labels/b.zlb", std::string(5000, 'x'));
        MakeFile("home/labels/a.zlb", "x");
        MakeFile("home/labels/C.ZLB", std::string(2000, 'x'));
        MakeFile("home/labels/notes.txt");
        MakeFile("home/labels/.hidden.zlb");
    }
    static std::vector<std::string> Names(const TQorShellList& list)
    {
        std::vector<std::string> names;
        for (int i = 0; i < list.ItemCount(); ++i) {
            names.push_back(list.ItemText(i).toStdString());
        }
        return names;
    }
};

TEST_F(ShellListTest, ShowsTheFolderFilteredWithColumns)
{
    TQorShellList list;
    list.SetFilter("*.zlb");
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    EXPECT_EQ(list.Path(), Path("home/labels") + "/");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"sub", "a.zlb", "b.zlb", "C.ZLB"}));
    const QAbstractItemModel* model = list.ReportView()->model();
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal), "Name");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal), "Changed");
    EXPECT_EQ(list.ItemText(2, 1), "4 KB");
    EXPECT_EQ(list.GetFullPath(1), Path("home/labels/a.zlb"));

    list.SetShowFolders(false);
    list.SetDetails(false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "b.zlb", "C.ZLB"}));
    EXPECT_EQ(list.ReportView()->model()->columnCount(), 1);
}

TEST_F(ShellListTest, SameColumnTwiceReversesThriceRestores)
{
    TQorShellList list;
    list.SetFilter("*.zlb");
    list.SetShowHidden(false);
    list.SetShowFolders(false);
    list.SetPath(Path("home/labels"));
    list.SetSortColumn(1);  // by size
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "C.ZLB", "b.zlb"}));
    list.SetSortColumn(1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b.zlb", "C.ZLB", "a.zlb"}));
    list.SetSortColumn(1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "C.ZLB", "b.zlb"}));
    list.ReportView()->header()->sectionClicked(0);
    EXPECT_FALSE(list.ReverseSortOrder());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.zlb", "b.zlb", "C.ZLB"}));
}

TEST_F(ShellListTest, ParentItemLeadsInBothDirectionsAndGoesUp)
{
    TQorShellList list;
    list.SetShowParentFolder(true);
    list.SetPath(Path("home/labels/sub"));
    list.SetPath(Path("home/labels"));
    ASSERT_TRUE(list.IsParentItem(0));
    list.SetSortColumn(0);
    EXPECT_TRUE(list.ReverseSortOrder());
    EXPECT_TRUE(list.IsParentItem(0));
    list.SelectItem(0);
    EXPECT_TRUE(list.InvokeCommandOnSelected("default"));
    EXPECT_EQ(list.Path(), Path("home") + "/");
}

TEST_F(ShellListTest, SelectedFilesAreTheObjectsNames)
{
    TQorShellList list;
    list.SetShowParentFolder(true);
    list.SetPath(Path("home/labels"));
    list.SelectItem(0);  // the parent-folder item names no object
    list.SetItemSelected(list.IndexOfPIDL(Path("home/labels/sub")), true);
    list.SetItemSelected(list.IndexOfPIDL(Path("home/labels/C.ZLB")), true);
    EXPECT_EQ(list.GetSelectedFiles(), (std::vector<std::string>{"sub", "C.ZLB"}));
    // The desktop's objects are named by their paths.
    list.SetSpecialFolder(platform::TQorShellFolder::SF_DESKTOP);
    list.SelectItem(list.IndexOfPIDL("/"));
    EXPECT_EQ(list.GetSelectedFiles(), std::vector<std::string>{"/"});
}

TEST_F(ShellListTest, FolderChangesAreMergedKeepingTheSelection)
{
    TQorShellList list;
    list.show();  // a hidden list watches nothing
    list.SetFilter("*.zlb");
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/b.zlb")));
    MakeFile("home/labels/new.zlb");
    std::filesystem::remove(Path("home/labels/a.zlb"));
    MakeFile("home/labels/ignored.txt");
    EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/new.zlb")) >= 0; }));
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/ignored.txt")), 0);
    const std::vector<int> selected = list.SelectedItems();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(list.GetFullPath(selected.front()), Path("home/labels/b.zlb"));
}

TEST_F(ShellListTest, NewRowsComeInAtTheirSortedPlaces)
{
    TQorShellList list;
    list.SetFilter("*.zlb");
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/b.zlb")));
    // A burst of files, fewer and more than are placed one by one.
    for (int i = 0; i < 40; ++i) {
        MakeFile("home/labels/" + std::string(i < 3 ? "aa" : "bb") + std::to_string(i) + ".zlb");
        if (i == 2) {
            list.SmartRefresh();
            EXPECT_EQ(Names(list), (std::vector<std::string>{"sub", "a.zlb", "aa0.zlb", "aa1.zlb", "aa2.zlb",
                                                             "b.zlb", "C.ZLB"}));
        }
    }
    list.SmartRefresh();
    std::vector<std::string> names = Names(list);
    ASSERT_EQ(names.size(), 44u);
    TQorShellList fresh;
    fresh.SetFilter("*.zlb");
    fresh.SetShowHidden(false);
    fresh.SetPath(Path("home/labels"));
    EXPECT_EQ(names, Names(fresh));
    // The selection stayed on its object.
    ASSERT_EQ(list.SelectedItems().size(), 1u);
    EXPECT_EQ(list.GetFullPath(list.SelectedItems().front()), Path("home/labels/b.zlb"));
}

// An object replaced by one of the other kind under the same name (a file
// by a folder, a folder by a file) is a new row: it has the new object's
// kind, and the list's filters judge it again.
TEST_F(ShellListTest, AnObjectReplacedByOneOfTheOtherKindIsJudgedAgain)
{
    const struct {
        bool showFolders;
        const char* filter;
        const char* name;
        bool becomesFolder;
        bool shown;
    } cases[] = {
        {true, "*", "a.zlb", true, true},
        {false, "*.zlb", "a.zlb", true, false},  // the label browser's list
        {true, "*", "sub", false, true},
        {true, "*.zlb", "sub.zlb", false, true},
        {false, "*.zlb", "sub.zlb", false, true},
        {true, "*.zlb", "sub", false, false},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.name) + " in " + c.filter + (c.showFolders ? " with folders" : "");
        const std::string path = Path(std::string("home/labels/") + c.name);
        std::filesystem::remove_all(path);
        if (c.becomesFolder) {
            MakeFile(std::string("home/labels/") + c.name);
        } else {
            MakeDir(std::string("home/labels/") + c.name);
        }
        TQorShellList list;
        list.SetShowFolders(true);
        list.SetFilter("*");
        list.SetShowFolders(c.showFolders);
        list.SetFilter(c.filter);
        list.SetPath(Path("home/labels"));
        const int before = list.IndexOfPIDL(path);
        ASSERT_EQ(before >= 0, c.becomesFolder || c.showFolders) << where;

        std::filesystem::remove_all(path);
        if (c.becomesFolder) {
            MakeDir(std::string("home/labels/") + c.name);
        } else {
            MakeFile(std::string("home/labels/") + c.name);
        }
        list.SmartRefresh();
        const int row = list.IndexOfPIDL(path);
        ASSERT_EQ(row >= 0, c.shown) << where;
        if (c.shown) {
            EXPECT_EQ(list.Item(row).IsFolder, c.becomesFolder) << where;
            EXPECT_EQ(list.Model()->index(row, 0).data(ShellIsFolderRole).toBool(), c.becomesFolder) << where;
            const bool label = std::string(c.name).ends_with(".zlb");
            EXPECT_EQ(list.ItemText(row, 2), c.becomesFolder ? "Folder" : label ? "ZLB File" : "File") << where;
        }
        std::filesystem::remove_all(path);
    }
}

TEST_F(ShellListTest, AnOpenEditorOutlivesRefreshesAndKeepsTheTypedName)
{
    TQorShellList list;
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(Path("home/labels/b.zlb"))));
    test::TypeName(list, "typed.zlb");
    // Rows come in before the edited one and go; the folder is read again.
    MakeFile("home/labels/0.zlb");
    std::filesystem::remove(Path("home/labels/notes.txt"));
    list.SmartRefresh();
    list.Refresh();
    EXPECT_GE(list.IndexOfPIDL(Path("home/labels/0.zlb")), 0);
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/notes.txt")), 0);
    ASSERT_TRUE(list.Editing());
    ASSERT_NE(test::NameEditor(list), nullptr);
    EXPECT_EQ(test::NameEditor(list)->text(), "typed.zlb");
    test::PressEnterInEditor(list);
    EXPECT_TRUE(std::filesystem::exists(Path("home/labels/typed.zlb")));
    EXPECT_FALSE(std::filesystem::exists(Path("home/labels/b.zlb")));
}

TEST_F(ShellListTest, ARefreshAsTheEditorClosesKeepsTheTypedName)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(Path("home/labels/b.zlb"))));
    test::TypeName(list, "typed.zlb");
    QTest::keyClick(test::NameEditor(list), Qt::Key_Return);
    // The editor closes and hands the name over from the event loop; the
    // folder is read again in between (a linked tree's path arrives).
    QCoreApplication::sendPostedEvents();
    list.Refresh();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(std::filesystem::exists(Path("home/labels/typed.zlb")));
    EXPECT_GE(list.IndexOfPIDL(Path("home/labels/typed.zlb")), 0);
}

TEST_F(ShellListTest, NamesThatAreNoUtf8KeepTheirBytes)
{
    const std::string odd = Path("home/labels/ä.zlb");
    MakeFile("home/labels/ä.zlb", "odd");
    TQorShellList list;
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    const auto check = [&](const char* step) {
        const int row = list.IndexOfPIDL(odd);
        ASSERT_GE(row, 0) << step;
        EXPECT_EQ(list.GetFullPath(row), odd) << step;
        EXPECT_TRUE(std::filesystem::exists(odd)) << step;
    };
    check("shown");
    for (int column : {1, 2, 3, 0}) {
        list.SetSortColumn(column);
        check("sorted");
    }
    ASSERT_TRUE(test::RenameInPlace(list, list.IndexOfPIDL(Path("home/labels/a.zlb")), "z.zlb"));
    list.SmartRefresh();
    list.Refresh();
    check("renamed another");

    // An edit that changes nothing renames nothing, though the name shown is not the name.
    ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(odd)));
    test::PressEnterInEditor(list);
    check("edited unchanged");

    list.SelectItem(list.IndexOfPIDL(odd));
    EXPECT_EQ(list.GetSelectedFiles(), std::vector<std::string>{"ä.zlb"});
    std::unique_ptr<QMimeData> dragged(list.Model()->mimeData({list.Model()->index(list.IndexOfPIDL(odd), 0)}));
    EXPECT_EQ(DataObjectToFileList(dragged.get()), std::vector<std::string>{odd});
}

TEST_F(ShellListTest, TheListStyleShowsWholeNames)
{
    MakeFile("home/labels/a label with a much longer name than the others.zlb");
    TQorShellList list;
    list.SetViewStyle(TViewStyle::vsList);
    list.SetPath(Path("home/labels"));
    list.resize(800, 300);
    list.show();
    QApplication::processEvents();
    const int row = list.IndexOfPIDL(Path("home/labels/a label with a much longer name than the others.zlb"));
    ASSERT_GT(row, 0);  // not the first: every item is as wide as the widest
    const QRect shown = list.ListView()->visualRect(list.Model()->index(row, 0));
    EXPECT_GE(shown.width(), list.ListView()->fontMetrics().horizontalAdvance(list.ItemText(row)));
}

// Every item of the list style is as wide as the style needs for the
// widest name, to the pixel (a pixel less cuts the name short), also after
// an empty folder was shown and when names come in with a merge.
TEST_F(ShellListTest, TheListStyleGivesEveryNameTheRoomItNeeds)
{
    MakeDir("home/empty");
    const std::string longName = "a label with a much longer name than the others.zlb";
    for (const bool merged : {false, true}) {
        SCOPED_TRACE(merged);
        std::filesystem::remove(Path("home/labels/" + longName));
        if (!merged) {
            MakeFile("home/labels/" + longName);
        }
        TQorShellList list;
        list.SetViewStyle(TViewStyle::vsList);
        list.SetPath(Path(merged ? "home/labels" : "home/empty"));
        list.resize(800, 300);
        list.show();
        QApplication::processEvents();
        if (merged) {
            MakeFile("home/labels/" + longName);
            list.SmartRefresh();
        } else {
            list.SetPath(Path("home/labels"));
        }
        QApplication::processEvents();
        for (const char* name : {"Etikett1.zlb", "Versand.zlb", "Zebra.zlb", "Lager.zlb"}) {
            MakeFile(std::string("home/labels/") + name);
        }
        list.SmartRefresh();
        QApplication::processEvents();
        // What a plain delegate asks for each name, with the options a list view gives it.
        const QListView& view = *list.ListView();
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.font = view.font();
        const int icon = view.style()->pixelMetric(QStyle::PM_ListViewIconSize, nullptr, &view);
        option.decorationSize = view.iconSize().isValid() ? view.iconSize() : QSize(icon, icon);
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.widget = &view;
        const QStyledItemDelegate plain;
        for (int row = 0; row < list.ItemCount(); ++row) {
            const QModelIndex index = list.Model()->index(row, 0);
            const QRect shown = list.ListView()->visualRect(index);
            EXPECT_GE(shown.width(), plain.sizeHint(option, index).width()) << list.ItemText(row).toStdString();
        }
    }
}

// What the user selects with the mouse in either style is what the
// commands work on: clicks and Ctrl+clicks in the list style select whole
// objects, as they do in the report.
TEST_F(ShellListTest, ItemsClickedInEitherStyleAreTheSelection)
{
    for (const TViewStyle style : {TViewStyle::vsReport, TViewStyle::vsList}) {
        TQorShellList list;
        list.SetViewStyle(style);
        list.SetPath(Path("home/labels"));
        list.resize(800, 300);
        list.show();
        QApplication::processEvents();
        QAbstractItemView* view = style == TViewStyle::vsList ? static_cast<QAbstractItemView*>(list.ListView())
                                                              : static_cast<QAbstractItemView*>(list.ReportView());
        const auto click = [&](const char* name, Qt::KeyboardModifiers keys) {
            const QModelIndex index = list.Model()->index(list.IndexOfPIDL(Path(name)), 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, view->visualRect(index).center());
        };
        click("home/labels/a.zlb", Qt::NoModifier);
        click("home/labels/C.ZLB", Qt::ControlModifier);
        EXPECT_EQ(list.GetSelectedFiles(), (std::vector<std::string>{"a.zlb", "C.ZLB"})) << int(style);

        click("home/labels/b.zlb", Qt::NoModifier);
        QTest::keyClick(view, Qt::Key_F2);
        EXPECT_TRUE(list.Editing()) << int(style);
    }
}

// Selecting all is one change of the whole list, reported for no item on
// its own: a handler that reads each selected object (a preview) is not
// run for every object of a large folder.
TEST_F(ShellListTest, SelectingAllReportsNoItemOnItsOwn)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    std::vector<std::string> reported;
    list.OnSelectItem = [&](const std::string& path, bool selected) {
        if (selected) {
            reported.push_back(path);
        }
    };
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/a.zlb")));
    EXPECT_EQ(reported, std::vector<std::string>{Path("home/labels/a.zlb")});
    QTest::keyClick(list.ReportView(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(static_cast<int>(list.SelectedItems().size()), list.ItemCount());
    list.ClearSelection();
    list.QORSelectAll();
    EXPECT_EQ(static_cast<int>(list.SelectedItems().size()), list.ItemCount());
    EXPECT_EQ(reported.size(), 1u);
}

// Selecting a range is one change, reported for the item the selection
// ends on only: a handler that reads each selected object (a preview) runs
// once, however many objects the range holds.
TEST_F(ShellListTest, ARangeIsReportedForTheItemTheSelectionEndsOn)
{
    for (int i = 0; i < 500; ++i) {
        MakeFile("home/labels/many" + std::to_string(1000 + i) + ".zlb");
    }
    struct FileRecorder : TQorShellLinkClient {
        std::vector<std::string> files;
        void QORPathChanged(const std::string&) override {}
        void QORFileChanged(const std::string&, const std::string& itemId) override { files.push_back(itemId); }
    } linked;
    TQorShellLink link;
    link.RegisterShellControl(&linked);
    TQorShellList list;
    list.SetShellLink(&link);
    list.SetShowFolders(false);
    list.SetFilter("many*.zlb");
    list.SetPath(Path("home/labels"));
    list.resize(400, 300);
    list.show();
    ASSERT_EQ(list.ItemCount(), 500);
    std::vector<std::string> reported;
    list.OnSelectItem = [&](const std::string& path, bool selected) {
        if (selected) {
            reported.push_back(path);
        }
    };
    const auto path = [&](int row) { return list.GetFullPath(row); };
    QAbstractItemView* view = list.ReportView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(reported, std::vector<std::string>{path(0)});
    QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(list.SelectedItems().size(), 500u);
    EXPECT_EQ(reported, (std::vector<std::string>{path(0), path(499)}));
    // Back to one item, and a click on one of a range.
    QTest::keyClick(view, Qt::Key_Home);
    QTest::keyClick(view, Qt::Key_PageDown, Qt::ShiftModifier);
    const int pageEnd = view->currentIndex().row();
    ASSERT_GT(pageEnd, 2);
    EXPECT_EQ(list.SelectedItems().size(), static_cast<std::size_t>(pageEnd + 1));
    const QModelIndex third = list.Model()->index(2, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(third).center());
    EXPECT_EQ(list.SelectedItems(), std::vector<int>{2});
    EXPECT_EQ(reported, (std::vector<std::string>{path(0), path(499), path(0), path(pageEnd), path(2)}));
    EXPECT_EQ(linked.files, reported);
}

// Changes that come faster than the merge delay are still merged: the
// delay runs from the first change it gathers, not from the last.
TEST_F(ShellListTest, ABusyFolderIsStillMerged)
{
    TQorShellList list;
    list.show();
    list.SetPath(Path("home/labels"));
    const test::FolderChurn churn(Path("home/labels"));
    MakeFile("home/labels/new.zlb");
    EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/new.zlb")) >= 0; }));
}

// A list shown on its own keeps to its folder: while the folder is gone it
// is empty, and once the folder is made again it shows and follows it.
TEST_F(ShellListTest, AShownFolderRemovedAndMadeAgainIsFollowedAgain)
{
    for (const bool seenGone : {true, false}) {
        SCOPED_TRACE(seenGone);
        TQorShellList list;
        list.show();
        list.SetPath(Path("home/labels"));
        ASSERT_GT(list.ItemCount(), 0);
        std::filesystem::remove_all(Path("home/labels"));
        if (seenGone) {
            ASSERT_TRUE(WaitFor([&] { return list.ItemCount() == 0; }));
        }
        MakeDir("home/labels");
        MakeFile("home/labels/back.zlb");
        EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/back.zlb")) >= 0; }));
        EXPECT_EQ(list.Path(), Path("home/labels") + "/");
        MakeFile("home/labels/later.zlb");
        EXPECT_TRUE(WaitFor([&] { return list.IndexOfPIDL(Path("home/labels/later.zlb")) >= 0; }));
    }
}

// A list linked to a tree follows the tree when its folder goes: the tree
// selects the nearest folder that is still there, the gone one's parent.
TEST_F(ShellListTest, ALinkedListFollowsTheTreeWhenItsFolderGoes)
{
    MakeDir("home/labels/sub/deeper");
    MakeDir("home/labels/sub2");
    TQorShellLink link;
    TQorShellTree tree;
    TQorShellList list;
    tree.SetShellLink(&link);
    list.SetShellLink(&link);
    tree.show();
    list.show();
    tree.SetSelectedFolder(Path("home/labels/sub"));
    ASSERT_EQ(list.Path(), Path("home/labels/sub") + "/");
    std::filesystem::remove_all(Path("home/labels/sub"));
    EXPECT_TRUE(WaitFor([&] { return tree.SelectedFolder() != Path("home/labels/sub"); }));
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));
    EXPECT_TRUE(WaitFor([&] { return list.Path() == Path("home/labels") + "/"; }));
}

TEST_F(ShellListTest, EnteringAFolderAndRenaming)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/sub")));
    EXPECT_TRUE(list.InvokeCommandOnSelected("open"));
    EXPECT_EQ(list.Path(), Path("home/labels/sub") + "/");

    list.SetPath(Path("home/labels"));
    ASSERT_TRUE(test::RenameInPlace(list, list.IndexOfPIDL(Path("home/labels/a.zlb")), "renamed.zlb"));
    EXPECT_TRUE(std::filesystem::exists(Path("home/labels/renamed.zlb")));
    EXPECT_FALSE(std::filesystem::exists(Path("home/labels/a.zlb")));
    const int renamed = list.IndexOfPIDL(Path("home/labels/renamed.zlb"));
    ASSERT_GE(renamed, 0);
    EXPECT_EQ(list.ItemText(renamed), "renamed.zlb");
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
}

// As on every desktop, the editor opens with a file's name selected but not
// its extension, so typing a new name keeps the file a label; a folder's
// whole name is selected.
TEST_F(ShellListTest, TheEditorSelectsAFilesNameWithoutItsExtension)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    list.show();
    const struct {
        const char* name;
        const char* selected;
    } cases[] = {{"a.zlb", "a"}, {"sub", "sub"}, {".hidden.zlb", ".hidden"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(Path(std::string("home/labels/") + c.name)))) << c.name;
        const QPointer<QLineEdit> editor = test::NameEditor(list);
        ASSERT_NE(editor, nullptr) << c.name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return editor->selectedText() == c.selected; }, 1000))
            << c.name << ": " << editor->selectedText().toStdString();
        QTest::keyClick(editor, Qt::Key_Escape);
        // The closed editor goes later; the next one is another.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list.Editing() && editor.isNull(); }, 5000)) << c.name;
    }

    ASSERT_TRUE(list.EditItem(list.IndexOfPIDL(Path("home/labels/a.zlb"))));
    QLineEdit* editor = test::NameEditor(list);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->selectedText() == "a"; }, 1000));
    QTest::keyClicks(editor, "typed");
    test::PressEnterInEditor(list);
    EXPECT_TRUE(std::filesystem::exists(Path("home/labels/typed.zlb")));
}

// An object removed outside keeps its row until the merge; renaming
// another object to its name in the meantime leaves one row of that name,
// the renamed one, which stays selected through the merge.
TEST_F(ShellListTest, RenamingToTheNameOfARowThatWentLeavesOneRow)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    std::filesystem::remove(Path("home/labels/b.zlb"));
    ASSERT_TRUE(test::RenameInPlace(list, list.IndexOfPIDL(Path("home/labels/a.zlb")), "b.zlb"));
    ASSERT_TRUE(std::filesystem::exists(Path("home/labels/b.zlb")));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/b.zlb")));
    for (int merge = 0; merge < 2; ++merge) {
        list.SmartRefresh();
        const std::vector<std::string> names = Names(list);
        EXPECT_EQ(std::count(names.begin(), names.end(), "b.zlb"), 1) << merge;
        EXPECT_EQ(names.size(), 5u) << merge;  // sub, b.zlb, C.ZLB, notes.txt, .hidden.zlb
        EXPECT_EQ(list.GetSelectedFiles(), std::vector<std::string>{"b.zlb"}) << merge;
    }
}

TEST_F(ShellListTest, DeleteMovesTheSelectionToTheTrash)
{
    TQorShellList list;
    list.SetShowHidden(false);
    list.SetPath(Path("home/labels"));
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/a.zlb")));
    ASSERT_TRUE(list.InvokeCommandOnSelected("delete"));
    EXPECT_FALSE(std::filesystem::exists(Path("home/labels/a.zlb")));
    EXPECT_TRUE(std::filesystem::exists(Path("home/.local/share/Trash/files/a.zlb")));
    EXPECT_LT(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0);
    list.ClearSelection();
    EXPECT_FALSE(list.InvokeCommandOnSelected("delete"));
}

TEST_F(ShellListTest, DraggedItemsAreFileUrls)
{
    TQorShellList list;
    list.SetPath(Path("home/labels"));
    const QModelIndexList rows = {
        list.ReportView()->model()->index(list.IndexOfPIDL(Path("home/labels/a.zlb")), 0),
        list.ReportView()->model()->index(list.IndexOfPIDL(Path("home/labels/b.zlb")), 0)};
    std::unique_ptr<QMimeData> data(list.ReportView()->model()->mimeData(rows));
    ASSERT_NE(data, nullptr);
    std::set<std::string> paths;  // the model hands the items over in no fixed order
    for (const QUrl& url : data->urls()) {
        paths.insert(url.toLocalFile().toStdString());
    }
    EXPECT_EQ(paths, (std::set<std::string>{Path("home/labels/a.zlb"), Path("home/labels/b.zlb")}));
}

TEST_F(ShellListTest, TreeAndListFollowEachOtherThroughTheLink)
{
    TQorShellLink link;
    TQorShellTree tree;
    TQorShellList list;
    tree.SetShellLink(&link);
    list.SetShellLink(&link);
    tree.SetSelectedFolder(Path("home/labels"));
    EXPECT_EQ(list.Path(), Path("home/labels") + "/");

    // The list enters a folder: the tree follows.
    list.SelectItem(list.IndexOfPIDL(Path("home/labels/sub")));
    ASSERT_TRUE(list.InvokeCommandOnSelected("default"));
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels/sub"));

    // Up from the list is done by the tree; the list follows its selection.
    list.GoUp();
    EXPECT_EQ(tree.SelectedFolder(), Path("home/labels"));
    EXPECT_TRUE(WaitFor([&] { return list.Path() == Path("home/labels") + "/"; }));
}

// A folder the user can't read is no empty folder: the list says why it
// shows nothing, and stops saying it once it shows a folder it can read.
TEST_F(ShellListTest, AFolderThatCantBeReadSaysSo)
{
    MakeDir("home/locked");
    MakeFile("home/locked/a.zlb");
    std::filesystem::permissions(Path("home/locked"), std::filesystem::perms::none);
    const test::FileModesHeld modes;
    ASSERT_TRUE(modes.Held());
    TQorShellList list;
    list.SetPath(Path("home/locked"));
    const QLabel* note = list.findChild<QLabel*>("UnreadableNote");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(note->text().toStdString(), "This folder can't be read: Permission denied.");
    list.SetPath(Path("home/labels"));
    EXPECT_TRUE(note->isHidden());
    std::filesystem::permissions(Path("home/locked"), std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace zk
