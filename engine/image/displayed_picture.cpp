#include "engine/image/displayed_picture.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zk {

void TDisplayedPicture::Row(int y, int left, std::span<std::uint32_t> out) const
{
    if (Source == nullptr || Source->Empty() || Width <= 0 || Height <= 0) {
        std::fill(out.begin(), out.end(), 0xFFFFFFFFu);
    } else {
        // The quarter-turned copy's pixel (u, v) is the source's (v, height - 1 - u).
        const bool quarter = Rotation % 2 == 1;
        const bool mirrored = Rotation >= 2;
        const int pictureWidth = quarter ? Source->Height : Source->Width;
        const int pictureHeight = quarter ? Source->Width : Source->Height;
        const int ty = mirrored ? Height - 1 - y : y;
        const int sy = static_cast<int>(static_cast<std::int64_t>(ty) * pictureHeight / Height);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const int x = left + static_cast<int>(i);
            const int tx = mirrored ? Width - 1 - x : x;
            const int sx = static_cast<int>(static_cast<std::int64_t>(tx) * pictureWidth / Width);
            out[i] = quarter ? Source->At(sy, Source->Height - 1 - sx) : Source->At(sx, sy);
        }
    }
    ApplyChannelGains(out, RedGain, GreenGain, BlueGain);
}

TColourImage CopyDisplayedRegion(const TDisplayedPicture& picture, int left, int top, int right, int bottom)
{
    left = std::clamp(left, 0, picture.Width);
    right = std::clamp(right, left, picture.Width);
    top = std::clamp(top, 0, picture.Height);
    bottom = std::clamp(bottom, top, picture.Height);
    TColourImage region(right - left, bottom - top);
    if (region.Empty()) {
        return {};
    }
    for (int y = 0; y < region.Height; ++y) {
        picture.Row(top + y, left, std::span(&region.At(0, y), static_cast<std::size_t>(region.Width)));
    }
    return region;
}

TMonoImage16 ConvertDisplayedToMonochrome(const TDisplayedPicture& picture, int brightness, int contrast,
                                          bool threshold)
{
    const int width = std::max(picture.Width, 0);
    const int height = std::max(picture.Height, 0);
    TMonoImage16 result(width, height);
    // Work row r (1 = the bottom image row) and the row below it in the
    // diffusion's order, each with its two border cells.
    std::vector<std::int32_t> row(static_cast<std::size_t>(width) + 2, 0);
    std::vector<std::int32_t> below(row.size(), 0);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width));
    const auto greyOf = [&](int y, std::vector<std::int32_t>& cells) {
        std::fill(cells.begin(), cells.end(), 0);
        picture.Row(y, 0, pixels);
        GreyRow(pixels, std::span(cells).subspan(1, static_cast<std::size_t>(width)), brightness, contrast);
    };
    if (height > 0) greyOf(height - 1, row);
    for (int r = 1; r <= height; ++r) {
        const int y = height - r;
        if (y > 0) {
            greyOf(y - 1, below);
        } else {
            std::fill(below.begin(), below.end(), 0);
        }
        if (!threshold) DiffuseRow(row, below, r % 2 == 1);
        MonochromeRow(std::span(row).subspan(1, static_cast<std::size_t>(width)),
                      std::span(&result.Words[static_cast<std::size_t>(y) * result.WordsPerRow()],
                                static_cast<std::size_t>(result.WordsPerRow())));
        std::swap(row, below);
    }
    return result;
}

}  // namespace zk
