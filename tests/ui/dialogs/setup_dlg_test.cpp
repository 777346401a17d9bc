// The label setup dialog: filled from the label setup, its size presets,
// and OK with the range rules, the canvas size and the redraw.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <functional>
#include <optional>
#include <utility>
#include <gtest/gtest.h>

#include "engine/labelfile/label_file.h"
#include "engine/labelfile/label_writer.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "tests/ui/dialogs/setup_dialogs_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/label_size_presets.h"
#include "ui/dialogs/setup_dlg.h"
#include "ui/editor_hooks.h"
#include "ui/label_canvas.h"
#include "ui/program_main.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

using SetupDlgTest = test::SetupDialogsTest;

TEST_F(SetupDlgTest, FillsEveryControlFromTheLabelSetup)
{
    LabelSetup.LabelWidth = 500;
    LabelSetup.LabelLength = 700;
    LabelSetup.LabelGap = 16;
    LabelSetup.LabelOffset = -8;
    LabelSetup.LeftMargin = 12;
    LabelSetup.TopMargin = 30;
    LabelSetup.Orientation = 1;
    LabelSetup.Darkness = 13;
    LabelSetup.Speed = 6;
    LabelSetup.Language = 12;
    LabelSetup.PaperType = 2;
    LabelSetup.NormalSpacing = 0;
    LabelSetup.DateFormat = "Y4.MN.DD";
    LabelSetup.TimeFormat = "H-M";

    TSetupDlg dlg;
    dlg.TmpLabSize->setCurrentIndex(3);
    dlg.FillSetupDialog();

    EXPECT_EQ(dlg.windowTitle().toStdString(), "Label Setup");
    EXPECT_EQ(Text(dlg.TmpLabSize), "User size");
    EXPECT_EQ(Text(dlg.TmpLabWidth), "500");
    EXPECT_EQ(Text(dlg.TmpLabLen), "700");
    EXPECT_EQ(Text(dlg.TmpGap), "16");
    EXPECT_EQ(Text(dlg.TmpOffset), "-8");
    EXPECT_EQ(Text(dlg.TmpLeft), "12");
    EXPECT_EQ(Text(dlg.TmpTop), "30");
    EXPECT_EQ(Text(dlg.TmpOrient), "Bottom");
    EXPECT_EQ(Text(dlg.TmpDarkness), "13 Warning !");
    EXPECT_EQ(Text(dlg.TmpSpeed), "150 mm/s");
    EXPECT_EQ(Text(dlg.TmpLanguage), "Arabic");
    EXPECT_EQ(Text(dlg.TmpPaper), "Black Line");
    EXPECT_EQ(Text(dlg.TmpType), "Condensed");
    EXPECT_EQ(Text(dlg.TmpDateFmt), "Y4.MN.DD");
    EXPECT_EQ(Text(dlg.TmpTimeFmt), "H-M");
}

TEST_F(SetupDlgTest, ControlsCarryTheirNamesWidthsAndItems)
{
    TSetupDlg dlg;
    const struct {
        const char* name;
        int maxLength;
    } edits[] = {{"TmpLabWidth", 6}, {"TmpLabLen", 6}, {"TmpGap", 4}, {"TmpOffset", 6},
                 {"TmpDateFmt", 15}, {"TmpTimeFmt", 15}};
    for (const auto& row : edits) {
        auto* edit = dlg.findChild<QLineEdit*>(row.name);
        ASSERT_NE(edit, nullptr) << row.name;
        EXPECT_EQ(edit->maxLength(), row.maxLength) << row.name;
    }
    for (const char* name : {"TmpLeft", "TmpTop"}) {
        EXPECT_NE(dlg.findChild<QLineEdit*>(name), nullptr) << name;
    }
    const struct {
        const char* name;
        int count;
        const char* first;
        const char* last;
    } lists[] = {
        {"TmpLabSize", 5, "User size", "79 / 56 mm"},
        {"TmpOrient", 2, "Top", "Bottom"},
        {"TmpDarkness", 16, "0", "15 Warning !"},
        {"TmpSpeed", 7, "25 mm/s", "150 mm/s"},
        {"TmpLanguage", 14, "English (CP437)", "Portugal (860)"},
        {"TmpPaper", 3, "Continuous", "Black Line"},
        {"TmpType", 2, "Normal", "Condensed"},
    };
    for (const auto& row : lists) {
        auto* list = dlg.findChild<QComboBox*>(row.name);
        ASSERT_NE(list, nullptr) << row.name;
        ASSERT_EQ(list->count(), row.count) << row.name;
        EXPECT_EQ(list->itemText(0).toStdString(), row.first) << row.name;
        EXPECT_EQ(list->itemText(row.count - 1).toStdString(), row.last) << row.name;
    }
    // Only the darkness levels 12 to 15 carry the warning.
    for (int level = 0; level < 16; ++level) {
        EXPECT_EQ(dlg.TmpDarkness->itemText(level).contains("Warning !"), level >= 12) << level;
    }
    auto* cancel = dlg.findChild<QPushButton*>("C");
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_EQ(cancel->text().toStdString(), "C");
}

TEST_F(SetupDlgTest, PresetsFillWidthAndLengthAndUserSizeChangesNothing)
{
    const struct {
        int index;
        const char* width;
        const char* length;
    } rows[] = {{1, "384", "200"}, {2, "384", "344"}, {3, "384", "600"}, {4, "608", "412"}, {0, "608", "412"}};
    TSetupDlg dlg;
    for (const auto& row : rows) {
        dlg.TmpLabSize->setCurrentIndex(row.index);
        EXPECT_EQ(Text(dlg.TmpLabWidth), row.width) << row.index;
        EXPECT_EQ(Text(dlg.TmpLabLen), row.length) << row.index;
    }
    EXPECT_EQ(TenthsOfMillimetreToDots(250), 200);
}

// Each numeric field: a text and the value the label setup holds after OK,
// starting from the defaults.
struct FieldCase {
    const char* field;
    const char* text;
    std::int32_t TLabelSetup::*member;
    std::int32_t expected;
};

const FieldCase FIELD_CASES[] = {
    {"TmpLabWidth", "608", &TLabelSetup::LabelWidth, 608},
    {"TmpLabWidth", "609", &TLabelSetup::LabelWidth, 384},
    {"TmpLabWidth", "79", &TLabelSetup::LabelWidth, 384},
    {"TmpLabWidth", "80", &TLabelSetup::LabelWidth, 80},
    {"TmpLabWidth", "wide", &TLabelSetup::LabelWidth, 384},
    {"TmpLabWidth", "", &TLabelSetup::LabelWidth, 384},
    {"TmpLabLen", "2000", &TLabelSetup::LabelLength, 2000},
    {"TmpLabLen", "2001", &TLabelSetup::LabelLength, 200},
    {"TmpGap", "0", &TLabelSetup::LabelGap, 0},
    {"TmpGap", "80", &TLabelSetup::LabelGap, 80},
    {"TmpGap", "81", &TLabelSetup::LabelGap, 24},
    {"TmpOffset", "-80", &TLabelSetup::LabelOffset, -80},
    {"TmpOffset", "-81", &TLabelSetup::LabelOffset, 8},
    {"TmpOffset", "80", &TLabelSetup::LabelOffset, 80},
    {"TmpTop", "1999", &TLabelSetup::TopMargin, 1999},
    {"TmpTop", "-1", &TLabelSetup::TopMargin, 0},
    {"TmpTop", " 40 ", &TLabelSetup::TopMargin, 40},
    {"TmpLeft", "607", &TLabelSetup::LeftMargin, 607},
    {"TmpLeft", "608", &TLabelSetup::LeftMargin, 0},
    {"TmpLeft", "12x", &TLabelSetup::LeftMargin, 0},
};

TEST_F(SetupDlgTest, OkTakesNumbersInRangeAndKeepsTheOldValueOtherwise)
{
    for (const FieldCase& row : FIELD_CASES) {
        SCOPED_TRACE(std::string(row.field) + " = \"" + row.text + "\"");
        LabelSetup = TLabelSetup{};
        TSetupDlg dlg;
        dlg.findChild<QLineEdit*>(row.field)->setText(row.text);
        dlg.ButtonOK->click();
        EXPECT_EQ(LabelSetup.*row.member, row.expected);
        EXPECT_TRUE(ui.messageBoxes.empty());
    }
}

TEST_F(SetupDlgTest, OkTakesTheListsAndTheFormats)
{
    TSetupDlg dlg;
    dlg.TmpOrient->setCurrentIndex(1);
    dlg.TmpDarkness->setCurrentIndex(15);
    dlg.TmpSpeed->setCurrentIndex(0);
    dlg.TmpLanguage->setCurrentIndex(13);
    dlg.TmpPaper->setCurrentIndex(1);
    dlg.TmpType->setCurrentIndex(1);
    dlg.TmpDateFmt->setText("y2/mn/dd");
    dlg.TmpTimeFmt->setText("h.m");
    dlg.ButtonOK->click();

    EXPECT_EQ(LabelSetup.Orientation, 1);
    EXPECT_EQ(LabelSetup.Darkness, 15);
    EXPECT_EQ(LabelSetup.Speed, 0);
    EXPECT_EQ(LabelSetup.Language, 13);
    EXPECT_EQ(LabelSetup.PaperType, 1);
    EXPECT_EQ(LabelSetup.NormalSpacing, 0);
    EXPECT_EQ(LabelSetup.DateFormat.str(), "Y2/MN/DD");
    EXPECT_EQ(LabelSetup.TimeFormat.str(), "H.M");
}

TEST_F(SetupDlgTest, OkKeepsAnInvalidFormatAndALanguageTheListCannotShow)
{
    LabelSetup.Language = 15;
    TSetupDlg dlg;
    EXPECT_EQ(dlg.TmpLanguage->currentIndex(), -1);
    dlg.TmpDateFmt->setText("XX-YY");
    dlg.ButtonOK->click();
    EXPECT_EQ(LabelSetup.Language, 15);
    EXPECT_EQ(LabelSetup.DateFormat.str(), "DD-MN-Y4");
}

TEST_F(SetupDlgTest, CloseWithoutOkLeavesTheLabelSetup)
{
    TSetupDlg dlg;
    dlg.show();
    dlg.TmpLabWidth->setText("500");
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(LabelSetup.LabelWidth, 384);
}

TEST_F(SetupDlgTest, OkDuringAPrinterExchangeBeepsAndKeepsTheDialogOpen)
{
    TSetupDlg dlg;
    dlg.show();
    dlg.TmpLabWidth->setText("500");
    {
        TExchangeGuard running;
        dlg.ButtonOK->click();
    }
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(LabelSetup.LabelWidth, 384);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"beep"}));
    dlg.ButtonOK->click();
    EXPECT_EQ(LabelSetup.LabelWidth, 500);
}

class SetupDlgWindowTest : public test::MainWindowTest {};

TEST_F(SetupDlgWindowTest, MenuShowsItModelessAndOkResizesAndRedrawsTheCanvas)
{
    TZKedit& w = StartWindow();
    QAction* item = w.MenuItem("LabelSetupM");
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    TSetupDlg& dlg = SetupDlg();
    ASSERT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.isModal());
    EXPECT_EQ(dlg.TmpLabSize->currentText().toStdString(), "User size");

    dlg.TmpLabSize->setCurrentIndex(4);
    RedrawMode = -1;
    dlg.ButtonOK->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(LabelSetup.LabelWidth, 608);
    EXPECT_EQ(LabelSetup.LabelLength, 412);
    EXPECT_EQ(w.Label()->size(), QSize(608, 412));
    EXPECT_EQ(RedrawMode, RedrawEditor);
    EXPECT_EQ(w.ScrollPosition(), QPoint(0, 0));
}

// The menu's form is modeless, so the label can be replaced under it. It
// then shows the new label's setup, and its OK keeps that label as it is:
// nothing typed for the label before reaches the new one.
TEST_F(SetupDlgWindowTest, AnOpenFormFollowsEveryReplacementOfTheLabel)
{
    const auto setLabel = [](int width, int length, int left, int top) {
        LabelSetup.LabelWidth = width;
        LabelSetup.LabelLength = length;
        LabelSetup.LeftMargin = left;
        LabelSetup.TopMargin = top;
        ClearFigureList();
        ASSERT_EQ(AppendFigure(TBarFigure{100, 100, 40, 20, 0}), 0);
    };
    const std::string other = (TempDir() / "other.zlb").string();
    setLabel(384, 412, 20, 30);
    {
        const ByteSink bytes = EncodeLabelFile();
        std::ofstream(other, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const struct {
        const char* name;
        std::function<void(TZKedit&)> replace;
    } replacements[] = {
        {"open", [&other](TZKedit&) { CallLoadLabelFile(other); }},
        {"hand-over", [&other](TZKedit&) { OnOpenFileMessage(other); }},
        // What reading a stored form back from the printer leaves.
        {"read-back",
         [&setLabel](TZKedit&) {
             setLabel(384, 412, 20, 30);
             LabelLoadedHook(LabelLoadTarget::Editor);
         }},
        {"new", [](TZKedit& w) { w.MenuItem("NewLabelM")->trigger(); }},
        {"rotate", [](TZKedit& w) { w.MenuItem("RotateCWM")->trigger(); }},
    };
    TZKedit& w = StartWindow();
    for (const auto& replacement : replacements) {
        SCOPED_TRACE(replacement.name);
        setLabel(608, 560, 0, 0);
        LabelLoadedHook(LabelLoadTarget::Editor);
        w.MenuItem("LabelSetupM")->trigger();
        TSetupDlg& dlg = SetupDlg();
        ASSERT_TRUE(dlg.isVisible());
        ASSERT_EQ(dlg.TmpLabWidth->text().toStdString(), "608");
        dlg.TmpLabWidth->setText("500");  // typed for the label shown now, not confirmed
        const QPoint placed = dlg.pos();

        replacement.replace(w);
        const TLabelSetup replaced = LabelSetup;
        const auto barPlace = [] {
            // New Label leaves no figure.
            const TFigure* figure = FigureList.FigureHead;
            return figure != nullptr ? std::optional(std::pair(figure->Bar().X, figure->Bar().Y)) : std::nullopt;
        };
        const auto bar = barPlace();
        ASSERT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.pos(), placed);
        EXPECT_EQ(dlg.TmpLabWidth->text().toStdString(), std::to_string(replaced.LabelWidth));
        EXPECT_EQ(dlg.TmpLabLen->text().toStdString(), std::to_string(replaced.LabelLength));
        EXPECT_EQ(dlg.TmpLeft->text().toStdString(), std::to_string(replaced.LeftMargin));
        EXPECT_EQ(dlg.TmpTop->text().toStdString(), std::to_string(replaced.TopMargin));

        dlg.ButtonOK->click();
        EXPECT_EQ(LabelSetup.LabelWidth, replaced.LabelWidth);
        EXPECT_EQ(LabelSetup.LabelLength, replaced.LabelLength);
        EXPECT_EQ(LabelSetup.LeftMargin, replaced.LeftMargin);
        EXPECT_EQ(LabelSetup.TopMargin, replaced.TopMargin);
        EXPECT_EQ(barPlace(), bar);
        EXPECT_EQ(w.Label()->size(), QSize(replaced.LabelWidth, replaced.LabelLength));
    }
}

TEST_F(SetupDlgWindowTest, ToolbarButtonShowsItModally)
{
    TZKedit& w = MakeWindow();
    auto* toolbar = new TZKToolbar(w);
    w.show();
    bool modal = false;
    test::WhenModalShows([&modal](QWidget* dialog) {
        modal = dialog->objectName() == "SetupDlg";
        dialog->findChild<QPushButton*>("C")->click();
    });
    toolbar->findChild<QToolButton*>("SetupBt")->click();
    EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace zk
