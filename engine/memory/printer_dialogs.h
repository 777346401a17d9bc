#pragma once
// What the printer-memory operations hand to and take from their dialogs:
// the kind of object the dialogs act on, the store-as and object-list
// contents the engine fills before each showing, and the choices the
// dialogs hand back. The dialogs themselves only show and edit these.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/fixed_string.h"

namespace zk {

// PrinterObjectKind values.
inline constexpr std::int16_t ObjectKindForm = 0;
inline constexpr std::int16_t ObjectKindGraphics = 1;
inline constexpr std::int16_t ObjectKindFont = 2;
inline constexpr std::int16_t ObjectKindCurrentLabel = 3;  // a form made from the label being edited

// The kind whose list the dialogs show, set by each successful list exchange.
extern std::int16_t PrinterObjectKind;
// 1 while the store-as dialog picks the printer's new active form.
extern std::uint8_t StoreAsSelectMode;
// The printer's active form as FA last reported it; empty = none.
extern FixedString<32> ActiveFormName;
// Caption of the stored-form print dialog, "Print - NAME" or "Print".
extern std::string PrintDialogCaption;

// A list box that keeps its entries sorted, as the dialogs' lists do.
struct TSortedNames {
    std::vector<std::string> Items;

    void Clear() { Items.clear(); }
    void Add(std::string name);
    bool Contains(std::string_view name) const;
};

inline constexpr std::size_t ObjectNameMaxLength = 8;
inline constexpr std::size_t FontNameMaxLength = 1;

struct TStoreAsDialog {
    std::string Caption = "Store as";
    std::string PresentMsg;  // "Existing forms:" and the like
    TSortedNames FList;
    std::string ObjName;     // the name typed or picked
    std::size_t ObjNameMaxLength = ObjectNameMaxLength;
};

struct TObjListDialog {
    std::string Caption = "Object List";
    std::string MemInfo;  // "%u bytes , %u free"
    TSortedNames FList;
    bool EditBtVisible = true;  // forms only
};

extern TStoreAsDialog StoreAsDlg;
extern TObjListDialog ObjListDlg;

// The name picked in the object list's name-pick mode; empty = nothing.
extern std::string ObjListChosenName;
// Request: the next showing of the object list picks a name.
extern std::uint8_t ObjListPickName;
// The file the open dialog chose last, which the store-as dialog's Store
// action sends for forms and fonts.
extern std::string LoadFilesDlgFileName;

// The store-as dialog's close: select mode ends and the name field takes
// 8 characters again.
void StoreAsDialogClosed();

// Program start.
void ResetPrinterDialogState();

}  // namespace zk
