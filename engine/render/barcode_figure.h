#pragma once
// Barcode figures: bars, human-readable line, add-on and the red cross over
// invalid data.

#include "engine/model/figures.h"

namespace zk {

// Encodes the figure and draws it at its place (the reference point added).
// Refreshes the figure's ModuleCount and RenderedWidth; a Postnet figure's
// Height becomes 24. In a driver print (RedrawMode 1) a barcode with invalid
// data is left out.
void DrawBarcodeFigure(TBarcodeFigure& figure);

}  // namespace zk
