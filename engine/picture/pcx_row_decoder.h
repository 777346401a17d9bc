#pragma once
// The run-length decoder for PCX rows, shared by drawing, turning and
// printing pictures. A byte of 0xC0 or more repeats the next byte its low
// 6 bits times; any other byte stands for itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zk {

// Fills row with the next row of rows, starting at rows[pos] and leaving pos
// after it. A run longer than the row ends with the row: counts are never
// carried into the next row. False when the data ends before the row is
// full; the bytes decoded until then are in row.
bool DecodePcxRow(std::span<const std::uint8_t> rows, std::size_t& pos, std::span<std::uint8_t> row);

// A picture's rows one after the other, as every user of a picture shows
// them: runs end with their row, and once the data end (inside a row or
// before it) that row and every later one are paper (0xFF).
class TPcxRowReader {
public:
    TPcxRowReader(std::span<const std::uint8_t> rows, std::size_t bytesPerLine);

    std::span<const std::uint8_t> Next();
    // True once a row came out as paper because the data had ended.
    bool Ended() const { return m_ended; }

private:
    std::span<const std::uint8_t> m_rows;
    std::size_t m_pos = 0;
    std::vector<std::uint8_t> m_row;
    bool m_ended = false;
};

}  // namespace zk
