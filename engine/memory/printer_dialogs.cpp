#include "engine/memory/printer_dialogs.h"

#include <algorithm>

namespace zk {

std::int16_t PrinterObjectKind = ObjectKindForm;
std::uint8_t StoreAsSelectMode = 0;
FixedString<32> ActiveFormName;
std::string PrintDialogCaption = "Print";
TStoreAsDialog StoreAsDlg;
TObjListDialog ObjListDlg;
std::string ObjListChosenName;
std::uint8_t ObjListPickName = 0;
std::string LoadFilesDlgFileName;

void TSortedNames::Add(std::string name)
{
    const auto at = std::upper_bound(Items.begin(), Items.end(), name);
    Items.insert(at, std::move(name));
}

bool TSortedNames::Contains(std::string_view name) const
{
    return std::find(Items.begin(), Items.end(), name) != Items.end();
}

void StoreAsDialogClosed()
{
    StoreAsSelectMode = 0;
    StoreAsDlg.ObjNameMaxLength = ObjectNameMaxLength;
}

void ResetPrinterDialogState()
{
    PrinterObjectKind = ObjectKindForm;
    StoreAsSelectMode = 0;
    ActiveFormName = FixedString<32>{};
    PrintDialogCaption = "Print";
    StoreAsDlg = TStoreAsDialog{};
    ObjListDlg = TObjListDialog{};
    ObjListChosenName.clear();
    ObjListPickName = 0;
    LoadFilesDlgFileName.clear();
}

}  // namespace zk
