#include "engine/render/label_image.h"

#include <algorithm>

namespace zk {

TLabelImage LabelImage;

void TLabelImage::Resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), White);
}

void TLabelImage::Fill(std::uint32_t colour) { std::fill(m_pixels.begin(), m_pixels.end(), colour); }

namespace {

struct Span {
    int x0, y0, x1, y1;  // clipped, x1 and y1 excluded
};

Span Clip(int x, int y, int w, int h, int width, int height)
{
    // 64-bit sums: coordinates near the int limits must not wrap.
    const long long right = static_cast<long long>(x) + w;
    const long long bottom = static_cast<long long>(y) + h;
    return {std::max(x, 0), std::max(y, 0), static_cast<int>(std::min<long long>(right, width)),
            static_cast<int>(std::min<long long>(bottom, height))};
}

}  // namespace

void TLabelImage::FillRect(int x, int y, int w, int h, std::uint32_t colour)
{
    const Span s = Clip(x, y, w, h, m_width, m_height);
    for (int row = s.y0; row < s.y1; ++row) {
        std::fill_n(m_pixels.begin() + static_cast<std::ptrdiff_t>(Index(s.x0, row)), std::max(s.x1 - s.x0, 0),
                    colour);
    }
}

void TLabelImage::InvertRect(int x, int y, int w, int h)
{
    const Span s = Clip(x, y, w, h, m_width, m_height);
    for (int row = s.y0; row < s.y1; ++row) {
        for (int col = s.x0; col < s.x1; ++col) {
            m_pixels[Index(col, row)] ^= 0x00FFFFFFu;
        }
    }
}

}  // namespace zk
