#pragma once
// Loading a form stored in the printer back into the editor as a label:
// its lines (FI), the pictures (GI) and soft fonts (EI) it uses, and the
// printer's variables (VI).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/print/command_lines.h"

namespace zk {

// The printer's graphics and font names in upper case, for one load.
extern std::vector<std::string> GraphicsNameList;
extern std::vector<std::string> FontNameList;

// UG and UE into the two lists; false on a link failure.
bool ReceivePrinterNameLists();
// One FI reply line into the label; a line it does not accept is skipped.
void ParseFormLine(std::string_view line);
// The line buffer of an FI reply: ReceiveLine gives a line up once size - 1
// characters are stored without its LF, so the longest line the writers
// make takes two more. A longer line is no line of ours and is refused whole.
inline constexpr std::size_t FormLineSize = LongestCommandLine + 2;

// What a load left out without failing, for the user to be told.
struct TFormLoadNotes {
    unsigned LinesTooLong = 0;  // FI lines longer than FormLineSize allows, skipped whole
    std::string RefusedFonts;   // letters of fonts whose EI reply was no usable font
};

// The whole load; false when the link failed at any step. The label is
// emptied first, so a failed load leaves it empty or partly filled.
bool ReceiveForm(const std::string& name, TFormLoadNotes& notes);
bool ReceiveForm(const std::string& name);
// The message that tells notes; empty when there is nothing to tell.
std::string DescribeFormLoadNotes(const TFormLoadNotes& notes);

}  // namespace zk
