// The main menu's and the toolbar's ways into the variables and print
// dialogs. Every entry point sets the new-values dialog's mode flags it
// depends on before showing a dialog.

#include "engine/formread/variable_reply.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/variables.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/new_var_dlg.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/test_print_dlg.h"
#include "ui/dialogs/var_cnt_dlg.h"
#include "ui/dialogs/via_drv_dlg.h"
#include "ui/dialogs/wprint_dlg.h"
#include "ui/main_window.h"
#include "ui/toolbar.h"
#include "ui/editor_hooks.h"

namespace zk {

namespace {

void ShowTestPrintDialog()
{
    if (RefuseDuringExchange()) {
        return;
    }
    DriverPrintMode = 0;
    if (DrawnFigureCount == 0) {
        ShowMessageBox("Error", "Nothing to print");
        return;
    }
    TTestPrintDlg& form = TestPrintDlg();
    form.PrepareTestPrintDialog();
    form.exec();
}

// Asks the printer for its active form and that form's variables, then
// takes sets and copies in the print dialog.
void PrintStoredFormCommand()
{
    DriverPrintMode = 0;
    if (RefuseDuringExchange()) {
        return;
    }
    {
        TExchangeGuard exchange;
        ShowCommunicating("Receiving active form name");
        StatusBoxEnabled = 0;
        ReceiveActiveFormName();
        if (CommLink.LinkError == 0) {
            ShowCommunicating("Receiving variables");
            ReceiveVariables(VariablesTargetLabel);
        }
        StatusBoxEnabled = 1;
        ReportNoResponse();
    }
    if (CommLink.LinkError != 0) {
        return;
    }
    // Texts may show the form's variables.
    RedrawLabel(RedrawEditor);
    TWPrintDlg& form = WPrintDlg();
    form.PreparePrintDialog();
    form.exec();
}

// The variables dialogs edit the values that a running exchange sends or
// fills in from the printer's reply, and offer printing themselves.
void ShowVariablesDialog()
{
    if (RefuseDuringExchange()) {
        return;
    }
    VarCntDlg().exec();
    // Texts may show the variables' values.
    RedrawLabel(RedrawEditor);
}

void ShowUpdateValuesDialog()
{
    if (RefuseDuringExchange()) {
        return;
    }
    const std::size_t count = CountDefinedVarsCounters();
    if (count == 0) {
        ShowMessageBox("Error", "No variables or counters defined");
        return;
    }
    UpdateOnlyMode = 1;
    NewVarDlg().PrepareNewValuesDialog(static_cast<int>(count), false);
    NewVarDlg().exec();
    RedrawLabel(RedrawEditor);
}

}  // namespace

void TZKedit::TestPrintMClick() { ShowTestPrintDialog(); }

void TZKedit::PrintMClick() { PrintStoredFormCommand(); }

void TZKedit::VariablesMClick() { ShowVariablesDialog(); }

void TZKedit::NewValuesMClick() { ShowUpdateValuesDialog(); }

void TZKedit::PrintUsingDriver1Click()
{
    // The driver print draws the label whose values a running exchange may be filling in.
    if (RefuseDuringExchange()) {
        return;
    }
    ViaDrvDlg().exec();
}

void TZKToolbar::TPrintBtClick()
{
    m_mainWindow.FocusMainWindow();
    ShowTestPrintDialog();
}

void TZKToolbar::PrintBtClick()
{
    m_mainWindow.FocusMainWindow();
    PrintStoredFormCommand();
}

void TZKToolbar::VarBtClick()
{
    m_mainWindow.FocusMainWindow();
    DriverPrintMode = 0;
    ShowVariablesDialog();
}

void TZKToolbar::NewValuesBtClick()
{
    m_mainWindow.FocusMainWindow();
    DriverPrintMode = 0;
    ShowUpdateValuesDialog();
}

}  // namespace zk
