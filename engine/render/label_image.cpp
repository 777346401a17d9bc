#include "engine/render/label_image.h"

#include <algorithm>
#include <cstring>

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

// Blocks of a fixed number of pixels, so that the compiler turns each block
// into a few wide stores: a preview may cover the whole label hundreds of
// times.
constexpr int BlockPixels = 16;

template <typename Op>
void ForEachIndex(int count, Op op)
{
    int i = 0;
    for (; i + BlockPixels <= count; i += BlockPixels) {
        for (int k = 0; k < BlockPixels; ++k) op(i + k);
    }
    for (; i < count; ++i) op(i);
}

}  // namespace

void TLabelImage::FillRect(int x, int y, int w, int h, std::uint32_t colour)
{
    const Span s = Clip(x, y, w, h, m_width, m_height);
    const int count = s.x1 - s.x0;
    if (count <= 0 || s.y0 >= s.y1) return;
    std::uint32_t* first = m_pixels.data() + Index(s.x0, s.y0);
    ForEachIndex(count, [first, colour](int i) { first[i] = colour; });
    // The other rows are copies of the first.
    for (int row = s.y0 + 1; row < s.y1; ++row) {
        std::memcpy(m_pixels.data() + Index(s.x0, row), first, static_cast<std::size_t>(count) * sizeof *first);
    }
}

void TLabelImage::AndRow(int x, int y, std::span<const std::uint32_t> row)
{
    std::uint32_t* line = m_pixels.data() + Index(x, y);
    const std::uint32_t* with = row.data();
    const int count = static_cast<int>(row.size());
    int i = 0;
    // Local copies of each block tell the compiler the row and the line
    // don't overlap, so the block becomes a few wide operations.
    for (; i + BlockPixels <= count; i += BlockPixels) {
        std::uint32_t w[BlockPixels];
        std::uint32_t p[BlockPixels];
        std::memcpy(w, with + i, sizeof w);
        std::memcpy(p, line + i, sizeof p);
        for (int k = 0; k < BlockPixels; ++k) p[k] &= w[k];
        std::memcpy(line + i, p, sizeof p);
    }
    for (; i < count; ++i) line[i] &= with[i];
}

void TLabelImage::InvertRect(int x, int y, int w, int h)
{
    const Span s = Clip(x, y, w, h, m_width, m_height);
    const int count = s.x1 - s.x0;
    if (count <= 0) return;
    for (int row = s.y0; row < s.y1; ++row) {
        std::uint32_t* line = m_pixels.data() + Index(s.x0, row);
        ForEachIndex(count, [line](int i) { line[i] ^= 0x00FFFFFFu; });
    }
}

}  // namespace zk
