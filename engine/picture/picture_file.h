#pragma once
// Reading a picture file into the staging buffer: a monochrome PCX as it
// is, a 1-bit BMP converted to a PCX image on the way.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace zk {

enum PictureLoadResult : int {
    PictureLoadFailed = 0,
    PictureLoadedPcx = 1,
    PictureLoadedBmp = 2,
};

// File size bounds of each format.
inline constexpr std::size_t MinPcxFileSize = 130;
inline constexpr std::size_t MinBmpFileSize = 128;
inline constexpr std::size_t MaxBmpFileSize = 63488;
// A converted BMP must leave its 2-byte length and the image under this.
inline constexpr std::size_t MaxConvertedImage = 49152;
// BMP widths from this on need more than 126 bytes per row.
inline constexpr std::int64_t MaxBmpWidthExcluded = 1008;

// 1 PCX loaded, 2 BMP loaded and converted, 0 failed after a message box.
int LoadPictureFile(const std::string& path);

// The same over the file's bytes, for callers that hold them already.
int LoadPictureBytes(std::span<const std::uint8_t> file);

}  // namespace zk
