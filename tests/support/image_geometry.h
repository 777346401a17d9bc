#pragma once
// Turning, scaling and cutting whole colour images: the converter's steps
// done on the whole picture, which the converter itself works out a row at
// a time (engine/image/displayed_picture.h); tests compare the two.

#include "engine/image/colour_image.h"

namespace zk {

// A quarter turn clockwise: pixel (x, y) goes to (height - 1 - y, x).
TColourImage RotateClockwise(const TColourImage& source);

// The whole source mapped onto width x height (nearest source pixel);
// mirrored turns the result over in both directions (half a turn).
TColourImage StretchImage(const TColourImage& source, int width, int height, bool mirrored);

// Rotation items of the converter: 0 none, 1 90, 2 180, 3 270 degrees.
// Odd items use the quarter-turned copy, items 2 and 3 mirror it.
TColourImage DrawRotatedImage(const TColourImage& source, const TColourImage& rotated, int rotation, int width,
                              int height);

// The pixels of columns left..right-1 and rows top..bottom-1, the bounds
// first limited to the image.
TColourImage CopyRegion(const TColourImage& source, int left, int top, int right, int bottom);

}  // namespace zk
