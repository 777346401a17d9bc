#pragma once
// The run-length encoder for the PCX rows of a converted picture. A byte
// of 0xC0 or more is a count (low 6 bits) followed by the repeated value;
// any other byte stands for itself. Runs never cross rows.

#include <cstdint>
#include <span>
#include <vector>

namespace zk {

inline constexpr int MaxPcxRun = 63;

// Appends the encoded row to out. A lone byte is written as itself while
// below 100 inside the row and below 64 at the row's end, else as a run of
// one, so that the printer's decoder reads the same rows.
void EncodePcxRow(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out);

}  // namespace zk
