#include "ui/editing/xor_drawing.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"

namespace zk {

namespace {

// Pixels on and off of a dotted pen.
constexpr int DotRun = 3;

void AddPenPixels(std::vector<TPoint>& pixels, TPoint centre, int width)
{
    const int reach = width > 1 ? width / 2 : 0;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            pixels.push_back({centre.x + dx, centre.y + dy});
        }
    }
}

// Bresenham from a to b, both ends included; step counts the pixels along
// the whole path so that dots continue across corners.
void AddSegment(std::vector<TPoint>& pixels, TPoint a, TPoint b, const TXorPen& pen, long& step)
{
    const std::int64_t dx = std::llabs(std::int64_t{b.x} - a.x);
    const std::int64_t dy = -std::llabs(std::int64_t{b.y} - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    std::int64_t error = dx + dy;
    TPoint p = a;
    for (;;) {
        if (pen.Style == PenStyle::Solid || (step / DotRun) % 2 == 0) {
            AddPenPixels(pixels, p, pen.Width);
        }
        ++step;
        if (p == b) {
            break;
        }
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.y += sy;
        }
    }
}

bool Before(const TPoint& a, const TPoint& b)
{
    return a.y != b.y ? a.y < b.y : a.x < b.x;
}

}  // namespace

void XorPath(TLabelImage& image, std::span<const TPoint> points, const TXorPen& pen)
{
    if (points.empty()) {
        return;
    }
    std::vector<TPoint> pixels;
    long step = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        AddSegment(pixels, points[i - 1], points[i], pen, step);
    }
    if (points.size() == 1) {
        AddSegment(pixels, points[0], points[0], pen, step);
    }
    std::sort(pixels.begin(), pixels.end(), Before);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    std::uint32_t* bits = image.Bits();
    for (const TPoint& p : pixels) {
        if (image.Contains(p.x, p.y)) {
            bits[static_cast<std::size_t>(p.y) * static_cast<std::size_t>(image.Width()) +
                 static_cast<std::size_t>(p.x)] ^= pen.Mask;
        }
    }
}

void XorFrame(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              const TXorPen& pen)
{
    const TPoint path[] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}};
    XorPath(image, path, pen);
}

void DrawXorRect(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    XorFrame(image, x1, y1, x2, y2, TXorPen{RedPenMask, 3, PenStyle::Solid});
}

void DrawXorLine(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    const TPoint path[] = {{x1, y1}, {x2, y2}};
    XorPath(image, path, TXorPen{RedPenMask, 1, PenStyle::Solid});
}

void DrawBandFrame(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    XorFrame(image, x1, y1, x2, y2, TXorPen{BlackPenMask, 1, PenStyle::Dot});
}

void DrawResizeFrame(TLabelImage& image)
{
    const TResizeRect& r = EditorState.ResizeRect;
    const std::int32_t ox = LabelSetup.LeftMargin;
    const std::int32_t oy = LabelSetup.TopMargin;
    const TXorPen pen{RedPenMask, 3, PenStyle::Solid};
    const TFigure* figure = FindFigure(EditorState.ResizeFigure);
    if (figure != nullptr && figure->Is(TFigureKind::Line)) {
        const TPoint path[] = {{r.x1 + ox, r.y1 + oy}, {r.x2 + ox, r.y2 + oy}};
        XorPath(image, path, pen);
    } else {
        XorFrame(image, r.x1 + ox, r.y1 + oy, r.x2 + ox, r.y2 + oy, pen);
    }
}

}  // namespace zk
