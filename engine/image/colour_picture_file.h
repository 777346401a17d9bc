#pragma once
// Reads a colour picture file for the converter, choosing the reader by
// the file's extension (".BMP", ".JPG", ".JPEG" in any case).

#include <string>

#include "engine/image/colour_image.h"
#include "engine/image/jpeg_reader.h"

namespace zk {

// The largest file read: the biggest allowed picture as a 32-bit BMP.
inline constexpr std::uint64_t MaxColourPictureFileSize = static_cast<std::uint64_t>(MaxImagePixels) * 4 + 65536;

TImageReadResult ReadColourPictureFile(const std::string& path, const JpegDecodeOptions& jpeg = {});

}  // namespace zk
