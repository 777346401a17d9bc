#include "ui/dialogs/barcode_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "engine/barcode/barcode_types.h"
#include "engine/model/templates.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TBarcodeDlg* BarcodeDlg = nullptr;

namespace {

constexpr int BarDataLength = decltype(TBarcodeFigure::Data)::Capacity;

QStringList BarcodeTypeItems()
{
    QStringList items;
    for (const TBarcodeTypeInfo& type : BarcodeTypes) {
        items << QString::fromLatin1(type.Name.data(), static_cast<qsizetype>(type.Name.size()));
    }
    return items;
}

}  // namespace

TBarcodeDlg::TBarcodeDlg(QWidget* parent) : TFigureDialog("BarcodeDlg", 130, parent)
{
    StartX = AddNumberField("StartX", "X:");
    StartY = AddNumberField("StartY", "Y:");
    BHeight = AddNumberField("BHeight", "Height:");
    NarrowBar = AddChoiceField("NarrowBar", "Narrow bar:", NumberItems(1, 6));
    WideBar = AddChoiceField("WideBar", "Wide bar:", NumberItems(2, 10));
    HRtext = AddChoiceField("HRtext", "Human readable:", {"None", "Left", "Center", "Right"});
    BarRot = AddChoiceField("BarRot", "Rotation:", {"None", "90 deg", "180 deg", "270 deg"});
    BarData = AddTextField("BarData", "Data:", BarDataLength);
    BarType = AddChoiceField("BarType", "Type:", BarcodeTypeItems());
    FinishForm();
    BarcodeDlg = this;
}

TBarcodeDlg::~TBarcodeDlg()
{
    if (BarcodeDlg == this) {
        BarcodeDlg = nullptr;
    }
}

void PrepareBarcodeDialog(bool edit, TPoint start, TPoint /*end*/)
{
    TBarcodeDlg* dialog = BarcodeDlg;
    TBarcodeFigure& t = BarcodeTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start);
    }
    dialog->setWindowTitle(edit ? "Edit Barcode" : "Draw Barcode");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->StartX, t.X);
    TFigureDialog::SetNumber(dialog->StartY, t.Y);
    TFigureDialog::SetNumber(dialog->BHeight, t.Height);
    TFigureDialog::SetChoice(dialog->NarrowBar, t.Narrow, 1);
    TFigureDialog::SetChoice(dialog->WideBar, t.Wide, 2);
    TFigureDialog::SetChoice(dialog->HRtext, t.HumanReadable);
    TFigureDialog::SetChoice(dialog->BarRot, t.Rotation);
    TFigureDialog::SetChoice(dialog->BarType, t.Type);
    // Barcode data are the printer's bytes as typed: no character translation.
    dialog->BarData->setText(TFigureDialog::FromCp1252(t.Data.view()));
}

void TBarcodeDlg::OkBtClick()
{
    TBarcodeFigure& t = BarcodeTemplate;
    ReadBounded(StartX, -607, 607, t.X);
    ReadBounded(StartY, -1999, 1999, t.Y);
    ReadBounded(BHeight, 24, 200, t.Height);
    ReadChoice(NarrowBar, t.Narrow, 1);
    ReadChoice(WideBar, t.Wide, 2);
    ReadChoice(HRtext, t.HumanReadable);
    ReadChoice(BarRot, t.Rotation);
    t.Data = ToCp1252(BarData->text());
    ReadChoice(BarType, t.Type);
    AcceptTemplate(t);
}

}  // namespace zk
