// The open-label browser inside the editor: choosing a label, cancelling
// after previews, and the preview's fitting into its panel.

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/shell/list_editing.h"
#include "tests/shell/popup_driver.h"
#include "platform/dir_watcher.h"
#include "tests/support/event_loop_deadline.h"
#include "tests/support/folder_churn.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/open_lb.h"

namespace zk::test {
namespace {

TEST(PreviewFitSizeTest, Table)
{
    struct Row {
        int width, length;
        QSize panel;
        bool shrink;
        QSize shown;
    } rows[] = {
        /* 0*/ {384, 200, {604, 259}, true, {392, 208}},   // fits: the label and its frame
        /* 1*/ {800, 1200, {604, 259}, true, {167, 251}},  // tall: by the height
        /* 2*/ {800, 1200, {604, 259}, false, {808, 1208}},
        /* 3*/ {1600, 400, {604, 259}, true, {596, 149}},  // wide: by the width, inside the panel
        /* 4*/ {596, 251, {604, 259}, true, {604, 259}},   // exactly fits
        /* 5*/ {597, 100, {604, 259}, true, {596, 99}},    // one dot too wide
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewFitSize(row.width, row.length, row.panel, row.shrink), row.shown)
            << row.width << "x" << row.length;
    }
}

class OpenLbTest : public MainWindowTest {
protected:
    OpenLbTest()
    {
        std::filesystem::create_directories(Labels());
        WriteLabel("a.zlb", 1, 300);
        WriteLabel("b.zlb", 4, 500);
        WriteLabel("c.zlb", 2, 200);
        std::ofstream(Labels() + "/notes.txt") << "not a label";
        ClearFigureList();
        MakeWindow();
        ui.openLabelBrowser = [] { OpenLb->exec(); };
    }

    std::string Labels() const { return (TempDir() / "labels").string(); }
    // A label file of n bars on a label of the given width.
    void WriteLabel(const char* name, int bars, int width)
    {
        ClearFigureList();
        for (int i = 1; i <= bars; ++i) {
            ASSERT_EQ(AppendFigure(TBarFigure{static_cast<std::int16_t>(i), 0, 4, 4, 0}), 0);
        }
        LabelSetup.LabelWidth = width;
        const auto bytes = EncodeLabelFile();
        std::ofstream out(Labels() + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        LabelSetup = TLabelSetup{};
    }
    static TQorShellList& List(QWidget* modal) { return *modal->findChild<TQorShellList*>("ShellList"); }
    // Previews b.zlb and starts renaming it with F2, as a user does; the
    // editor once the name without its extension is selected (the typed
    // name replaces it), or none.
    QLineEdit* StartRenamingB(QWidget* modal) const
    {
        TQorShellList& list = List(modal);
        Preview(modal, Labels() + "/b.zlb");
        list.ListView()->setFocus();
        QTest::keyClick(list.ListView(), Qt::Key_F2);
        QLineEdit* editor = NameEditor(list);
        const bool ready = editor != nullptr && QTest::qWaitFor([&] { return editor->selectedText() == "b"; }, 5000);
        return ready ? editor : nullptr;
    }
    static void Preview(QWidget* modal, const std::string& path)
    {
        TQorShellList& list = List(modal);
        list.ClearSelection();
        list.SelectItem(list.IndexOfPIDL(path));
    }
};

TEST_F(OpenLbTest, TheFormAndItsControls)
{
    ASSERT_NE(OpenLb, nullptr);
    EXPECT_EQ(OpenLb->windowTitle(), "Open Label");
    for (const char* name : {"SplitterV", "ShellPn", "ListPn", "ShellTree", "ShellList", "CtlPn", "PathLb", "OpenBt",
                             "CancelBt", "ShrinkBox", "LabPn", "Label"}) {
        EXPECT_NE(OpenLb->findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_TRUE(OpenLb->findChild<QCheckBox*>("ShrinkBox")->isChecked());
    EXPECT_TRUE(OpenLb->findChild<QLineEdit*>("PathLb")->isReadOnly());
    EXPECT_TRUE(OpenLb->findChild<QPushButton*>("OpenBt")->isDefault());
}

TEST_F(OpenLbTest, ALongFolderNameShowsWholeInTheFolderPaneWhichScrolls)
{
    const std::string name = "labels for the spring catalogue of the northern warehouse, second edition";
    const std::string folder = Labels() + "/" + name;
    std::filesystem::create_directories(folder);
    OpenLb->show();
    TQorShellTree& tree = *OpenLb->ShellTree();
    tree.SetSelectedFolder(folder);
    QTreeWidgetItem* item = tree.currentItem();
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->text(0).toStdString(), name);
    QCoreApplication::processEvents();
    // The row is as wide as its icon and its whole name, not cut off at the
    // pane's edge; the pane scrolls sideways to it.
    const QRect row = tree.visualItemRect(item);
    EXPECT_GE(row.width(), tree.fontMetrics().horizontalAdvance(item->text(0)) + tree.iconSize().width());
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
    OpenLb->hide();
}

TEST_F(OpenLbTest, TheListShowsOnlyLabelFilesOfTheTreesFolder)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    TQorShellList& list = *OpenLb->ShellList();
    EXPECT_EQ(list.Path(), Labels() + "/");
    std::vector<std::string> names;
    for (int i = 0; i < list.ItemCount(); ++i) {
        names.push_back(list.ItemText(i).toStdString());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a.zlb", "b.zlb", "c.zlb"}));
}

TEST_F(OpenLbTest, OpenLoadsTheChosenLabel)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    bool previewShown = false;
    int previewWidth = 0;
    WhenModalShows([&](QWidget* modal) {
        Preview(modal, Labels() + "/b.zlb");
        previewShown = modal->findChild<QLabel*>("Label")->isVisible();
        previewWidth = LabelImage.Width();
        EXPECT_EQ(modal->findChild<QLineEdit*>("PathLb")->text().toStdString(), Labels() + "/b.zlb");
        modal->findChild<QPushButton*>("OpenBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(previewWidth, 500);  // the preview is drawn at the previewed label's size
    EXPECT_EQ(OpenLabelAccepted, 1);
    EXPECT_EQ(SelectedLabelPath, Labels() + "/b.zlb");
    EXPECT_EQ(CountFigures(), 4u);
    EXPECT_EQ(LabelSetup.LabelWidth, 500);
    EXPECT_EQ(ProgramPaths.WorkDir, Labels() + "/");
}

TEST_F(OpenLbTest, CancelAfterThreePreviewsKeepsTheLabel)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    ASSERT_EQ(AppendFigure(TBarFigure{42, 0, 4, 4, 0}), 0);
    ASSERT_EQ(AppendFigure(TBarFigure{43, 0, 4, 4, 0}), 0);
    WhenModalShows([this](QWidget* modal) {
        for (const char* name : {"/a.zlb", "/b.zlb", "/c.zlb"}) {
            Preview(modal, Labels() + name);
        }
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(OpenLabelAccepted, 0);
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 42);
    EXPECT_EQ(LabelSetup.LabelWidth, TLabelSetup{}.LabelWidth);
}

// On a later showing the path field and the list agree: the label last
// previewed is selected (and previewed) when it is listed; otherwise the
// field is empty and Enter opens nothing over the editor's label.
TEST_F(OpenLbTest, ALaterShowingSelectsTheLabelItsPathShowsOrShowsNoPath)
{
    for (const bool removed : {false, true}) {
        OpenLb->ShellTree()->SetSelectedFolder(Labels());
        WhenModalShows([this](QWidget* modal) {
            Preview(modal, Labels() + "/a.zlb");
            modal->findChild<QPushButton*>("CancelBt")->click();
        });
        ASSERT_TRUE(LoadLabelFile(std::nullopt));
        if (removed) {
            std::filesystem::remove(Labels() + "/a.zlb");
        }
        ClearFigureList();
        ASSERT_EQ(AppendFigure(TBarFigure{42, 0, 4, 4, 0}), 0);
        bool previewShown = true;
        std::vector<std::string> selected;
        std::string path;
        WhenModalShows([&](QWidget* modal) {
            TQorShellList& list = List(modal);
            // The list has settled on the folder as it is now.
            ASSERT_TRUE(QTest::qWaitFor([&] { return (list.IndexOfPIDL(Labels() + "/a.zlb") < 0) == removed; }, 5000));
            QCoreApplication::processEvents();
            previewShown = modal->findChild<QLabel*>("Label")->isVisible();
            for (const int item : list.SelectedItems()) {
                selected.push_back(list.GetFullPath(item));
            }
            path = modal->findChild<QLineEdit*>("PathLb")->text().toStdString();
            QTest::keyClick(modal->findChild<QPushButton*>("OpenBt"), Qt::Key_Return);
            QCoreApplication::processEvents();
            if (modal->isVisible()) {
                modal->findChild<QPushButton*>("CancelBt")->click();
            }
        });
        ASSERT_TRUE(LoadLabelFile(std::nullopt));
        EXPECT_EQ(previewShown, !removed) << removed;
        EXPECT_EQ(selected, removed ? std::vector<std::string>{} : std::vector<std::string>{Labels() + "/a.zlb"})
            << removed;
        EXPECT_EQ(path, removed ? std::string() : Labels() + "/a.zlb") << removed;
        EXPECT_EQ(OpenLabelAccepted, removed ? 0 : 1) << removed;
        // a.zlb holds one bar at 1; the editor's label one at 42.
        ASSERT_EQ(CountFigures(), 1u) << removed;
        EXPECT_EQ(FigureList.FigureHead->Bar().X, removed ? 42 : 1) << removed;
    }
}

TEST_F(OpenLbTest, DoubleClickOnAFileOpensIt)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    WhenModalShows([this](QWidget* modal) {
        Preview(modal, Labels() + "/c.zlb");
        List(modal).OnDblClick();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(OpenLabelAccepted, 1);
    EXPECT_EQ(CountFigures(), 2u);
}

TEST_F(OpenLbTest, RenamingThePreviewedLabelTakesThePathAlong)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    std::string shownPath;
    WhenModalShows([&](QWidget* modal) {
        Preview(modal, Labels() + "/b.zlb");
        TQorShellList& list = List(modal);
        EXPECT_TRUE(RenameInPlace(list, list.IndexOfPIDL(Labels() + "/b.zlb"), "renamed.zlb"));
        shownPath = modal->findChild<QLineEdit*>("PathLb")->text().toStdString();
        // Open only what is there: a missing file's error box would wait for an answer.
        const bool follows = shownPath == Labels() + "/renamed.zlb";
        modal->findChild<QPushButton*>(follows ? "OpenBt" : "CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(shownPath, Labels() + "/renamed.zlb");
    EXPECT_EQ(OpenLabelAccepted, 1);
    EXPECT_EQ(SelectedLabelPath, Labels() + "/renamed.zlb");
    EXPECT_EQ(CountFigures(), 4u);
}

// Enter that ends renaming a label ends the rename only: the browser stays
// open and the editor's label stays, also when another program removed a
// label listed above the renamed one while it was edited.
TEST_F(OpenLbTest, EnterThatEndsARenameOpensNothing)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    ASSERT_EQ(AppendFigure(TBarFigure{42, 0, 4, 4, 0}), 0);
    bool stillOpen = false;
    WhenModalShows([&](QWidget* modal) {
        TQorShellList& list = List(modal);
        QLineEdit* editor = StartRenamingB(modal);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, "Label5");
        std::filesystem::remove(Labels() + "/a.zlb");
        ASSERT_TRUE(QTest::qWaitFor([&] { return list.IndexOfPIDL(Labels() + "/a.zlb") < 0; }, 5000));
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list.Editing(); }, 5000));
        QCoreApplication::processEvents();
        stillOpen = modal->isVisible();
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(OpenLabelAccepted, 0);
    EXPECT_TRUE(std::filesystem::exists(Labels() + "/Label5.zlb"));
    ASSERT_EQ(CountFigures(), 1u);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 42);
}

// Tab or Shift+Tab that ends renaming a label ends the rename only: the
// label renamed stays selected and previewed, no other one is, and Enter
// then opens the renamed one.
TEST_F(OpenLbTest, TabThatEndsARenameKeepsTheRenamedLabelChosen)
{
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        OpenLb->ShellTree()->SetSelectedFolder(Labels());
        const std::string name = "Label" + std::to_string(key) + ".zlb";
        std::string shownPath;
        bool stillOpen = false;
        WhenModalShows([&](QWidget* modal) {
            TQorShellList& list = List(modal);
            QAbstractItemView* view = list.ListView();
            QLineEdit* editor = StartRenamingB(modal);
            ASSERT_NE(editor, nullptr);
            QTest::keyClicks(editor, QString::fromStdString(name.substr(0, name.size() - 4)));
            QTest::keyClick(editor, key);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !list.Editing(); }, 5000));
            QCoreApplication::processEvents();
            stillOpen = modal->isVisible();
            shownPath = modal->findChild<QLineEdit*>("PathLb")->text().toStdString();
            QTest::keyClick(view, Qt::Key_Return);
        });
        ASSERT_TRUE(LoadLabelFile(std::nullopt));
        EXPECT_TRUE(stillOpen) << key;
        EXPECT_EQ(shownPath, Labels() + "/" + name) << key;
        EXPECT_EQ(OpenLabelAccepted, 1) << key;
        EXPECT_EQ(SelectedLabelPath, Labels() + "/" + name) << key;
        EXPECT_EQ(CountFigures(), 4u) << key;  // the renamed b.zlb, not c.zlb or a.zlb
        std::filesystem::rename(Labels() + "/" + name, Labels() + "/b.zlb");
    }
}

// Open in a label's menu opens it, as a double click does.
TEST_F(OpenLbTest, OpenInALabelsMenuOpensIt)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    WhenModalShows([this](QWidget* modal) {
        TQorShellList& list = List(modal);
        Preview(modal, Labels() + "/c.zlb");
        WhenPopupShows(&list, [](QMenu* menu) {
            menu->setActiveAction(menu->findChild<QAction*>("OpenVerb"));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        std::string verb;
        list.ShowContextMenu(list.mapToGlobal(QPoint(10, 10)), verb);
        if (modal->isVisible()) {
            modal->findChild<QPushButton*>("CancelBt")->click();
        }
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(OpenLabelAccepted, 1);
    EXPECT_EQ(SelectedLabelPath, Labels() + "/c.zlb");
    EXPECT_EQ(CountFigures(), 2u);
}

// The folder tree shows the selected folder's name, however deep it lies.
TEST_F(OpenLbTest, TheSelectedFolderShowsByName)
{
    std::string folder = Labels();
    for (const char* level : {"customers", "northern region", "warehouse", "spring", "catalogue", "samples"}) {
        folder += std::string("/") + level;
    }
    folder += "/selected labels";
    std::filesystem::create_directories(folder);
    OpenLb->ShellTree()->SetSelectedFolder(folder);
    QRect shown;
    int paneWidth = 0;
    WhenModalShows([&](QWidget* modal) {
        TQorShellTree& tree = *modal->findChild<TQorShellTree*>("ShellTree");
        QCoreApplication::processEvents();
        QTreeWidgetItem* node = tree.currentItem();
        ASSERT_NE(node, nullptr);
        ASSERT_EQ(node->text(0).toStdString(), "selected labels");
        const QRect row = tree.visualItemRect(node);
        shown = QRect(row.left(), row.top(), tree.sizeHintForIndex(tree.currentIndex()).width(), row.height());
        paneWidth = tree.viewport()->width();
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_GE(shown.left(), 0);
    EXPECT_LE(shown.right(), paneWidth);
}

// A label replaced by a folder of its name is no label any more: the list
// of labels no longer offers it, also after the browser was hidden and
// shown again.
TEST_F(OpenLbTest, ALabelReplacedByAFolderIsNoLongerOffered)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    std::vector<bool> offered;
    for (int showing = 0; showing < 2; ++showing) {
        WhenModalShows([&](QWidget* modal) {
            TQorShellList& list = List(modal);
            if (showing == 0) {
                // Once a label made now shows, the browser has settled on its folder.
                std::ofstream(Labels() + "/m.zlb") << "x";
                ASSERT_TRUE(QTest::qWaitFor([&] { return list.IndexOfPIDL(Labels() + "/m.zlb") >= 0; }, 5000));
                ASSERT_GE(list.IndexOfPIDL(Labels() + "/b.zlb"), 0);
                std::filesystem::remove(Labels() + "/b.zlb");
                std::filesystem::create_directory(Labels() + "/b.zlb");
                // The folder's change is merged; a file made after it shows it was.
                std::ofstream(Labels() + "/d.zlb") << "x";
                ASSERT_TRUE(QTest::qWaitFor([&] { return list.IndexOfPIDL(Labels() + "/d.zlb") >= 0; }, 5000));
            }
            offered.push_back(list.IndexOfPIDL(Labels() + "/b.zlb") >= 0);
            modal->findChild<QPushButton*>("CancelBt")->click();
        });
        ASSERT_TRUE(LoadLabelFile(std::nullopt));
    }
    EXPECT_EQ(offered, (std::vector<bool>{false, false}));
}

// Selecting a range of labels previews the one the selection ends on, not
// each label of the range.
TEST_F(OpenLbTest, ARangeOfLabelsPreviewsTheOneItEndsOn)
{
    for (int i = 0; i < 500; ++i) {
        std::filesystem::copy_file(Labels() + "/a.zlb", Labels() + "/r" + std::to_string(1000 + i) + ".zlb");
    }
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    int previews = 0;
    std::string shown;
    WhenModalShows([&](QWidget* modal) {
        auto* pathLb = modal->findChild<QLineEdit*>("PathLb");
        QObject counting;
        QObject::connect(pathLb, &QLineEdit::textChanged, &counting, [&previews] { ++previews; });
        QAbstractItemView* view = List(modal).ListView();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Home);
        QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(List(modal).SelectedItems().size(), 503u);
        shown = pathLb->text().toStdString();
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(previews, 2);
    EXPECT_EQ(shown, Labels() + "/r1499.zlb");
}

// A previewed label that leaves its folder (to the trash here) is no longer
// offered: Open has nothing to open instead of a missing file.
TEST_F(OpenLbTest, TrashingThePreviewedLabelTakesThePathAway)
{
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    std::string shownPath = "unread";
    bool previewShown = true;
    bool openedNothing = false;
    WhenModalShows([&](QWidget* modal) {
        Preview(modal, Labels() + "/b.zlb");
        EXPECT_TRUE(List(modal).InvokeCommandOnSelected("delete"));
        shownPath = modal->findChild<QLineEdit*>("PathLb")->text().toStdString();
        previewShown = modal->findChild<QLabel*>("Label")->isVisible();
        modal->findChild<QPushButton*>("OpenBt")->click();
        openedNothing = modal->isVisible();
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(Labels() + "/b.zlb"));
    EXPECT_EQ(shownPath, "");
    EXPECT_FALSE(previewShown);
    EXPECT_TRUE(openedNothing);
    EXPECT_EQ(OpenLabelAccepted, 0);
}

TEST_F(OpenLbTest, ALabelWhoseNameIsNoUtf8Opens)
{
    WriteLabel("\xE4.zlb", 3, 300);  // named on an older system
    ClearFigureList();
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    WhenModalShows([&](QWidget* modal) {
        Preview(modal, Labels() + "/\xE4.zlb");
        modal->findChild<QPushButton*>("OpenBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(SelectedLabelPath, Labels() + "/\xE4.zlb");
    EXPECT_EQ(CountFigures(), 3u);
}

// A test's program directory, the browser's start, lies in the test
// program's private folder, its HOME; the browser reaches it through the
// desktop's Home and reads and watches nothing outside.
TEST_F(OpenLbTest, TheBrowserStaysInTheTestsOwnFolder)
{
    const std::string home = std::getenv("HOME");
    const auto inside = [&home](const std::string& path) { return path == home || path.starts_with(home + "/"); };
    EXPECT_TRUE(inside(ProgramPaths.ProgramDir)) << ProgramPaths.ProgramDir;
    std::vector<std::string> watched;
    std::vector<std::string> read;
    WhenModalShows([&](QWidget* modal) {
        watched = platform::WatchHub::Program()->WatchedFolders();
        TQorShellTree* tree = modal->findChild<TQorShellTree*>("ShellTree");
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            if ((*it)->childCount() > 0) {
                read.push_back(TQorShellTree::NodeId(*it));
            }
        }
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_FALSE(watched.empty());
    for (const std::string& folder : watched) {
        EXPECT_TRUE(inside(folder)) << folder;
    }
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read.front(), platform::DesktopId);
    for (const std::string& folder : std::vector<std::string>(read.begin() + 1, read.end())) {
        EXPECT_TRUE(inside(folder)) << folder;
    }
}

// The browser lives hidden for the whole run: while hidden it watches
// nothing, and shown it keeps the editor responsive however busy the
// folders it shows are.
TEST_F(OpenLbTest, ABusyFolderFreezesNeitherTheEditorNorTheBrowser)
{
    for (int i = 0; i < 500; ++i) {
        std::filesystem::create_directory(TempDir() / ("f" + std::to_string(1000 + i)));
    }
    OpenLb->ShellTree()->SetSelectedFolder(Labels());
    const auto watched = [] { return platform::WatchHub::Program()->WatchedFolders(); };
    EXPECT_EQ(watched(), std::vector<std::string>{});
    const FolderChurn churn(TempDir());
    RunEventLoopFor(std::chrono::milliseconds(1000));

    std::vector<std::string> watchedWhileShown;
    WhenModalShows([&](QWidget* modal) {
        RunEventLoopFor(std::chrono::milliseconds(1000));
        watchedWhileShown = watched();
        modal->findChild<QPushButton*>("CancelBt")->click();
    });
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_NE(std::find(watchedWhileShown.begin(), watchedWhileShown.end(), TempDir().string()),
              watchedWhileShown.end());
    EXPECT_EQ(watched(), std::vector<std::string>{});
    EXPECT_GT(churn.Changes(), 100u);
}

}  // namespace
}  // namespace zk::test
