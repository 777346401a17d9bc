#include "engine/pdf417/pdf417_row.h"

#include "engine/pdf417/pdf417_patterns.h"
#include "engine/render/label_image.h"

namespace zk {

void Pdf417AppendPattern(TPdf417Row& row, std::uint32_t modules, int length)
{
    for (int bit = length - 1; bit >= 0 && row.Count < Pdf417MaxRowModules; --bit) {
        row.Modules[static_cast<std::size_t>(row.Count++)] = static_cast<std::uint8_t>((modules >> bit) & 1u);
    }
}

namespace {

void AppendCodeword(TPdf417Row& row, int cluster, int codeword)
{
    // The stored pattern leaves out the leading bar every symbol character has.
    Pdf417AppendPattern(row, 0x10000u | Pdf417Pattern(cluster, codeword), 17);
}

}  // namespace

void Pdf417BuildRow(TPdf417Row& row, std::span<const std::uint16_t> codewords, int rowIndex,
                    const TPdf417Layout& layout)
{
    const int r = layout.Rows;
    const int c = layout.Columns;
    const int level = layout.Level;
    const int cluster = rowIndex % 3;
    // Row indicators (ISO/IEC 15438, 5.3.2): rows, columns and level, spread
    // over the three clusters.
    const int v = (rowIndex / 3) * 30;
    const int rowsPart = (r - 1) / 3;
    const int levelPart = 3 * level + (r - 1) % 3;
    const int columnsPart = c - 1;
    int left = 0;
    int right = 0;
    switch (cluster) {
    case 0:
        left = v + rowsPart;
        right = v + columnsPart;
        break;
    case 1:
        left = v + levelPart;
        right = v + rowsPart;
        break;
    default:
        left = v + columnsPart;
        right = v + levelPart;
        break;
    }
    row.Count = 0;
    Pdf417AppendPattern(row, Pdf417StartModules, Pdf417StartLength);
    AppendCodeword(row, cluster, left);
    const std::size_t first = static_cast<std::size_t>(rowIndex) * static_cast<std::size_t>(c);
    for (int i = 0; i < c; ++i) AppendCodeword(row, cluster, codewords[first + static_cast<std::size_t>(i)]);
    AppendCodeword(row, cluster, right);
    Pdf417AppendPattern(row, Pdf417StopModules, Pdf417StopLength);
}

void DrawPdf417Row(const TPdf417Row& row, int moduleWidth, int x, int y, int length, int rotation)
{
    const int a = moduleWidth;
    for (int i = 0; i < row.Count;) {
        if (!row.Modules[static_cast<std::size_t>(i)]) {
            ++i;
            continue;
        }
        int end = i;
        while (end < row.Count && row.Modules[static_cast<std::size_t>(end)]) ++end;
        // Dots [from, to) along the row.
        const int from = i * a;
        const int to = end * a;
        switch (rotation) {
        case 0:
            LabelImage.FillRect(x + from, y, to - from, length, Black);
            break;
        case 1:
            LabelImage.FillRect(x - length + 1, y + from, length, to - from, Black);
            break;
        case 2:
            LabelImage.FillRect(x - to + 1, y - length + 1, to - from, length, Black);
            break;
        default:
            LabelImage.FillRect(x, y - to + 1, length, to - from, Black);
            break;
        }
        i = end;
    }
}

}  // namespace zk
