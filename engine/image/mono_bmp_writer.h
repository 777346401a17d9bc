#pragma once
// The converter's black-and-white result as 1-bit rows: for the test print
// (rows top first) and as a 1-bit BMP file that the picture loader reads.
// In both a set bit is white paper, a clear bit ink.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/image/colour_image.h"

namespace zk {

struct TMonoBitmap {
    int Width = 0;  // the result's width rounded up as asked
    int Height = 0;
    std::size_t BytesPerScanLine = 0;  // whole 32-bit words
    std::vector<std::uint8_t> Bits;    // rows top first
};

// widthMultiple rounds the bitmap's width up; the added columns are white.
TMonoBitmap PackMonoRows(const TMonoImage16& image, int widthMultiple);

// A BMP file: 40-byte info header, palette black then white, rows bottom
// first. Short files are padded to the picture loader's smallest BMP.
std::vector<std::uint8_t> MonoBmpFileBytes(const TMonoImage16& image);

// Replaces path atomically; false leaves an existing file as it was.
bool SaveMonoBmp(const std::string& path, const TMonoImage16& image);

}  // namespace zk
