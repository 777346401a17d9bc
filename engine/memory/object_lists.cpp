// Listing printer objects into the store-as and object list dialogs, the
// active-form query and deletion.

#include <cstdio>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

namespace {

struct TListCommand {
    const char* Command;
    const char* PresentMsg;
    const char* Status;
};

TListCommand ListCommandFor(std::int16_t kind)
{
    switch (kind) {
    case ObjectKindGraphics:
        return {"\r\nUG\r\n", "Existing graphics:", "Receiving graphics list"};
    case ObjectKindFont:
        return {"\r\nUE\r\n", "Existing fonts:", "Receiving font list"};
    default:
        return {"\r\nUF\r\n", "Existing forms:", "Receiving form list"};
    }
}

// The memory use reply: form, graphics and font bytes, and bytes free.
struct TMemoryUse {
    unsigned Forms = 0;
    unsigned Graphics = 0;
    unsigned Fonts = 0;
    unsigned Free = 0;
};

TMemoryUse ParseMemoryUse(const std::string& line)
{
    TMemoryUse use;
    std::sscanf(line.c_str(), "%u,%u,%u,%u", &use.Forms, &use.Graphics, &use.Fonts, &use.Free);
    return use;
}

}  // namespace

void ReceiveActiveFormName()
{
    TExchangeGuard exchange;
    ActiveFormName = FixedString<32>{};
    if (!OpenPort()) {
        return;
    }
    PrinterPrintf("\r\nFA\r\n");
    if (CommLink.WriteAborted == 0) {
        ShowCommunicating("Receiving active form name");
        std::string line;
        ReceiveLineDroppingRest(line, CountLineSize);
        // A longer name cut short would select another form: no active form.
        if (CommLink.LineTooLong != 0) {
            line.clear();
        }
        ActiveFormName = line;
        PrintDialogCaption = line.empty() ? "Print" : "Print - " + line;
        ReportNoResponse();
    }
    ClosePort();
}

bool ReceiveObjectNames(std::int16_t kind)
{
    TExchangeGuard exchange;
    StoreAsDlg.FList.Clear();
    if (!OpenPort()) {
        return false;
    }
    const TListCommand list = ListCommandFor(kind);
    StoreAsDlg.PresentMsg = list.PresentMsg;
    PrinterPrintf("%s", list.Command);
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    unsigned count = 0;
    if (!ReceiveCount(count)) {
        ClosePort();
        return false;
    }
    StoreAsDlg.ObjName.clear();
    if (!ReceiveNames(count, NameLineSize, [](std::string name) { StoreAsDlg.FList.Add(std::move(name)); })) {
        ClosePort();
        return false;
    }
    ClosePort();
    PrinterObjectKind = kind;
    return true;
}

bool ReceiveObjectList(std::int16_t kind)
{
    TExchangeGuard exchange;
    ShowCommunicating(ListCommandFor(kind).Status);
    const bool received = ReceiveObjectNames(kind);
    ReportNoResponse();
    return received;
}

bool FillObjectListDialog(std::int16_t kind)
{
    TExchangeGuard exchange;
    ObjListDlg.FList.Clear();
    if (!OpenPort()) {
        return false;
    }
    PrinterPrintf("\r\nUM\r\n");
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    std::string line;
    ReceiveLineDroppingRest(line, NameLineSize);
    if (CommLink.LinkError != 0) {
        ClosePort();
        return false;
    }
    const TMemoryUse use = ParseMemoryUse(line);
    const unsigned used = kind == ObjectKindGraphics ? use.Graphics : kind == ObjectKindFont ? use.Fonts : use.Forms;
    ObjListDlg.EditBtVisible = kind == ObjectKindForm;
    PrinterPrintf("%s", ListCommandFor(kind).Command);
    if (CommLink.WriteAborted != 0) {
        ClosePort();
        return false;
    }
    unsigned count = 0;
    if (!ReceiveCount(count)) {
        ClosePort();
        return false;
    }
    ObjListDlg.Caption = std::string(ObjectKindWord(kind)) + " list - " + std::to_string(count) + " object" +
                         (count != 1 ? "s" : "");
    ObjListDlg.MemInfo = std::to_string(used) + " bytes , " + std::to_string(use.Free) + " free";
    if (!ReceiveNames(count, NameLineSize, [](std::string name) { ObjListDlg.FList.Add(std::move(name)); })) {
        ClosePort();
        return false;
    }
    ClosePort();
    PrinterObjectKind = kind;
    return true;
}

bool ReceiveObjectListDialog(std::int16_t kind)
{
    TExchangeGuard exchange;
    ShowCommunicating(ListCommandFor(kind).Status);
    const bool received = FillObjectListDialog(kind);
    ReportNoResponse();
    return received;
}

std::string PickPrinterFontName()
{
    if (!ReceiveObjectListDialog(ObjectKindFont)) {
        return {};
    }
    ObjListPickName = 1;
    ObjListChosenName.clear();
    Ui().ShowObjectListDialog();
    ObjListPickName = 0;
    return ObjListChosenName;
}

bool DeleteObject(const std::string& name)
{
    TExchangeGuard exchange;
    switch (PrinterObjectKind) {
    case ObjectKindForm:
        PrinterPrintf("\r\nFK\"%s\"\r\n", name.c_str());
        break;
    case ObjectKindGraphics:
        PrinterPrintf("\r\nGK\"%s\"\r\n", name.c_str());
        break;
    case ObjectKindFont:
        PrinterPrintf("\r\nEK\"%s\"\r\n", name.c_str());
        break;
    default:
        return false;
    }
    if (CommLink.WriteAborted != 0) {
        return false;
    }
    return ReceiveObjectListDialog(PrinterObjectKind);
}

}  // namespace zk
