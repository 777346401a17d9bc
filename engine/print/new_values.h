#pragma once
// New values for the variables and counters of the form stored in the
// printer: sent on their own, or with a print of that form.

#include <string>

namespace zk {

// "?" and one line per defined variable, then counter, in slot order: a
// variable's value ends with CR LF (an empty one is sent as a blank), a
// counter's with a bare LF (an empty one as "0" with CR LF). A CR or LF
// inside a value is dropped, so that a value never ends early.
std::string NewValueLines();

// Sends the new values to the printer's active form. False when the port
// did not open or a byte was refused.
bool SendNewValues();

// Selects formName, sends the new values and prints Settings.PrintSets
// sets of Settings.PrintCopies copies; when every byte went out the
// counters advance by the number of sets and the result is true.
bool PrintFormWithNewValues(const std::string& formName);

}  // namespace zk
