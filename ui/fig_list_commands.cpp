// The main window's commands that open the figure list and the align
// dialog.

#include "engine/report/reporting.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/main_window.h"

namespace zk {

void TZKedit::AlignMClick()
{
    TAlignDlg dialog(this);
    dialog.exec();
}

void TZKedit::EditfromListMClick()
{
    TFigListDlg dialog(this);
    dialog.FillFigureListRows();
    if (dialog.GridRowCount() <= 1) {
        ShowMessageBox("Error", "No figures defined");
        return;
    }
    dialog.SetupFigureListGrid();
    dialog.exec();
}

}  // namespace zk
