#include "ui/dialogs/figure_dialogs.h"

#include "ui/dialogs/bar_dlg.h"
#include "ui/dialogs/barcode_dlg.h"
#include "ui/dialogs/box_dlg.h"
#include "ui/dialogs/dialog_protocol.h"
#include "ui/dialogs/line_dlg.h"
#include "ui/dialogs/pdf417_dlg.h"
#include "ui/dialogs/picture_dlg.h"
#include "ui/dialogs/text_dlg.h"

namespace zk {

void InstallFigureDialogs(QWidget* parent)
{
    // Owned by parent; each dialog clears its global when it goes, and the
    // protocol skips a kind whose dialog is gone.
    new TTextDlg(parent);
    new TBarcodeDlg(parent);
    new TBarDlg(parent);
    new TBoxDlg(parent);
    new TLineDlg(parent);
    new TPictureDlg(parent);
    new TPdf417Dlg(parent);
    ResetDialogProtocol();
    EditingHooks.DrawFigure = DrawFigureWithDialog;
    EditingHooks.EditFigure = [](TFigure& figure) { EditFigureWithDialog(figure); };
    EditingHooks.FillFontList = [] {
        if (TextDlg != nullptr) {
            TextDlg->FillFontList();
        }
    };
}

}  // namespace zk
