#pragma once
// Checks of the values typed into the dialogs' fields.

#include <cstdint>
#include <string>
#include <string_view>

namespace zk {

// The text as a decimal integer (blanks around it and a sign allowed), or
// fallback when it is not one or does not fit 32 bits.
std::int32_t TextToIntDef(std::string_view text, std::int32_t fallback);

// True when min <= TextToIntDef(text, fallback) <= max. Dialogs pass the
// field's current value as fallback, so text that is no number keeps it.
bool CheckIntRange(std::string_view text, std::int32_t min, std::int32_t max, std::int32_t fallback);

// A date format of one to three two-letter items at positions 0, 3 and 6
// with any separator between: "DD" day, "MN" or "ME" month, "Y2" or "Y4"
// year, each at most once. The items are upper-cased in text; on success
// text is stored as the label's DateFormat.
bool CheckDateFormat(std::string& text);

// A time format of one to three letters at positions 0, 2 and 4 with any
// separator between: "H", "M", "S", each at most once. Upper-cased in
// text; on success stored as the label's TimeFormat.
bool CheckTimeFormat(std::string& text);

}  // namespace zk
