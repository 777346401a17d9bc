#pragma once
// The run-length decoder for PCX rows, shared by drawing and turning
// pictures. A byte of 0xC0 or more repeats the next byte its low 6 bits
// times; any other byte stands for itself.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zk {

// Fills row with the next row of rows, starting at rows[pos] and leaving pos
// after it. A run longer than the row ends with the row: counts are never
// carried into the next row. False when the data ends before the row is
// full; the bytes decoded until then are in row.
bool DecodePcxRow(std::span<const std::uint8_t> rows, std::size_t& pos, std::span<std::uint8_t> row);

}  // namespace zk
