#pragma once
// Where a figure drawn with the mouse goes: the drawing drag from start
// (the press) to end (the release), in label dots, sets the geometry of the
// kind's template; every other field keeps the template's value. Drawn bars,
// boxes, lines and PDF417 symbols get a minimum size, so a click draws
// something that can be seen and grabbed.

#include "engine/model/figures.h"
#include "ui/editing/editor_state.h"

namespace zk {

void PlaceDrawnFigure(TTextFigure& figure, TPoint start);
void PlaceDrawnFigure(TBarcodeFigure& figure, TPoint start);
// Also forgets the picture block: a new picture needs one loaded.
void PlaceDrawnFigure(TPictureFigure& figure, TPoint start);
void PlaceDrawnFigure(TBarFigure& figure, TPoint start, TPoint end);
void PlaceDrawnFigure(TBoxFigure& figure, TPoint start, TPoint end);
// The line runs from the press point to the release point; a drag shorter
// than 16 dots on both axes is stretched to 16 on both.
void PlaceDrawnFigure(TLineFigure& figure, TPoint start, TPoint end);
// Also forgets the data text: the dialog takes it from Pdf417DataBuffer.
void PlaceDrawnFigure(TPdf417Figure& figure, TPoint start, TPoint end);

}  // namespace zk
