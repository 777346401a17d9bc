#include "ui/dialogs/line_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "engine/model/templates.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TLineDlg* LineDlg = nullptr;

TLineDlg::TLineDlg(QWidget* parent) : TFigureDialog("LineDlg", 132, parent)
{
    StartX = AddNumberField("StartX", "Start X:");
    StartY = AddNumberField("StartY", "Start Y:");
    EndX = AddNumberField("EndX", "End X:");
    EndY = AddNumberField("EndY", "End Y:");
    LineThickness = AddNumberField("LineThickness", "Thickness:");
    LineColor = AddChoiceField("LineColor", "Color:", {"Black", "Inverse", "White"});
    FinishForm();
    LineDlg = this;
}

TLineDlg::~TLineDlg()
{
    if (LineDlg == this) {
        LineDlg = nullptr;
    }
}

void PrepareLineDialog(bool edit, TPoint start, TPoint end)
{
    TLineDlg* dialog = LineDlg;
    TLineFigure& t = LineTemplate;
    if (!edit) {
        PlaceDrawnFigure(t, start, end);
    }
    dialog->setWindowTitle(edit ? "Edit Diagonal Line" : "Draw Diagonal Line");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->StartX, t.X1);
    TFigureDialog::SetNumber(dialog->StartY, t.Y1);
    TFigureDialog::SetNumber(dialog->EndX, t.X2);
    TFigureDialog::SetNumber(dialog->EndY, t.Y2);
    TFigureDialog::SetNumber(dialog->LineThickness, t.Thickness);
    TFigureDialog::SetChoice(dialog->LineColor, t.Mode);
}

void TLineDlg::OkBtClick()
{
    TLineFigure& t = LineTemplate;
    ReadBounded(StartX, -607, 607, t.X1);
    ReadBounded(StartY, -1539, 1539, t.Y1);
    ReadBounded(EndX, -607, 607, t.X2);
    ReadBounded(EndY, -1539, 1539, t.Y2);
    ReadBounded(LineThickness, 1, 40, t.Thickness);
    ReadChoice(LineColor, t.Mode);
    AcceptTemplate(t);
}

}  // namespace zk
