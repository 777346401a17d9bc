#pragma once
// The rows of the figure list: which figure a row stands for and the texts
// of its cells. Row r (r >= 1) is the r-th figure in list order that is not
// a soft font; nothing is stored between calls, every lookup counts again.

#include <array>
#include <string>

namespace zk {

struct TFigure;

// The seven visible columns of a figure row, as code page 1252 text.
inline constexpr int FigureListColumns = 7;
using TFigureListCells = std::array<std::string, FigureListColumns>;

// Figures of the label other than soft fonts.
int ListedFigureCount();

// The figure of row r, or null when r is 0 or past the last figure row.
TFigure* FigureOfListRow(int row);

// The cells of the figure shown in row r: number, selection mark, type,
// position, rotation and data.
TFigureListCells FigureListCells(const TFigure& figure, int row);

// Exchanges everything two nodes hold (kind, flags, paste mark, payload)
// while their links stay, so the figures trade places in the drawing order.
void SwapFigureContents(TFigure& a, TFigure& b);

}  // namespace zk
