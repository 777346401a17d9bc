#pragma once
// Probes the header of a BMP or JPEG file for the open-picture dialog's
// preview: a few bytes only, never the whole file.

#include <cstdint>
#include <ctime>
#include <string>

namespace zk {

struct TPictureProbe {
    std::time_t FileDate = 0;
    std::int64_t FileSize = 0;
    int BitsPerPixel = 0;
    // From a JPEG's frame header and EXIF orientation only.
    int Width = 0;
    int Height = 0;
    int MaxSide = 0;
};

// True when the file opens and its header names a non-zero bit count.
bool ProbeBmpHeader(const std::string& path, TPictureProbe& probe);

// True when the file starts a JPEG and a frame header follows within 100
// other segments; fills the dimensions (those of the picture turned upright
// as an EXIF orientation before the frame header says, as it is decoded)
// and 8 bits per component.
bool ProbeJpegHeader(const std::string& path, TPictureProbe& probe);

// The picture kind for a file name's extension, by its upper-case spelling.
enum class PictureKind : std::uint8_t { Other, Bmp, Jpeg };
PictureKind PictureKindOf(const std::string& path);

}  // namespace zk
