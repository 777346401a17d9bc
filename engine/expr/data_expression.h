#pragma once
// Evaluation of figure data expressions in the printer's syntax: quoted
// constants, variables, counters, date, time and week, with modifiers.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/model/variables.h"

namespace zk {

// 1 when the last evaluation failed, 0 when it succeeded.
extern std::uint8_t DataExpressionError;
// Characters produced by the last successful evaluation (NUL bytes count
// when decimal escapes are allowed).
extern std::int32_t DataExpressionLength;
// The copy of a referenced variable or counter that an offset adjusts, so
// that the label's own record never changes.
extern TVariable ExpressionWorkVariable;

inline constexpr std::string_view DataExpressionFailureText = "@@@@";

// Evaluates expr (up to its end or its first NUL) into out, NUL-terminated
// and bounded by out.size() (a longer result is cut). 1 on success; 0 on
// failure, with out = "@@@@".
int EvaluateDataExpression(std::span<char> out, std::string_view expr, bool allowDecimalEscapes);

enum class EvaluationOutcome { Failed, Done, TooLong };
// For a caller that can't use a result longer than out holds: the
// evaluation ends at the first character that doesn't fit (TooLong, out
// holding the result so far, cut to fit, DataExpressionError 0). Failed and
// Done are as EvaluateDataExpression's 0 and 1, for an expression whose
// result fits.
EvaluationOutcome EvaluateDataExpressionWithin(std::span<char> out, std::string_view expr, bool allowDecimalEscapes);

// Decimal digits at the start of text; value capped at 65535 (0 when there
// are none). Returns the number of characters read.
std::size_t ParseUnsignedNumber(std::string_view text, std::uint16_t& value);
// An optional '+' or '-', then decimal digits; magnitude capped at 32767.
// A sign without digits is the number 0. Returns the number of characters
// read (the sign included).
std::size_t ParseSignedNumber(std::string_view text, std::int16_t& value);

// Clears ExpressionWorkVariable and the result flags (engine reset).
void ResetDataExpressionState();

}  // namespace zk
