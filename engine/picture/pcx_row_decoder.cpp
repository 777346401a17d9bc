#include "engine/picture/pcx_row_decoder.h"

#include <algorithm>

namespace zk {

namespace {

constexpr std::uint8_t Paper = 0xFF;

}  // namespace

bool DecodePcxRow(std::span<const std::uint8_t> rows, std::size_t& pos, std::span<std::uint8_t> row)
{
    std::size_t filled = 0;
    while (filled < row.size()) {
        if (pos >= rows.size()) return false;
        const std::uint8_t b = rows[pos++];
        if (b < 0xC0) {
            row[filled++] = b;
            continue;
        }
        if (pos >= rows.size()) return false;
        const std::uint8_t value = rows[pos++];
        const std::size_t count = std::min<std::size_t>(b & 0x3Fu, row.size() - filled);
        std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(filled), count, value);
        filled += count;
    }
    return true;
}

TPcxRowReader::TPcxRowReader(std::span<const std::uint8_t> rows, std::size_t bytesPerLine)
    : m_rows(rows), m_row(bytesPerLine, Paper)
{
}

std::span<const std::uint8_t> TPcxRowReader::Next()
{
    if (!m_ended && !DecodePcxRow(m_rows, m_pos, m_row)) {
        m_ended = true;
        std::fill(m_row.begin(), m_row.end(), Paper);
    }
    return m_row;
}

}  // namespace zk
