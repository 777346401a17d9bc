#pragma once
// Numbers the program puts into a form's text fields. A field's length
// limit bounds what the user types; a value the program shows (from a label
// file, a printer's form or the configuration) may be longer, and is shown
// whole so that the user sees what the label holds. The form's range check
// on OK then keeps or refuses it as it does a typed value.

#include <cstdint>

class QLineEdit;

namespace zk {

// Shows value in decimal in field, whole: the field's limit grows to the
// value's length while it is shown (and returns to the form's own limit for
// shorter values), and the field is at least as wide as the text needs.
void ShowNumber(QLineEdit* field, std::int64_t value);

}  // namespace zk
