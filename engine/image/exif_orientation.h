#pragma once
// The orientation tag of a JPEG's EXIF block: how the camera held the
// picture, so that it can be shown upright as image viewers do. The block
// comes from the file and is never trusted: every read is checked against
// its end, and anything malformed counts as "upright".

#include <cstddef>
#include <cstdint>
#include <span>

namespace zk {

// The EXIF orientation values: how the stored rows are to be turned or
// mirrored to stand upright.
enum class ExifOrientation : std::uint8_t {
    Upright = 1,
    Mirrored = 2,             // turned over left to right
    HalfTurn = 3,             // 180 degrees
    Flipped = 4,              // turned over top to bottom
    Transposed = 5,           // mirrored across the main diagonal
    QuarterClockwise = 6,     // to be turned 90 degrees clockwise
    Transversed = 7,          // mirrored across the other diagonal
    QuarterAnticlockwise = 8  // to be turned 90 degrees anticlockwise
};

// True when an APP1 segment's payload is an EXIF block (begins "Exif" and
// two NULs); other APP1 uses, such as XMP, are not.
bool IsExifBlock(std::span<const std::uint8_t> app1Payload);

// The orientation an APP1 segment's payload (the bytes after its length
// field) states: "Exif", two NULs, then a TIFF header whose first IFD holds
// the Orientation tag (0x0112). Upright when the payload is not EXIF, the
// tag is missing or anything about it is out of range.
ExifOrientation ExifOrientationOf(std::span<const std::uint8_t> app1Payload);

// Where the stored pixels of a picture land once it stands upright, so that
// a decoder writes each pixel straight to its place: stored pixel (x, y)
// goes to index First + x * StepX + y * StepY of the upright pixels. The
// quarter turns and diagonals swap width and height.
struct TUprightPlacement {
    int Width = 0;  // upright
    int Height = 0;
    std::ptrdiff_t First = 0;
    std::ptrdiff_t StepX = 1;
    std::ptrdiff_t StepY = 0;

    std::size_t IndexOf(int x, int y) const { return static_cast<std::size_t>(First + x * StepX + y * StepY); }
};
TUprightPlacement UprightPlacement(int storedWidth, int storedHeight, ExifOrientation orientation);

}  // namespace zk
