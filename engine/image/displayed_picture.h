#pragma once
// The picture as the colour converter shows it, worked out a row at a time:
// the source (or its quarter turn) stretched onto the displayed size, turned
// over for half a turn, with the channel gains applied. Neither the turned
// copy nor the whole displayed image is ever held, so a photograph of tens
// of megapixels costs its own pixels and the result's.

#include <cstdint>
#include <span>

#include "engine/image/colour_image.h"
#include "engine/image/grey_kernels.h"

namespace zk {

struct TDisplayedPicture {
    const TColourImage* Source = nullptr;  // none: all white
    int Rotation = 0;                      // converter items: 0 none, 1 90, 2 180, 3 270 degrees
    int Width = 0;
    int Height = 0;
    int RedGain = NeutralGain;
    int GreenGain = NeutralGain;
    int BlueGain = NeutralGain;

    // Pixels left .. left + out.size() - 1 of row y, gains applied.
    void Row(int y, int left, std::span<std::uint32_t> out) const;
};

// The pixels of columns left..right-1 and rows top..bottom-1 of the
// displayed picture, the bounds first limited to it.
TColourImage CopyDisplayedRegion(const TDisplayedPicture& picture, int left, int top, int right, int bottom);

// ConvertToMonochrome of the displayed picture, made a row at a time: the
// work image holds two rows, not the whole picture.
TMonoImage16 ConvertDisplayedToMonochrome(const TDisplayedPicture& picture, int brightness, int contrast,
                                          bool threshold);

}  // namespace zk
