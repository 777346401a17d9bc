#pragma once
// Evaluation of figure data expressions in the printer's syntax: quoted
// constants, variables, counters, date, time and week, with modifiers.

#include <cstdint>
#include <span>
#include <string_view>

namespace zk {

// 1 when the last evaluation failed, 0 when it succeeded.
extern std::uint8_t DataExpressionError;
// Characters produced by the last successful evaluation (NUL bytes count
// when decimal escapes are allowed).
extern std::int32_t DataExpressionLength;

inline constexpr std::string_view DataExpressionFailureText = "@@@@";

// Evaluates expr into out, NUL-terminated and bounded by out.size() (a longer
// result is cut). 1 on success; 0 on failure, with out = "@@@@".
int EvaluateDataExpression(std::span<char> out, std::string_view expr, bool allowDecimalEscapes);

}  // namespace zk
