#pragma once
// Turning a picture's data block by 90 degrees clockwise, pixel by pixel,
// and encoding the turned rows again.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/model/figures.h"

namespace zk {

// A turned picture before it replaces anything: its size and its PCX file
// image (header and run-length rows).
struct TTurnedPicture {
    std::int16_t Width = 0;
    std::int16_t Height = 0;
    std::uint8_t BytesPerLine = 0;
    std::vector<std::uint8_t> Image;
};

// The figure's picture turned clockwise: the dot at (x, y) goes to
// (Height - 1 - y, x); rows are padded with paper to whole 16-dot words.
// What the block cannot show stays paper, as drawing leaves it: dots past
// its BytesPerLine and the rows from the first one the block ends inside.
// Empty when the figure has no block or no size, or when the turned picture
// would be wider than 126 bytes a row, taller than 1600 rows, or not fit the
// picture staging buffer.
std::optional<TTurnedPicture> TurnPicture(const TPictureFigure& figure);

// Stages the turned image in the picture staging buffer and gives the figure
// a new block cut from it, keeping the old block's RefCount; Width, Height
// and DataLength follow. The figure's other sharers still point at the old
// block; the caller moves them over.
void ReplacePictureData(TPictureFigure& figure, const TTurnedPicture& turned);

// TurnPicture and ReplacePictureData on one figure; false (and nothing
// changed) when the picture cannot be turned.
bool RotatePictureData(TPictureFigure& figure);

}  // namespace zk
