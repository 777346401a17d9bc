// The main window's way into the figure list and the align dialog: the
// View menu's "Object List", the Edit menu's "Align to Grid" and the
// toolbar's align button.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

class FigListCommandsTest : public test::MainWindowTest {
protected:
    static void AddBar(std::int16_t x, std::int16_t y, bool selected = false)
    {
        EXPECT_EQ(AppendFigure(TBarFigure{x, y, 10, 10, 0}), 0);
        FigureList.FigureTail->Flags = selected ? FigureFlag::Selected : 0;
    }
    static void AddSoftFont()
    {
        TSoftFontFigure font;
        font.Letter = "A";
        EXPECT_EQ(AppendFigure(font), 0);
    }
};

TEST_F(FigListCommandsTest, MenuItemsAreAvailable)
{
    TZKedit& w = StartWindow();
    EXPECT_TRUE(w.MenuItem("EditfromListM")->isEnabled());
    EXPECT_TRUE(w.MenuItem("AlignM")->isEnabled());
}

TEST_F(FigListCommandsTest, ObjectListWithOnlySoftFontsSaysNoFiguresDefined)
{
    TZKedit& w = StartWindow();
    AddSoftFont();
    w.MenuItem("EditfromListM")->trigger();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "No figures defined");
    EXPECT_FALSE(ui.messageBoxes[0].yesNo);
}

TEST_F(FigListCommandsTest, ObjectListShowsTheFiguresModally)
{
    TZKedit& w = StartWindow();
    AddSoftFont();
    AddBar(1, 2);
    AddBar(3, 4);
    int rows = -1;
    std::string title;
    test::WhenModalShows([&rows, &title](QWidget* modal) {
        title = modal->objectName().toStdString();
        rows = modal->findChild<QTableWidget*>("Obj")->rowCount();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.MenuItem("EditfromListM")->trigger();
    EXPECT_EQ(title, "FigListDlg");
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(FigListCommandsTest, AlignToGridShowsTheStepAndAlignsTheSelection)
{
    TZKedit& w = StartWindow();
    Settings.GridStep = 8;
    AddBar(13, 4, true);
    std::string shownStep;
    test::WhenModalShows([&shownStep](QWidget* modal) {
        auto* step = modal->findChild<QLineEdit*>("GridStep");
        shownStep = step->text().toStdString();
        step->setText("10");
        modal->findChild<QPushButton*>("OkBt")->click();
    });
    w.MenuItem("AlignM")->trigger();
    EXPECT_EQ(shownStep, "8");
    EXPECT_EQ(Settings.GridStep, 10);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 10);
    EXPECT_EQ(FigureList.FigureHead->Bar().Y, 0);
}

TEST_F(FigListCommandsTest, ToolbarAlignButtonShowsTheAlignDialog)
{
    TZKedit& w = MakeWindow();
    auto* toolbar = new TZKToolbar(w);  // owned by the window
    window->show();
    auto* timer = w.findChild<QTimer*>("StartTimer");
    ASSERT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }));
    std::string shown;
    test::WhenModalShows([&shown](QWidget* modal) {
        shown = modal->objectName().toStdString();
        modal->findChild<QPushButton*>("CanBt")->click();
    });
    toolbar->findChild<QToolButton*>("AlignBt")->click();
    EXPECT_EQ(shown, "AlignDlg");
}

TEST_F(FigListCommandsTest, AlignDialogKeepsAdjustSizeForTheWholeRun)
{
    TZKedit& w = MakeWindow();
    auto* toolbar = new TZKToolbar(w);  // owned by the window
    window->show();
    auto* timer = w.findChild<QTimer*>("StartTimer");
    ASSERT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }));
    std::vector<QPointer<QWidget>> dialogs;
    bool ticked = false;
    test::WhenModalShows([&dialogs](QWidget* modal) {
        dialogs.push_back(modal);
        modal->findChild<QCheckBox*>("SizesToo")->setChecked(true);
        modal->findChild<QPushButton*>("SaveBt")->click();
    });
    w.MenuItem("AlignM")->trigger();
    test::WhenModalShows([&dialogs, &ticked](QWidget* modal) {
        dialogs.push_back(modal);
        ticked = modal->findChild<QCheckBox*>("SizesToo")->isChecked();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    toolbar->findChild<QToolButton*>("AlignBt")->click();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_NE(dialogs[0], nullptr);
    EXPECT_EQ(dialogs[0], dialogs[1]);
    EXPECT_TRUE(ticked);
}

TEST_F(FigListCommandsTest, ObjectListKeepsConfirmDeleteForTheWholeRun)
{
    TZKedit& w = StartWindow();
    AddBar(1, 2);
    test::WhenModalShows([](QWidget* modal) {
        modal->findChild<QCheckBox*>("SureDel")->setChecked(false);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.MenuItem("EditfromListM")->trigger();
    bool ticked = true;
    test::WhenModalShows([&ticked](QWidget* modal) {
        ticked = modal->findChild<QCheckBox*>("SureDel")->isChecked();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    w.MenuItem("EditfromListM")->trigger();
    EXPECT_FALSE(ticked);
}

}  // namespace
}  // namespace zk
