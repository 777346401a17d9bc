#include "ui/dialogs/dialog_protocol.h"

#include <QDialog>

#include "engine/labelfile/figure_room.h"
#include "engine/model/figure_list.h"
#include "engine/model/templates.h"
#include "engine/render/redraw.h"
#include "ui/dialogs/bar_dlg.h"
#include "ui/dialogs/barcode_dlg.h"
#include "ui/dialogs/box_dlg.h"
#include "ui/dialogs/line_dlg.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/text_dlg.h"

namespace zk {

std::uint8_t AddNewFigure = 1;
std::uint8_t DialogAccepted = 0;

namespace {

using PrepareFunction = void (*)(bool edit, TPoint start, TPoint end);

void RunDraw(QDialog* dialog, PrepareFunction prepare, TPoint start, TPoint end)
{
    if (dialog == nullptr) {
        return;
    }
    prepare(false, start, end);
    dialog->exec();
}

// The edit half of the protocol for one kind: the figure's payload into
// the template, the dialog, the template back into the figure.
template <typename Payload>
bool RunEdit(TFigure& figure, Payload& figureTemplate, QDialog* dialog, PrepareFunction prepare)
{
    if (dialog == nullptr) {
        return false;
    }
    figureTemplate = std::get<Payload>(figure.Payload);
    if constexpr (std::is_same_v<Payload, TPdf417Figure>) {
        Pdf417DataBuffer = figureTemplate.Data;
    }
    prepare(true, {}, {});
    AddNewFigure = 0;
    // The dialog runs an event loop: the figure is found again by its id
    // afterwards, so a figure gone meanwhile is not written.
    const TFigureId id = figure.Id;
    dialog->exec();
    if (TFigure* edited = FindFigure(id)) {
        if (auto* payload = std::get_if<Payload>(&edited->Payload)) {
            *payload = figureTemplate;
        }
    }
    if (DialogAccepted == 1) {
        RedrawLabel(RedrawEditor);
    }
    AddNewFigure = 1;
    return DialogAccepted == 1;
}

}  // namespace

void DrawFigureWithDialog(std::uint8_t tool, TPoint start, TPoint end)
{
    // Refused before the user fills in a dialog whose figure has no room.
    if (!CheckRoomForFigures(1)) {
        return;
    }
    switch (static_cast<TFigureKind>(tool)) {
    case TFigureKind::Text: RunDraw(TextDlg, PrepareTextDialog, start, end); break;
    case TFigureKind::Barcode: RunDraw(BarcodeDlg, PrepareBarcodeDialog, start, end); break;
    case TFigureKind::Bar: RunDraw(BarDlg, PrepareBarDialog, start, end); break;
    case TFigureKind::Line: RunDraw(LineDlg, PrepareLineDialog, start, end); break;
    case TFigureKind::Box: RunDraw(BoxDlg, PrepareBoxDialog, start, end); break;
    case TFigureKind::Picture: RunDraw(PictureDlg, PreparePictureDialog, start, end); break;
    case TFigureKind::Pdf417: RunDraw(Pdf417Dlg, PreparePdf417Dialog, start, end); break;
    case TFigureKind::Font: break;
    }
}

bool EditFigureWithDialog(TFigure& figure)
{
    switch (figure.Kind()) {
    case TFigureKind::Text: return RunEdit(figure, TextTemplate, TextDlg, PrepareTextDialog);
    case TFigureKind::Barcode: return RunEdit(figure, BarcodeTemplate, BarcodeDlg, PrepareBarcodeDialog);
    case TFigureKind::Bar: return RunEdit(figure, BarTemplate, BarDlg, PrepareBarDialog);
    case TFigureKind::Line: return RunEdit(figure, LineTemplate, LineDlg, PrepareLineDialog);
    case TFigureKind::Box: return RunEdit(figure, BoxTemplate, BoxDlg, PrepareBoxDialog);
    case TFigureKind::Picture: return RunEdit(figure, PictureTemplate, PictureDlg, PreparePictureDialog);
    case TFigureKind::Pdf417: return RunEdit(figure, Pdf417Template, Pdf417Dlg, PreparePdf417Dialog);
    case TFigureKind::Font: return false;
    }
    return false;
}

void ResetDialogProtocol()
{
    AddNewFigure = 1;
    DialogAccepted = 0;
}

}  // namespace zk
