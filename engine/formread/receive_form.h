#pragma once
// Loading a form stored in the printer back into the editor as a label:
// its lines (FI), the pictures (GI) and soft fonts (EI) it uses, and the
// printer's variables (VI).

#include <string>
#include <string_view>
#include <vector>

namespace zk {

// The printer's graphics and font names in upper case, for one load.
extern std::vector<std::string> GraphicsNameList;
extern std::vector<std::string> FontNameList;

// UG and UE into the two lists; false on a link failure.
bool ReceivePrinterNameLists();
// One FI reply line into the label; a line it does not accept is skipped.
void ParseFormLine(std::string_view line);
// What a load left out without failing, for the user to be told.
struct TFormLoadNotes {
    std::string RefusedFonts;  // letters of fonts whose EI reply was no usable font
};

// The whole load; false when the link failed at any step. The label is
// emptied first, so a failed load leaves it empty or partly filled.
bool ReceiveForm(const std::string& name, TFormLoadNotes& notes);
bool ReceiveForm(const std::string& name);
// The message that tells notes; empty when there is nothing to tell.
std::string DescribeFormLoadNotes(const TFormLoadNotes& notes);

}  // namespace zk
