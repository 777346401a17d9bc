#pragma once
// Helpers for the drawing tests: the label image as text art and as an
// 8-bit grey image read by an independent decoder (zxing-cpp).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/figures.h"
#include "tests/engine/barcode/barcode_test_support.h"

namespace zk::test {

// The rectangle of the label image as rows of '#' (black), '.' (white),
// 'r' (red) and '?' (anything else), each row ended by '\n'.
std::string Pixels(int x, int y, int width, int height);

// Number of dots of `colour` in the whole label image.
int CountPixels(std::uint32_t colour);

// Decodes the whole label image, black as 0 and every other colour as 255.
std::optional<TDecoded> DecodeLabel(std::string_view format, const TDecodeOptions& options = {});

// A picture figure named "LOGO" over a block of the given run-length rows.
TPictureFigure PictureFigure(int width, int height, std::uint8_t bytesPerLine, std::vector<std::uint8_t> rows);

}  // namespace zk::test
