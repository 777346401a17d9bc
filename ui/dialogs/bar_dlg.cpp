#include "ui/dialogs/bar_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "engine/model/templates.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TBarDlg* BarDlg = nullptr;

TBarDlg::TBarDlg(QWidget* parent) : TFigureDialog("BarDlg", 131, parent)
{
    RectLeft = AddNumberField("RectLeft", "Left:");
    RectTop = AddNumberField("RectTop", "Top:");
    RectWidth = AddNumberField("RectWidth", "Width:");
    RectHeight = AddNumberField("RectHeight", "Height:");
    RectColor = AddChoiceField("RectColor", "Color:", {"Black", "Inverse", "White"});
    FinishForm();
    BarDlg = this;
}

TBarDlg::~TBarDlg()
{
    if (BarDlg == this) {
        BarDlg = nullptr;
    }
}

void PrepareBarDialog(bool edit, TPoint start, TPoint end)
{
    TBarDlg* dialog = BarDlg;
    TBarFigure& t = BarTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start, end);
    }
    dialog->setWindowTitle(edit ? "Edit Rectangle" : "Draw Rectangle");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->RectLeft, t.X);
    TFigureDialog::SetNumber(dialog->RectTop, t.Y);
    TFigureDialog::SetNumber(dialog->RectWidth, t.Width);
    TFigureDialog::SetNumber(dialog->RectHeight, t.Height);
    TFigureDialog::SetChoice(dialog->RectColor, t.Mode);
}

void TBarDlg::OkBtClick()
{
    TBarFigure& t = BarTemplate;
    ReadBounded(RectLeft, -607, 607, t.X);
    ReadBounded(RectTop, -1999, 1999, t.Y);
    ReadBounded(RectWidth, 0, 608, t.Width);
    ReadBounded(RectHeight, 0, 2000, t.Height);
    ReadChoice(RectColor, t.Mode);
    AcceptTemplate(t);
}

}  // namespace zk
