#pragma once
// The 96-byte stored form of a variable or counter: Defined, Length,
// Justification, PadChar, Step, the 27-byte Prompt, the 64-byte Value.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/model/variables.h"

namespace zk {

inline constexpr std::size_t VariableStoredSize = 96;
using VariableBytes = std::array<std::uint8_t, VariableStoredSize>;

VariableBytes EncodeVariable(const TVariable& variable);
TVariable DecodeVariable(std::span<const std::uint8_t, VariableStoredSize> bytes);

}  // namespace zk
