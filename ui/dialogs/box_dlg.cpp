#include "ui/dialogs/box_dlg.h"

#include <QLineEdit>

#include "engine/model/templates.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TBoxDlg* BoxDlg = nullptr;

TBoxDlg::TBoxDlg(QWidget* parent) : TFigureDialog("BoxDlg", 133, parent)
{
    BoxLeft = AddNumberField("BoxLeft", "Left:");
    BoxTop = AddNumberField("BoxTop", "Top:");
    BoxRight = AddNumberField("BoxRight", "Right:");
    BoxBottom = AddNumberField("BoxBottom", "Bottom:");
    BoxThickness = AddNumberField("BoxThickness", "Thickness:");
    FinishForm();
    BoxDlg = this;
}

TBoxDlg::~TBoxDlg()
{
    if (BoxDlg == this) {
        BoxDlg = nullptr;
    }
}

void PrepareBoxDialog(bool edit, TPoint start, TPoint end)
{
    TBoxDlg* dialog = BoxDlg;
    TBoxFigure& t = BoxTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start, end);
    }
    dialog->setWindowTitle(edit ? "Edit Box" : "Draw Box");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->BoxLeft, t.X1);
    TFigureDialog::SetNumber(dialog->BoxTop, t.Y1);
    TFigureDialog::SetNumber(dialog->BoxRight, t.X2);
    TFigureDialog::SetNumber(dialog->BoxBottom, t.Y2);
    TFigureDialog::SetNumber(dialog->BoxThickness, t.Thickness);
}

void TBoxDlg::OkBtClick()
{
    TBoxFigure& t = BoxTemplate;
    ReadBounded(BoxLeft, -607, 607, t.X1);
    ReadBounded(BoxTop, -1539, 1539, t.Y1);
    ReadBounded(BoxRight, -607, 607, t.X2);
    ReadBounded(BoxBottom, -1539, 1539, t.Y2);
    ReadBounded(BoxThickness, 1, 40, t.Thickness);
    AcceptTemplate(t);
}

}  // namespace zk
