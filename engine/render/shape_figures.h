#pragma once
// Bars, boxes and diagonal lines of the label. Coordinates are figure
// coordinates: the label's reference point (LeftMargin, TopMargin) is added
// here. Everything clips to the label image.

namespace zk {

// Bar and line modes.
enum TShapeMode : int {
    ShapeBlack = 0,
    ShapeInverse = 1,  // every dot under the shape turned black <-> white
    ShapeWhite = 2,
};

// Rectangle at (x, y), right and bottom excluded. Modes other than inverse
// and white draw black.
void DrawBarFigure(int x, int y, int width, int height, int mode);

// The frame of the rectangle (x1, y1)-(x2, y2), corners in any order, as four
// strips `thickness` dots wide inside it (right and bottom excluded).
void DrawBoxFigure(int x1, int y1, int thickness, int x2, int y2);

// A line `thickness` dots thick as a parallelogram: offset across y when the
// line is flatter than 45 degrees, else across x. Modes as for bars.
void DrawDiagonalLine(int x1, int y1, int x2, int y2, int thickness, int mode);

}  // namespace zk
