#include "engine/render/picture_figure.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "engine/model/label_setup.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/render/label_image.h"

namespace zk {
namespace {

// Ink of a row: every 0 bit, most significant bit leftmost, up to `dots`.
void AndRow(std::span<const std::uint8_t> row, int dots, int x, int y)
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
    TPcxRowReader rows(data.Rows, data.BytesPerLine);
    for (int r = 0; r < figure.Height && y + r < LabelImage.Height(); ++r) {
        const auto row = rows.Next();
        if (rows.Ended()) return;  // paper from here on
        AndRow(row, dots, x, y + r);
    }
}

}  // namespace zk
