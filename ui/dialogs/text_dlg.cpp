#include "ui/dialogs/text_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "engine/config/translation.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/softfont/font_lists.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TTextDlg* TextDlg = nullptr;

namespace {

// The text template travels through the dialog with at most 63 characters.
constexpr int TextDataLength = 63;
// The language whose texts may also use the English glyph set.
constexpr std::int32_t ArabicLanguage = 12;

const QStringList RotationItems{"None", "90 deg", "180 deg", "270 deg"};

}  // namespace

TTextDlg::TTextDlg(QWidget* parent) : TFigureDialog("TextDlg", 129, parent)
{
    StartX = AddNumberField("StartX", "X:");
    StartY = AddNumberField("StartY", "Y:");
    SizeX = AddChoiceField("SizeX", "Horizontal size:", NumberItems(1, 8));
    SizeY = AddChoiceField("SizeY", "Vertical size:", NumberItems(1, 9));
    FontType = AddChoiceField("FontType", "Font:", {});
    FontStyle = AddChoiceField("FontStyle", "Style:", {"Normal", "Inverse", "Bold", "BoldInv"});
    TextRot = AddChoiceField("TextRot", "Rotation:", RotationItems);
    TextData = AddTextField("TextData", "Data:", TextDataLength);
    R2L = AddCheckBox("R2L", "Reverse Direction");
    UseEn = AddCheckBox("UseEn", "Use English");
    FinishForm();
    FillFontList();
    TextDlg = this;
}

TTextDlg::~TTextDlg()
{
    if (TextDlg == this) {
        TextDlg = nullptr;
    }
}

// Shows the engine's font list: the resident fonts, then the label's soft fonts.
void TTextDlg::FillFontList()
{
    TextDlgFontType.Selected = FontType->currentIndex();
    zk::FillFontList();
    FontType->clear();
    for (const std::string& item : TextDlgFontType.Items) {
        FontType->addItem(FromCp1252(item));
    }
    FontType->setCurrentIndex(TextDlgFontType.Selected);
}

void TTextDlg::FormShow()
{
    TFigureDialog::FormShow();
    SetRowVisible(R2L, Settings.EnableRlDir != 0);
    SetRowVisible(UseEn, Settings.EnableRlDir != 0 && LabelSetup.Language == ArabicLanguage);
    adjustSize();
}

void PrepareTextDialog(bool edit, TPoint start, TPoint /*end*/)
{
    TTextDlg* dialog = TextDlg;
    TTextFigure& t = TextTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start);
    }
    dialog->setWindowTitle(edit ? "Edit Text" : "Draw Text");
    DialogAccepted = 0;
    dialog->Place();
    dialog->FillFontList();
    TFigureDialog::SetNumber(dialog->StartX, t.X);
    TFigureDialog::SetNumber(dialog->StartY, t.Y);
    TFigureDialog::SetChoice(dialog->SizeX, t.HMult, 1);
    TFigureDialog::SetChoice(dialog->SizeY, t.VMult, 1);
    TFigureDialog::SetChoice(dialog->FontType, t.Font);
    TFigureDialog::SetChoice(dialog->FontStyle, t.Attributes & TextAttr::StyleMask);
    TFigureDialog::SetChoice(dialog->TextRot, t.Rotation);
    dialog->TextData->setText(TFigureDialog::FromCp1252(TranslateToAnsi(t.Data.view())));
    dialog->R2L->setChecked((t.Attributes & TextAttr::ReverseDirection) != 0);
    dialog->UseEn->setChecked((t.Attributes & TextAttr::UseEnglish) != 0);
}

void TTextDlg::OkBtClick()
{
    TTextFigure& t = TextTemplate;
    ReadBounded(StartX, -607, 607, t.X);
    ReadBounded(StartY, -1639, 1639, t.Y);
    ReadChoice(SizeX, t.HMult, 1);
    ReadChoice(SizeY, t.VMult, 1);
    ReadChoice(FontType, t.Font);
    // The style comes from the list, the two direction bits from the check
    // boxes; a style the list does not offer is kept.
    std::uint16_t attributes = t.Attributes & TextAttr::StyleMask;
    if (FontStyle->currentIndex() >= 0) {
        attributes = static_cast<std::uint16_t>(FontStyle->currentIndex());
    }
    if (R2L->isChecked()) {
        attributes |= TextAttr::ReverseDirection;
    }
    if (UseEn->isChecked()) {
        attributes |= TextAttr::UseEnglish;
    }
    t.Attributes = attributes;
    ReadChoice(TextRot, t.Rotation);
    t.Data = TranslateToOem(ToCp1252(TextData->text()));

    AcceptTemplate(t);
}

}  // namespace zk
