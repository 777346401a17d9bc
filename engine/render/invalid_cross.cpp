#include "engine/render/invalid_cross.h"

#include <cstdlib>

#include "engine/render/label_image.h"

namespace zk {
namespace {

constexpr int PEN_WIDTH = 3;

// Bresenham's line with a square pen centred on every point.
void DrawWideLine(int x1, int y1, int x2, int y2, std::uint32_t colour)
{
    // 64-bit steps: corner coordinates far outside the image must not wrap.
    long long x = x1;
    long long y = y1;
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        LabelImage.FillRect(static_cast<int>(x) - PEN_WIDTH / 2, static_cast<int>(y) - PEN_WIDTH / 2, PEN_WIDTH,
                            PEN_WIDTH, colour);
        if (x == x2 && y == y2) break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace

void DrawInvalidCross(int x1, int y1, int x2, int y2)
{
    DrawWideLine(x1, y1, x2, y2, Red);
    DrawWideLine(x1, y2, x2, y1, Red);
}

}  // namespace zk
