#pragma once
// The in-memory pictures of the colour converter: a 32-bit colour image and
// the 16-bit black-and-white result, both stored top row first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zk {

// One pixel as a 32-bit value 0xXXRRGGBB, so that in memory the bytes run
// blue, green, red and a fourth byte the converter leaves alone.
struct TColourImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // Width x Height, rows top first

    TColourImage() = default;
    TColourImage(int width, int height, std::uint32_t fill = 0xFFFFFFFF);

    bool Empty() const { return Width <= 0 || Height <= 0; }
    std::uint32_t& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The black-and-white result: one 16-bit word per pixel, 0xFFFF white and
// 0 black, rows padded to whole 32-bit words (an odd width gets one extra
// white word).
struct TMonoImage16 {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint16_t> Words;  // WordsPerRow() x Height, rows top first

    TMonoImage16() = default;
    TMonoImage16(int width, int height);  // all white

    int WordsPerRow() const { return (Width + 1) & ~1; }
    std::uint16_t At(int x, int y) const { return Words[static_cast<std::size_t>(y) * WordsPerRow() + x]; }
    bool IsWhite(int x, int y) const { return At(x, y) != 0; }
};

inline constexpr std::uint16_t MonoWhite = 0xFFFF;
inline constexpr std::uint16_t MonoBlack = 0;

// The largest picture the readers accept: big enough for any photograph,
// small enough that its pixels always fit in memory.
inline constexpr std::int64_t MaxImageSide = 32768;
inline constexpr std::int64_t MaxImagePixels = std::int64_t{1} << 26;

constexpr std::uint32_t MakePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return 0xFF000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}
constexpr std::uint8_t RedOf(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 16); }
constexpr std::uint8_t GreenOf(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel >> 8); }
constexpr std::uint8_t BlueOf(std::uint32_t pixel) { return static_cast<std::uint8_t>(pixel); }

// The outcome of reading a picture: the image, or a message saying why not.
struct TImageReadResult {
    TColourImage Image;
    std::string Error;  // empty on success
    // Refused for its size alone: larger than the readers take, its size as
    // the file states it (0 x 0 when the file is too long to tell).
    bool TooLarge = false;
    std::int64_t StatedWidth = 0;
    std::int64_t StatedHeight = 0;
    bool Ok() const { return Error.empty(); }
};

// True when a picture of that size may be held in memory.
bool ImageSizeAllowed(std::int64_t width, std::int64_t height);
// True when a picture is refused for being too large (not for a size of 0).
bool ImageSizeTooLarge(std::int64_t width, std::int64_t height);
// The result for a picture of the stated size that is too large.
TImageReadResult ImageTooLarge(const char* message, std::int64_t width, std::int64_t height);

}  // namespace zk
