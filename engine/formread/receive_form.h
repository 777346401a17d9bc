#pragma once
// Loading a form stored in the printer back into the editor as a label:
// its lines (FI), the pictures (GI) and soft fonts (EI) it uses, and the
// printer's variables (VI).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/label_model.h"
#include "engine/print/command_lines.h"

namespace zk {

// The printer's graphics and font names in upper case, for one load.
extern std::vector<std::string> GraphicsNameList;
extern std::vector<std::string> FontNameList;

// UG and UE into the two lists; false on a link failure.
bool ReceivePrinterNameLists();
// One FI reply line into the label being read; a line it does not accept is
// skipped.
void ParseFormLine(std::string_view line, TLabelModel& label);
// The line buffer of an FI reply: the longest line the writers make and
// its NUL. A longer line is no line of ours and is refused whole.
inline constexpr std::size_t FormLineSize = LongestCommandLine + 1;

// What a load left out without failing, for the user to be told, or why a
// form the printer sent was not loaded.
struct TFormLoadNotes {
    unsigned LinesTooLong = 0;  // FI lines longer than FormLineSize allows, skipped whole
    std::string RefusedFonts;   // letters of fonts whose EI reply was no usable font
    std::string Refusal;        // set when the form came but was not loaded
};

// The whole load; false when the link failed at any step or the form was
// refused (notes.Refusal). The form is read apart from the label, which it
// replaces only once everything has come: a load that fails leaves the
// label exactly as it was.
bool ReceiveForm(const std::string& name, TFormLoadNotes& notes);
bool ReceiveForm(const std::string& name);
// The message that tells notes; empty when there is nothing to tell.
std::string DescribeFormLoadNotes(const TFormLoadNotes& notes);

}  // namespace zk
