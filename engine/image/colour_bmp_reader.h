#pragma once
// Reads a BMP of any usual kind into a colour image: core (12-byte) and
// info (40-byte and later) headers, 1, 4 and 8 bits per pixel through the
// palette (8 and 4 bits also run-length compressed), 16, 24 and 32 bits
// direct (with or without bit-field masks), rows stored bottom-up or
// top-down. Other compressions are refused.

#include <cstdint>
#include <span>

#include "engine/image/colour_image.h"

namespace zk {

TImageReadResult ReadColourBmp(std::span<const std::uint8_t> file);

}  // namespace zk
