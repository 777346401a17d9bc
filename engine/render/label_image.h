#pragma once
// The off-screen label image: one pixel per printer dot, 32-bit pixels in
// contiguous rows so that the editor can show it without copying. White is
// paper, black is ink, red marks invalid data. All drawing clips to it.

#include <cstdint>
#include <span>
#include <vector>

namespace zk {

inline constexpr std::uint32_t White = 0xFFFFFFFFu;
inline constexpr std::uint32_t Black = 0xFF000000u;
inline constexpr std::uint32_t Red = 0xFFFF0000u;

class TLabelImage {
public:
    // New size, all white.
    void Resize(int width, int height);
    void Clear() { Fill(White); }
    void Fill(std::uint32_t colour);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    std::uint32_t Pixel(int x, int y) const { return Contains(x, y) ? m_pixels[Index(x, y)] : White; }
    void SetPixel(int x, int y, std::uint32_t colour)
    {
        if (Contains(x, y)) m_pixels[Index(x, y)] = colour;
    }
    void InvertPixel(int x, int y)
    {
        if (Contains(x, y)) m_pixels[Index(x, y)] ^= 0x00FFFFFFu;
    }

    // Rectangle of width w and height h at (x, y), right and bottom excluded;
    // clipped, and empty when w or h is not positive.
    void FillRect(int x, int y, int w, int h, std::uint32_t colour);
    void InvertRect(int x, int y, int w, int h);
    // Combines row with the pixels from (x, y) on by AND, as 1-bit bitmaps
    // are combined: White leaves a pixel alone, Black inks it. The span lies
    // on the image.
    void AndRow(int x, int y, std::span<const std::uint32_t> row);

    // Rows are contiguous, Width() pixels each.
    std::uint32_t* Bits() { return m_pixels.data(); }
    const std::uint32_t* Bits() const { return m_pixels.data(); }
    int BytesPerLine() const { return m_width * 4; }

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

extern TLabelImage LabelImage;

}  // namespace zk
