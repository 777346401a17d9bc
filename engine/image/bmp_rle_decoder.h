#pragma once
// The run-length compressed pixels of 8- and 4-bit BMP files (BI_RLE8,
// BI_RLE4), decoded through the palette into a colour image.

#include <array>
#include <cstdint>
#include <span>

#include "engine/image/colour_image.h"

namespace zk {

enum class BmpRleKind { Rle8, Rle4 };

// Decodes codes (the file from its pixel offset on; the header's image size
// is not trusted) into image, which is already of the picture's size and
// stored bottom row first as the format requires. Pixels the codes never
// reach keep palette entry 0; nothing is written outside the image. Returns
// an error message, or null.
const char* DecodeBmpRle(std::span<const std::uint8_t> codes, BmpRleKind kind,
                         const std::array<std::uint32_t, 256>& palette, TColourImage& image);

}  // namespace zk
