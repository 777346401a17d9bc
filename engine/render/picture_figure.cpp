#include "engine/render/picture_figure.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"

namespace zk {
namespace {

// One row of PCX run-length data from rows[pos]: a byte of 0xC0 and above
// repeats the next byte its low 6 bits times, any other byte stands for
// itself. A run longer than the row ends with the row. False when the data
// ends before the row is full.
bool DecodeRow(std::span<const std::uint8_t> rows, std::size_t& pos, std::vector<std::uint8_t>& row)
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

// Ink of a row: every 0 bit, most significant bit leftmost, up to `dots`.
void AndRow(const std::vector<std::uint8_t>& row, int dots, int x, int y)
{
    if (y < 0 || y >= LabelImage.Height()) return;
    const int first = std::max(0, -x);
    const int last = std::min(dots, LabelImage.Width() - x);
    for (int i = first; i < last; ++i) {
        const std::uint8_t b = row[static_cast<std::size_t>(i) / 8];
        if ((b & (0x80u >> (i % 8))) == 0) LabelImage.SetPixel(x + i, y, Black);
    }
}

}  // namespace

void DrawPictureFigure(const TPictureFigure& figure)
{
    if (!figure.Data) return;
    const TPictureData& data = *figure.Data;
    if (data.BytesPerLine == 0 || figure.Width <= 0 || figure.Height <= 0) return;
    const int x = figure.X + LabelSetup.LeftMargin;
    const int y = figure.Y + LabelSetup.TopMargin;
    // Dots past the row's bytes have no data: they stay paper.
    const int dots = std::min<int>(figure.Width, data.BytesPerLine * 8);
    std::vector<std::uint8_t> row(data.BytesPerLine);
    std::size_t pos = 0;
    for (int r = 0; r < figure.Height && y + r < LabelImage.Height(); ++r) {
        if (!DecodeRow(data.Rows, pos, row)) return;
        AndRow(row, dots, x, y + r);
    }
}

}  // namespace zk
