#include "tests/support/image_geometry.h"

#include <algorithm>

#include "engine/image/displayed_picture.h"

namespace zk {

TColourImage RotateClockwise(const TColourImage& source)
{
    if (source.Empty()) {
        return {};
    }
    TColourImage turned(source.Height, source.Width);
    for (int y = 0; y < source.Height; ++y) {
        for (int x = 0; x < source.Width; ++x) {
            turned.At(source.Height - 1 - y, x) = source.At(x, y);
        }
    }
    return turned;
}

TColourImage StretchImage(const TColourImage& source, int width, int height, bool mirrored)
{
    TColourImage result(width, height);
    if (source.Empty() || result.Empty()) {
        return result;
    }
    for (int y = 0; y < height; ++y) {
        const int ty = mirrored ? height - 1 - y : y;
        const int sy = static_cast<int>(static_cast<std::int64_t>(ty) * source.Height / height);
        for (int x = 0; x < width; ++x) {
            const int tx = mirrored ? width - 1 - x : x;
            const int sx = static_cast<int>(static_cast<std::int64_t>(tx) * source.Width / width);
            result.At(x, y) = source.At(sx, sy);
        }
    }
    return result;
}

TColourImage DrawRotatedImage(const TColourImage& source, const TColourImage& rotated, int rotation, int width,
                              int height)
{
    const bool quarter = (rotation % 2) == 1;
    return StretchImage(quarter ? rotated : source, width, height, rotation >= 2);
}

TColourImage CopyRegion(const TColourImage& source, int left, int top, int right, int bottom)
{
    return CopyDisplayedRegion({&source, 0, source.Width, source.Height}, left, top, right, bottom);
}

}  // namespace zk
