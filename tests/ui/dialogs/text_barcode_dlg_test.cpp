// The text and barcode dialogs: filling from the template, the lists, the
// character translation of texts (and none for barcodes), and the
// direction bits.

#include <QTest>
#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "tests/ui/dialogs/dialog_fixture.h"
#include "ui/dialogs/barcode_dlg.h"
#include "ui/dialogs/text_dlg.h"

namespace zk::test {
namespace {

QStringList Items(QWidget* dialog, const char* name)
{
    QStringList items;
    QComboBox* box = dialog->findChild<QComboBox*>(name);
    for (int i = 0; box != nullptr && i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

TEST_F(FigureDialogTest, TextDialogFillsEveryControlFromTheTemplate)
{
    TextTemplate = TTextFigure{-12, 345, 8, 9, 5, 0x183, 3, 0, {}};
    TextTemplate.Data = "\"abc\"+V01";
    PrepareTextDialog(true);
    TTextDlg* d = TextDlg;
    EXPECT_EQ(d->windowTitle(), "Edit Text");
    EXPECT_EQ(d->StartX->text(), "-12");
    EXPECT_EQ(d->StartY->text(), "345");
    EXPECT_EQ(d->SizeX->currentText(), "8");
    EXPECT_EQ(d->SizeY->currentText(), "9");
    EXPECT_EQ(d->FontType->currentIndex(), 5);
    EXPECT_EQ(d->FontStyle->currentText(), "BoldInv");
    EXPECT_EQ(d->TextRot->currentText(), "270 deg");
    EXPECT_EQ(d->TextData->text(), "\"abc\"+V01");
    EXPECT_TRUE(d->R2L->isChecked());
    EXPECT_TRUE(d->UseEn->isChecked());
    EXPECT_EQ(DialogAccepted, 0);
    EXPECT_EQ(d->R2L->text(), "Reverse Direction");
    EXPECT_EQ(d->UseEn->text(), "Use English");
    EXPECT_EQ(d->OkBt()->text(), "OK");
    EXPECT_TRUE(d->OkBt()->isDefault());
    EXPECT_EQ(d->CanBt()->text(), "C");
    EXPECT_EQ(d->CanBt()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(d->property("helpContext").toInt(), 129);
}

TEST_F(FigureDialogTest, TextDialogListsOfferTheirItems)
{
    PrepareTextDialog(true);
    EXPECT_EQ(Items(TextDlg, "SizeX"), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(Items(TextDlg, "SizeY").size(), 9);
    EXPECT_EQ(Items(TextDlg, "FontStyle"), QStringList({"Normal", "Inverse", "Bold", "BoldInv"}));
    EXPECT_EQ(Items(TextDlg, "TextRot"), QStringList({"None", "90 deg", "180 deg", "270 deg"}));
    for (QComboBox* box : TextDlg->findChildren<QComboBox*>()) {
        EXPECT_FALSE(box->isEditable()) << box->objectName().toStdString();
    }
}

TEST_F(FigureDialogTest, FontListHoldsTheResidentFontsThenTheLabelsSoftFonts)
{
    TSoftFontFigure font;
    font.Letter = "K";
    font.Height = 30;
    Add(font);
    font.Letter = "B";
    font.Height = 7;
    Add(font);
    TextTemplate.Font = 7;
    PrepareTextDialog(true);
    EXPECT_EQ(Items(TextDlg, "FontType"), QStringList({"0  (12x24)", "1  (8x12)", "2  (10x16)", "3  (12x20)", "4  (14x24)",
                                                       "5  (32x48)", "K  h=30", "B  h=7"}));
    EXPECT_EQ(TextDlg->FontType->currentText(), "B  h=7");

    // The font went away: the list falls back to item 2.
    DeleteFigure(FigureList.FigureTail);
    TextDlg->FillFontList();
    EXPECT_EQ(TextDlg->FontType->count(), 7);
    EXPECT_EQ(TextDlg->FontType->currentIndex(), 2);
}

TEST_F(FigureDialogTest, AFontTheListDoesNotOfferIsKept)
{
    TextTemplate.Font = 9;  // a soft font the label no longer has
    AddNewFigure = 0;
    PrepareTextDialog(true);
    EXPECT_EQ(TextDlg->FontType->currentIndex(), -1);
    ClickOk(TextDlg);
    EXPECT_EQ(TextTemplate.Font, 9);
}

TEST_F(FigureDialogTest, TextDialogWritesEveryControlBack)
{
    AddNewFigure = 0;
    PrepareTextDialog(true);
    TTextDlg* d = TextDlg;
    d->SizeX->setCurrentIndex(7);
    d->SizeY->setCurrentIndex(8);
    d->FontType->setCurrentIndex(0);
    d->FontStyle->setCurrentIndex(3);
    d->TextRot->setCurrentIndex(1);
    d->R2L->setChecked(true);
    d->TextData->setText("");
    ClickOk(d);
    const TTextFigure& t = TextTemplate;
    EXPECT_EQ(t.HMult, 8);
    EXPECT_EQ(t.VMult, 9);
    EXPECT_EQ(t.Font, 0);
    EXPECT_EQ(t.Attributes, 0x83);
    EXPECT_EQ(t.Rotation, 1);
    EXPECT_TRUE(t.Data.empty());
}

TEST_F(FigureDialogTest, TextDataIsTranslatedBothWays)
{
    // The printer's code page 437: 0x81 is u-umlaut, 0x82 e-acute.
    TextTemplate.Data = "\"\x81\"";
    AddNewFigure = 0;
    PrepareTextDialog(true);
    EXPECT_EQ(TextDlg->TextData->text(), QString::fromUtf8("\"\u00fc\""));
    TextDlg->TextData->setText(QString::fromUtf8("\"\u00e9\""));
    ClickOk(TextDlg);
    EXPECT_EQ(TextTemplate.Data, "\"\x82\"");

    // A character the dialogs' code page lacks arrives as '?'.
    PrepareTextDialog(true);
    TextDlg->TextData->setText(QString::fromUtf8("\u03a9"));
    ClickOk(TextDlg);
    EXPECT_EQ(TextTemplate.Data, "?");
}

TEST_F(FigureDialogTest, TextDataKeepsAtMost63Characters)
{
    AddNewFigure = 0;
    PrepareTextDialog(true);
    TextDlg->TextData->setText(QString(70, 'x'));
    ClickOk(TextDlg);
    EXPECT_EQ(TextTemplate.Data.str(), std::string(63, 'x'));
}

struct DirectionCase {
    std::uint8_t enableRlDir;
    std::int32_t language;
    bool r2lShown, useEnShown;
};

class TextDirectionBoxes : public FigureDialogTest, public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(TextDirectionBoxes, ShowOnlyWhereTheSettingsOfferThem)
{
    Settings.EnableRlDir = GetParam().enableRlDir;
    LabelSetup.Language = GetParam().language;
    bool r2l = !GetParam().r2lShown;
    bool useEn = !GetParam().useEnShown;
    WhenModalNamed("TextDlg", [&](QWidget* dialog) {
        r2l = TextDlg->R2L->isVisible();
        useEn = TextDlg->UseEn->isVisible();
        ClickCancel(dialog);
    });
    DrawFigureWithDialog(0, {0, 0}, {0, 0});
    EXPECT_EQ(r2l, GetParam().r2lShown);
    EXPECT_EQ(useEn, GetParam().useEnShown);
}

INSTANTIATE_TEST_SUITE_P(Settings, TextDirectionBoxes,
                         ::testing::Values(DirectionCase{0, 12, false, false}, DirectionCase{1, 0, true, false},
                                           DirectionCase{1, 12, true, true}));

TEST_F(FigureDialogTest, HiddenDirectionBoxesKeepTheFiguresBits)
{
    Settings.EnableRlDir = 0;
    TFigure* text = Add(TTextFigure{0, 0, 1, 1, 0, 0x181, 0, 0, {}});
    WhenModalNamed("TextDlg", [](QWidget* dialog) {
        Choose(dialog, "FontStyle", 2);
        ClickOk(dialog);
    });
    EditFigureWithDialog(*text);
    EXPECT_EQ(text->Text().Attributes, 0x182);
}

TEST_F(FigureDialogTest, BarcodeDialogFillsAndWritesBackItsLists)
{
    BarcodeTemplate.Type = 28;
    BarcodeTemplate.Narrow = 6;
    BarcodeTemplate.Wide = 10;
    BarcodeTemplate.HumanReadable = 3;
    BarcodeTemplate.Rotation = 2;
    AddNewFigure = 0;
    PrepareBarcodeDialog(true);
    TBarcodeDlg* d = BarcodeDlg;
    EXPECT_EQ(d->windowTitle(), "Edit Barcode");
    EXPECT_EQ(d->BarType->count(), 29);
    EXPECT_EQ(d->BarType->itemText(0), "Code 39");
    EXPECT_EQ(d->BarType->itemText(8), "EAN 13");
    EXPECT_EQ(d->BarType->currentText(), "EAN 13 with int. check digit (5 add-on's)");
    EXPECT_EQ(d->NarrowBar->currentText(), "6");
    EXPECT_EQ(d->WideBar->currentText(), "10");
    EXPECT_EQ(d->HRtext->currentText(), "Right");
    EXPECT_EQ(d->BarRot->currentText(), "180 deg");
    EXPECT_EQ(Items(d, "HRtext"), QStringList({"None", "Left", "Center", "Right"}));

    d->NarrowBar->setCurrentIndex(0);
    d->WideBar->setCurrentIndex(0);
    d->HRtext->setCurrentIndex(0);
    d->BarType->setCurrentIndex(3);
    ClickOk(d);
    EXPECT_EQ(BarcodeTemplate.Narrow, 1);
    EXPECT_EQ(BarcodeTemplate.Wide, 2);
    EXPECT_EQ(BarcodeTemplate.HumanReadable, 0);
    EXPECT_EQ(BarcodeTemplate.Type, 3);
}

TEST_F(FigureDialogTest, BarcodeDataIsStoredAsTyped)
{
    AddNewFigure = 0;
    PrepareBarcodeDialog(true);
    BarcodeDlg->BarData->setText(QString::fromUtf8("\"\u00fc12\""));
    ClickOk(BarcodeDlg);
    // Code page 1252 as typed, not translated to the printer's 437.
    EXPECT_EQ(BarcodeTemplate.Data, "\"\xfc" "12\"");
    PrepareBarcodeDialog(true);
    EXPECT_EQ(BarcodeDlg->BarData->text(), QString::fromUtf8("\"\u00fc12\""));
}

}  // namespace
}  // namespace zk::test
