#include "ui/dialogs/pdf417_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include "engine/model/templates.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk {

TPdf417Dlg* Pdf417Dlg = nullptr;

namespace {

constexpr int DataStrLength = static_cast<int>(decltype(Pdf417DataBuffer)::Capacity);

}  // namespace

TPdf417Dlg::TPdf417Dlg(QWidget* parent) : TFigureDialog("Pdf417Dlg", 161, parent)
{
    StartX = AddNumberField("StartX", "X:", 5);
    StartY = AddNumberField("StartY", "Y:", 5);
    MaxWidth = AddNumberField("MaxWidth", "Max. width:", 5);
    MaxHeight = AddNumberField("MaxHeight", "Max. height:", 5);
    ModWidth = AddNumberField("ModWidth", "Module width:", 2);
    ModHeight = AddNumberField("ModHeight", "Module height:", 3);
    MaxRows = AddNumberField("MaxRows", "Max. rows:", 4);
    MaxCols = AddNumberField("MaxCols", "Max. columns:", 4);
    ECLevel = AddChoiceField("ECLevel", "Error correction:",
                             {"Auto", "0 (2 CW)", "1 (4 CW)", "2 (8 CW)", "3 (16 CW)", "4 (32 CW)", "5 (64 CW)",
                              "6 (128 CW)", "7 (256 CW)", "8 (512 CW)"});
    Compaction = AddChoiceField("Compaction", "Compression:", {"Auto", "Binary"});
    Rotation = AddChoiceField("Rotation", "Rotation:", {"None", "90 deg", "180 deg", "270 deg"});
    Position = AddChoiceField("Position", "Position:", {"Top Left", "Center"});
    DataStr = AddTextField("DataStr", "Data:", DataStrLength);
    FinishForm();
    Pdf417Dlg = this;
}

TPdf417Dlg::~TPdf417Dlg()
{
    if (Pdf417Dlg == this) {
        Pdf417Dlg = nullptr;
    }
}

void PreparePdf417Dialog(bool edit, TPoint start, TPoint end)
{
    TPdf417Dlg* dialog = Pdf417Dlg;
    TPdf417Figure& t = Pdf417Template;
    if (!edit) {
        PlaceDrawnFigure(t, start, end);
    }
    dialog->setWindowTitle(edit ? "Edit barcode PDF417" : "Draw barcode PDF417");
    DialogAccepted = 0;
    dialog->Place();
    TFigureDialog::SetNumber(dialog->StartX, t.X);
    TFigureDialog::SetNumber(dialog->StartY, t.Y);
    TFigureDialog::SetNumber(dialog->MaxWidth, t.MaxWidth);
    TFigureDialog::SetNumber(dialog->MaxHeight, t.MaxHeight);
    TFigureDialog::SetNumber(dialog->ModWidth, t.ModuleWidth);
    TFigureDialog::SetNumber(dialog->ModHeight, t.ModuleHeight);
    TFigureDialog::SetNumber(dialog->MaxRows, t.MaxRows);
    TFigureDialog::SetNumber(dialog->MaxCols, t.MaxCols);
    TFigureDialog::SetChoice(dialog->ECLevel, t.SecurityLevel);
    TFigureDialog::SetChoice(dialog->Compaction, t.Compaction);
    TFigureDialog::SetChoice(dialog->Rotation, t.Rotation);
    TFigureDialog::SetChoice(dialog->Position, t.Position);
    dialog->DataStr->setText(TFigureDialog::FromCp1252(Pdf417DataBuffer.view()));
}

void TPdf417Dlg::OkBtClick()
{
    TPdf417Figure& t = Pdf417Template;
    ReadBounded(StartX, -607, 607, t.X);
    ReadBounded(StartY, -1539, 1539, t.Y);
    ReadBounded(MaxWidth, 0, 607, t.MaxWidth);
    ReadBounded(MaxHeight, 0, 1539, t.MaxHeight);
    ReadBounded(ModWidth, 2, 8, t.ModuleWidth);
    ReadBounded(ModHeight, 4, 99, t.ModuleHeight);
    ReadBounded(MaxRows, 3, 90, t.MaxRows);
    ReadBounded(MaxCols, 5, 34, t.MaxCols);
    ReadChoice(ECLevel, t.SecurityLevel);
    ReadChoice(Compaction, t.Compaction);
    ReadChoice(Rotation, t.Rotation);
    ReadChoice(Position, t.Position);
    Pdf417DataBuffer = ToCp1252(DataStr->text());
    // The template's own copy of the text; an appended figure copies it, an
    // edited figure takes it with the template.
    t.Data = Pdf417DataBuffer.str();
    AcceptTemplate(t);
}

}  // namespace zk
