#pragma once
// Small colour pictures for tests, made in memory: 24-bit BMP files and
// JPEG files written with libjpeg (only tests ever write a JPEG).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/image/colour_image.h"

namespace zk::test {

// A 24-bit BMP with a 40-byte info header, rows bottom first.
std::vector<std::uint8_t> Bmp24Bytes(const TColourImage& image);

struct JpegWriteOptions {
    int Quality = 95;
    bool Progressive = false;
    bool Greyscale = false;
};
std::vector<std::uint8_t> JpegBytes(const TColourImage& image, const JpegWriteOptions& options = {});

// An EXIF block (APP1 payload) whose first IFD holds a software tag and
// then the Orientation tag with the value given, in either byte order.
std::vector<std::uint8_t> ExifOrientationBlock(int orientation, bool bigEndian = false);
// The JPEG with an APP1 segment of that payload right after its start
// marker and JFIF segment, where cameras put their EXIF block.
std::vector<std::uint8_t> WithApp1Segment(const std::vector<std::uint8_t>& jpeg,
                                          const std::vector<std::uint8_t>& payload);

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A picture of four coloured quarters: red, green, blue and white.
TColourImage QuarteredImage(int width, int height);

}  // namespace zk::test
