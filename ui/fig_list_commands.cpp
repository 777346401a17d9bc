// The main window's commands that open the figure list and the align
// dialog.

#include "engine/report/reporting.h"
#include "ui/dialogs/align_dlg.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/main_window.h"

namespace zk {

void TZKedit::AlignMClick()
{
    m_alignDlg->exec();
}

void TZKedit::EditfromListMClick()
{
    m_figListDlg->FillFigureListRows();
    if (m_figListDlg->GridRowCount() <= 1) {
        ShowMessageBox("Error", "No figures defined");
        return;
    }
    m_figListDlg->SetupFigureListGrid();
    m_figListDlg->exec();
}

}  // namespace zk
