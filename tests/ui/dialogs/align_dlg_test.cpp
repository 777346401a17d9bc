// The align dialog: its form, the grid-step range, and snapping the
// selected figures on "Align" or only keeping the step on "Save".

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "tests/ui/editing/editor_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/align_dlg.h"

namespace zk {
namespace {

class AlignDlgTest : public test::EditorTest {
protected:
    AlignDlgTest() { Settings.GridStep = 8; }

    // Shown as the menu shows it, so that a click that does not close it
    // can be told from one that does.
    TAlignDlg& Open()
    {
        dialog = std::make_unique<TAlignDlg>();
        dialog->show();
        return *dialog;
    }

    std::unique_ptr<TAlignDlg> dialog;
};

TEST_F(AlignDlgTest, FormCarriesItsNamedControlsAndCaptions)
{
    TAlignDlg& d = Open();
    EXPECT_EQ(d.objectName().toStdString(), "AlignDlg");
    EXPECT_EQ(d.windowTitle().toStdString(), "Align to Grid");
    EXPECT_EQ(d.property("HelpContext").toInt(), 121);
    EXPECT_EQ(d.findChild<QLabel*>()->text().toStdString(), "Grid step:");
    ASSERT_EQ(d.findChild<QLineEdit*>("GridStep"), d.GridStep);
    EXPECT_EQ(d.GridStep->maxLength(), 3);
    ASSERT_EQ(d.findChild<QPushButton*>("OkBt"), d.OkBt);
    EXPECT_EQ(d.OkBt->text().toStdString(), "Align");
    EXPECT_TRUE(d.OkBt->isDefault());
    ASSERT_EQ(d.findChild<QPushButton*>("SaveBt"), d.SaveBt);
    EXPECT_EQ(d.SaveBt->text().toStdString(), "Save");
    ASSERT_EQ(d.findChild<QCheckBox*>("SizesToo"), d.SizesToo);
    EXPECT_EQ(d.SizesToo->text().toStdString(), "Adjust size:");
    EXPECT_EQ(d.SizesToo->layoutDirection(), Qt::RightToLeft);
    ASSERT_EQ(d.findChild<QPushButton*>("CanBt"), d.CanBt);
    EXPECT_EQ(d.CanBt->text().toStdString(), "C");
    EXPECT_FALSE(d.rect().intersects(d.CanBt->geometry()));
}

TEST_F(AlignDlgTest, ShowingFillsTheCurrentGridStep)
{
    Settings.GridStep = 24;
    TAlignDlg& d = Open();
    EXPECT_EQ(d.GridStep->text().toStdString(), "24");
}

struct StepCase {
    const char* text;
    bool accepted;
};

class AlignStepTest : public AlignDlgTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(AlignStepTest, AlignTakesOnlyAStepFrom4To80)
{
    const StepCase& c = GetParam();
    TFigure* bar = Add(Bar(13, 4, 10, 10), FigureFlag::Selected);
    TAlignDlg& d = Open();
    d.GridStep->setText(c.text);
    d.OkBt->click();
    EXPECT_EQ(d.isVisible(), !c.accepted);
    EXPECT_EQ(redraws, c.accepted ? 1 : 0);
    if (c.accepted) {
        EXPECT_EQ(Settings.GridStep, std::stoi(c.text));
        EXPECT_NE(bar->Bar().X, 13);
    } else {
        EXPECT_EQ(Settings.GridStep, 8);
        EXPECT_EQ(bar->Bar().X, 13);
        EXPECT_EQ(d.GridStep->text().toStdString(), c.text);  // left as typed
    }
}

const StepCase STEP_CASES[] = {
    {"3", false}, {"4", true}, {"40", true}, {"80", true}, {"81", false},
    {"0", false}, {"-8", false}, {"", false}, {"abc", false}, {"8x", false},
};

INSTANTIATE_TEST_SUITE_P(Steps, AlignStepTest, ::testing::ValuesIn(STEP_CASES));

TEST_F(AlignDlgTest, AlignSnapsOnlyTheSelectedFigures)
{
    TFigure* right = Add(Bar(13, 4, 10, 10), FigureFlag::Selected);
    TFigure* left = Add(Bar(-13, 4, 10, 10), FigureFlag::Selected);
    TFigure* unselected = Add(Bar(13, 4, 10, 10));
    TAlignDlg& d = Open();
    d.OkBt->click();
    EXPECT_EQ((std::vector<int>{right->Bar().X, right->Bar().Y}), (std::vector<int>{16, 8}));
    EXPECT_EQ((std::vector<int>{left->Bar().X, left->Bar().Y}), (std::vector<int>{-16, 8}));
    EXPECT_EQ((std::vector<int>{unselected->Bar().X, unselected->Bar().Y}), (std::vector<int>{13, 4}));
    EXPECT_EQ(right->Bar().Width, 10);  // sizes stay without "Adjust size:"
}

TEST_F(AlignDlgTest, AdjustSizeSnapsTheSizesWithTheNewStep)
{
    TFigure* bar = Add(Bar(13, 4, 27, 9), FigureFlag::Selected);
    TAlignDlg& d = Open();
    d.GridStep->setText("12");
    d.SizesToo->setChecked(true);
    d.OkBt->click();
    EXPECT_EQ(Settings.GridStep, 12);
    EXPECT_EQ((std::vector<int>{bar->Bar().X, bar->Bar().Y, bar->Bar().Width, bar->Bar().Height}),
              (std::vector<int>{12, 0, 24, 12}));
}

TEST_F(AlignDlgTest, SaveKeepsTheStepAndRedrawsWithoutMovingAnything)
{
    TFigure* bar = Add(Bar(13, 4, 10, 10), FigureFlag::Selected);
    TAlignDlg& d = Open();
    d.GridStep->setText("12");
    d.SaveBt->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Settings.GridStep, 12);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ((std::vector<int>{bar->Bar().X, bar->Bar().Y}), (std::vector<int>{13, 4}));
}

TEST_F(AlignDlgTest, SaveRefusesAStepOutOfRange)
{
    TAlignDlg& d = Open();
    d.GridStep->setText("99");
    d.SaveBt->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Settings.GridStep, 8);
    EXPECT_EQ(redraws, 0);
}

TEST_F(AlignDlgTest, EscClosesWithoutChanges)
{
    TFigure* bar = Add(Bar(13, 4, 10, 10), FigureFlag::Selected);
    dialog = std::make_unique<TAlignDlg>();
    test::WhenModalShows([](QWidget* modal) {
        modal->findChild<QLineEdit*>("GridStep")->setText("20");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_EQ(Settings.GridStep, 8);
    EXPECT_EQ(bar->Bar().X, 13);
    EXPECT_EQ(redraws, 0);
}

}  // namespace
}  // namespace zk
