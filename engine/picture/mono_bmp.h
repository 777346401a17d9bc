#pragma once
// A 1-bit-per-pixel BMP read straight from its bytes: the core (12-byte)
// and the info (40-byte and later) headers, bottom-up and top-down rows.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zk {

enum class BmpStatus : std::uint8_t {
    Ok,
    Invalid,        // not a BMP this reader understands, or truncated
    NotMonochrome,  // a BMP of more than 1 bit per pixel
};

struct TMonoBmp {
    std::int64_t Width = 0;   // as the header gives it; may be 0 or negative
    std::int64_t Height = 0;  // rows, always positive once read
    bool TopDown = false;     // a negative header height stores the top row first
    // Palette entry 1 darker than entry 0: bit 1 is ink, so the bits are
    // inverted to make a set bit paper as the PCX rows need.
    bool Invert = false;
    std::size_t PixelOffset = 0;
    std::uint32_t Compression = 0;
    std::uint16_t Planes = 0;
};

// Reads the headers and the first two palette entries.
BmpStatus ReadMonoBmpHeader(std::span<const std::uint8_t> file, TMonoBmp& bmp);

// Bytes of one stored row: whole 32-bit words.
std::size_t BmpStride(std::int64_t width);

// True when every row of the bitmap lies inside the file.
bool BmpPixelsPresent(std::span<const std::uint8_t> file, const TMonoBmp& bmp);

// The y-th row counted from the top; BmpPixelsPresent must hold.
std::span<const std::uint8_t> BmpRowFromTop(std::span<const std::uint8_t> file, const TMonoBmp& bmp, std::int64_t y);

}  // namespace zk
