#include "engine/image/colour_image.h"

namespace zk {

TColourImage::TColourImage(int width, int height, std::uint32_t fill)
    : Width(width), Height(height),
      Pixels(width > 0 && height > 0 ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) : 0, fill)
{
}

TMonoImage16::TMonoImage16(int width, int height)
    : Width(width), Height(height),
      Words(width > 0 && height > 0 ? static_cast<std::size_t>(WordsPerRow()) * static_cast<std::size_t>(height) : 0,
            MonoWhite)
{
}

bool ImageSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && !ImageSizeTooLarge(width, height);
}

bool ImageSizeTooLarge(std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0) {
        return false;
    }
    return width > MaxImageSide || height > MaxImageSide || width * height > MaxImagePixels;
}

TImageReadResult ImageTooLarge(const char* message, std::int64_t width, std::int64_t height)
{
    TImageReadResult result;
    result.Error = message;
    result.TooLarge = true;
    result.StatedWidth = width;
    result.StatedHeight = height;
    return result;
}

}  // namespace zk
