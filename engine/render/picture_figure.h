#pragma once
// Picture figures: the shared run-length rows combined with the label image.

#include "engine/model/figures.h"

namespace zk {

// Decodes Height rows of BytesPerLine bytes each from the figure's picture
// block and ANDs the Width left dots of each row onto the label image at the
// figure's place (a 0 bit is ink, a 1 bit paper and leaves the label alone).
// No block draws nothing; a block that ends inside a row stops the picture
// there, keeping the rows before it.
void DrawPictureFigure(const TPictureFigure& figure);

}  // namespace zk
