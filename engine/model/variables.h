#pragma once
// Variables V00..V31 and counters C00..C07 share one record type.

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/model/fixed_string.h"

namespace zk {

struct TVariable {
    std::uint8_t Defined = 0;
    std::uint8_t Length = 0;
    std::uint8_t Justification = 0;  // 0 none, 1 left, 2 centre, 3 right
    std::uint8_t PadChar = ' ';
    std::int8_t Step = 0;
    FixedString<27, false> Prompt;  // a full prompt has no NUL inside the field
    FixedString<64> Value;
};

inline constexpr std::size_t VariableCount = 32;
inline constexpr std::size_t CounterCount = 8;

extern std::array<TVariable, VariableCount> Variables;
extern std::array<TVariable, CounterCount> Counters;

// Defined := 0 for every variable and counter; prompts and values stay.
void ClearVarsCounters();
std::size_t CountDefinedVarsCounters();

}  // namespace zk
