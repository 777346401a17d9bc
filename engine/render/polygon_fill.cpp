#include "engine/render/polygon_fill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/render/label_image.h"

namespace zk {
namespace {

// Floor division and ceiling for a positive divisor.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

// First column whose centre lies at or right of the edge a-b at the centre
// line of row y (a.Y <= y < b.Y): ceil(x(y + 1/2) - 1/2), in integers.
long long CrossingColumn(TDot a, TDot b, int y)
{
    const long long dy = static_cast<long long>(b.Y) - a.Y;
    const long long dx = static_cast<long long>(b.X) - a.X;
    const long long numerator = 2 * static_cast<long long>(a.X) * dy + (2 * (static_cast<long long>(y) - a.Y) + 1) * dx - dy;
    return CeilDiv(numerator, 2 * dy);
}

void PaintSpan(TLabelImage& image, int y, long long from, long long to, TPaint paint)
{
    const int x0 = static_cast<int>(std::max<long long>(from, 0));
    const int x1 = static_cast<int>(std::min<long long>(to, image.Width()));
    if (x0 >= x1) return;
    switch (paint) {
    case TPaint::Black: image.FillRect(x0, y, x1 - x0, 1, Black); break;
    case TPaint::White: image.FillRect(x0, y, x1 - x0, 1, White); break;
    case TPaint::Invert: image.InvertRect(x0, y, x1 - x0, 1); break;
    }
}

}  // namespace

void PaintPolygon(TLabelImage& image, std::span<const TDot> corners, TPaint paint)
{
    if (corners.size() < 3) return;
    int top = corners[0].Y;
    int bottom = corners[0].Y;
    for (const TDot& c : corners) {
        top = std::min(top, c.Y);
        bottom = std::max(bottom, c.Y);
    }
    const int firstRow = std::max(top, 0);
    const int endRow = std::min(bottom, image.Height());
    std::vector<long long> crossings;
    crossings.reserve(corners.size());
    for (int y = firstRow; y < endRow; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            TDot a = corners[i];
            TDot b = corners[(i + 1) % corners.size()];
            if (a.Y == b.Y) continue;
            if (a.Y > b.Y) std::swap(a, b);
            if (y < a.Y || y >= b.Y) continue;
            crossings.push_back(CrossingColumn(a, b, y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            PaintSpan(image, y, crossings[i], crossings[i + 1], paint);
        }
    }
}

}  // namespace zk
