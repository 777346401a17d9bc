#pragma once
// Decodes a JPEG into a colour image with libjpeg. A damaged file ends in
// an error message, never in an abort of the program.

#include <cstdint>
#include <span>

#include "engine/image/colour_image.h"

namespace zk {

struct JpegDecodeOptions {
    // 1, 2, 4 or 8: the image comes out that many times smaller.
    int ScaleDenominator = 1;
    // The fastest decoder settings (integer transform, no smoothing), for previews.
    bool Fastest = false;
};

TImageReadResult ReadJpeg(std::span<const std::uint8_t> file, const JpegDecodeOptions& options = {});

}  // namespace zk
