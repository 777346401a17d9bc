#include "ui/dialogs/draw_geometry.h"

#include <algorithm>
#include <cstdlib>

#include "ui/editing/saturate.h"

namespace zk {

namespace {

constexpr std::int32_t MinBarSide = 4;
constexpr std::int32_t MinLineSpan = 16;
constexpr std::int32_t MinPdf417Width = 170;
constexpr std::int32_t MinPdf417Height = 12;

// The low edge and the extent of a drag along one axis, the extent raised
// to minimum.
struct TSpan {
    std::int32_t low;
    std::int32_t extent;
};

TSpan SpanOf(std::int32_t a, std::int32_t b, std::int32_t minimum)
{
    const std::int32_t low = std::min(a, b);
    return {low, std::max(std::max(a, b) - low, minimum)};
}

// Box edges along one axis: at least twice the thickness plus 4 apart, so
// that the inside stays open.
void BoxEdges(std::int32_t a, std::int32_t b, std::int32_t thickness, std::int16_t& low, std::int16_t& high)
{
    const std::int64_t from = std::min(a, b);
    std::int64_t to = std::max(a, b);
    const std::int64_t minimum = 2 * static_cast<std::int64_t>(thickness) + 4;
    if (to - from < minimum) {
        to = from + minimum;
    }
    low = SaturateI16(from);
    high = SaturateI16(to);
}

// Stretches a short line axis to MinLineSpan away from the other end.
void StretchAxis(std::int32_t& from, std::int32_t& to)
{
    if (to > from) {
        to = from + MinLineSpan;
    } else {
        from = to + MinLineSpan;
    }
}

}  // namespace

void PlaceDrawnFigure(TTextFigure& figure, TPoint start)
{
    figure.X = SaturateI16(start.x);
    figure.Y = SaturateI16(start.y);
}

void PlaceDrawnFigure(TBarcodeFigure& figure, TPoint start)
{
    figure.X = SaturateI16(start.x);
    figure.Y = SaturateI16(start.y);
}

void PlaceDrawnFigure(TPictureFigure& figure, TPoint start)
{
    figure.X = SaturateI16(start.x);
    figure.Y = SaturateI16(start.y);
    figure.Data.reset();
}

void PlaceDrawnFigure(TBarFigure& figure, TPoint start, TPoint end)
{
    const TSpan x = SpanOf(start.x, end.x, MinBarSide);
    const TSpan y = SpanOf(start.y, end.y, MinBarSide);
    figure.X = SaturateI16(x.low);
    figure.Width = SaturateI16(x.extent);
    figure.Y = SaturateI16(y.low);
    figure.Height = SaturateI16(y.extent);
}

void PlaceDrawnFigure(TBoxFigure& figure, TPoint start, TPoint end)
{
    BoxEdges(start.x, end.x, figure.Thickness, figure.X1, figure.X2);
    BoxEdges(start.y, end.y, figure.Thickness, figure.Y1, figure.Y2);
}

void PlaceDrawnFigure(TLineFigure& figure, TPoint start, TPoint end)
{
    if (std::abs(end.x - start.x) < MinLineSpan && std::abs(end.y - start.y) < MinLineSpan) {
        StretchAxis(start.x, end.x);
        StretchAxis(start.y, end.y);
    }
    figure.X1 = SaturateI16(start.x);
    figure.Y1 = SaturateI16(start.y);
    figure.X2 = SaturateI16(end.x);
    figure.Y2 = SaturateI16(end.y);
}

void PlaceDrawnFigure(TPdf417Figure& figure, TPoint start, TPoint end)
{
    const TSpan x = SpanOf(start.x, end.x, MinPdf417Width);
    const TSpan y = SpanOf(start.y, end.y, MinPdf417Height);
    figure.X = SaturateI16(x.low);
    figure.MaxWidth = SaturateU16(x.extent);
    figure.Y = SaturateI16(y.low);
    figure.MaxHeight = SaturateU16(y.extent);
    figure.Data.clear();
}

}  // namespace zk
