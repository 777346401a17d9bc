#pragma once
// The printer's VI reply: one fixed-column line per defined variable or
// counter, with its prompt and current value.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "engine/model/variables.h"

namespace zk {

struct TVariableLine {
    bool Counter = false;
    std::size_t Index = 0;
    TVariable Record;
};

// One V or C line; nothing when the line is not one or its index is out of
// range. withValue false leaves Value empty.
std::optional<TVariableLine> ReadVariableLine(std::string_view line, bool withValue);

// The VI parse target, copied whole to the chosen tables at the end.
extern std::array<TVariable, VariableCount> ReceivedVariables;
extern std::array<TVariable, CounterCount> ReceivedCounters;
// The variables dialog's working copy (target 10 of ReceiveVariables).
extern std::array<TVariable, VariableCount> VarCntDialogVariables;
extern std::array<TVariable, CounterCount> VarCntDialogCounters;

inline constexpr int VariablesTargetLabel = 1;
// Values read into ReceivedVariables and ReceivedCounters only, for a
// caller that puts them in place itself.
inline constexpr int VariablesTargetReceived = 2;
inline constexpr int VariablesTargetDialog = 10;

// VI exchange: target 10 fills the dialog's working copy, 2 only the
// received buffers, any other value the label's Variables and Counters
// (target 0 without values). The number
// of V/C lines; 0 and nothing replaced when the link failed.
int ReceiveVariables(int target);

void ResetReceivedVariables();

}  // namespace zk
