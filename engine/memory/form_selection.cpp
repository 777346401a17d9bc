// Making a stored form the printer's active form, and loading one into the
// editor.

#include "engine/formread/receive_form.h"
#include "engine/formread/variable_reply.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

void SelectFormAndReceiveVariables()
{
    TExchangeGuard exchange;
    if (!OpenPort()) {
        return;
    }
    ShowCommunicating("Receiving active form name");
    PrinterPrintf("\r\nFR\"%s\"\r\n", StoreAsDlg.ObjName.c_str());
    if (CommLink.WriteAborted == 0) {
        Ui().Pause(50);
        StatusBoxEnabled = 0;
        ReceiveActiveFormName();
        if (CommLink.LinkError == 0) {
            ShowCommunicating("Receiving variables");
            ReceiveVariables(VariablesTargetLabel);
        }
        StatusBoxEnabled = 1;
        ReportNoResponse();
    }
    ClosePort();
}

void LoadFormFromPrinter(const std::string& name)
{
    TExchangeGuard exchange;
    Ui().CloseObjectListDialog();
    ShowCommunicating("Receiving form \"" + name + "\"");
    StatusBoxEnabled = 0;
    TFormLoadNotes notes;
    const bool loaded = ReceiveForm(name, notes);
    GraphicsNameList.clear();
    FontNameList.clear();
    StatusBoxEnabled = 1;
    // A load that failed left the label as it was; only the reason is told.
    const std::string left = DescribeFormLoadNotes(notes);
    if (!notes.Refusal.empty()) {
        SetMessageBoxError("Error", notes.Refusal);
    } else if (loaded && !left.empty()) {
        SetMessageBoxError("Warning", left);
    } else {
        ReportNoResponse();
    }
}

}  // namespace zk
