#include "ui/editing/resize.h"

#include <cstdlib>
#include <utility>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/figure_rects.h"
#include "ui/editing/saturate.h"

namespace zk {

namespace {

// A handle is grabbed when the pointer is less than this many dots away in
// both axes.
constexpr std::int32_t HandleReach = 5;

constexpr std::int32_t MinBarcodeHeight = 24;
constexpr std::int32_t MinRectSide = 2;
constexpr std::int32_t LineStretchBelow = 8;
constexpr std::int32_t LineStretchTo = 16;
constexpr std::int32_t MinPdf417Width = 170;
constexpr std::int32_t MinPdf417Height = 12;

bool Near(TPoint p, std::int32_t hx, std::int32_t hy)
{
    return std::abs(p.x - hx) < HandleReach && std::abs(p.y - hy) < HandleReach;
}

// The first of the four corners of r near p, 1..4, or 0.
int CornerHandle(TPoint p, const TResizeRect& r)
{
    if (Near(p, r.x1, r.y1)) return 1;
    if (Near(p, r.x2, r.y1)) return 2;
    if (Near(p, r.x1, r.y2)) return 3;
    if (Near(p, r.x2, r.y2)) return 4;
    return 0;
}

TResizeRect FromEditRect(const TEditRect& r)
{
    return {r.Left, r.Top, r.Right, r.Bottom};
}

int BarcodeHandle(TPoint p, const TResizeRect& r, int rotation)
{
    const bool alongX = p.x >= r.x1 && p.x <= r.x2;
    const bool alongY = p.y >= r.y1 && p.y <= r.y2;
    switch (rotation & 3) {
    case 0: return std::abs(p.y - r.y2) < HandleReach && alongX ? 5 : 0;
    case 1: return std::abs(p.x - r.x1) < HandleReach && alongY ? 6 : 0;
    case 2: return std::abs(p.y - r.y1) < HandleReach && alongX ? 7 : 0;
    default: return std::abs(p.x - r.x2) < HandleReach && alongY ? 8 : 0;
    }
}

int Pdf417Handle(TPoint p, const TResizeRect& r, int rotation)
{
    switch (rotation & 3) {
    case 0: return Near(p, r.x2, r.y2) ? 4 : 0;
    case 1: return Near(p, r.x1, r.y2) ? 3 : 0;
    case 2: return Near(p, r.x1, r.y1) ? 1 : 0;
    default: return Near(p, r.x2, r.y1) ? 2 : 0;
    }
}

// The handle of figure near p and the rectangle it drags, or 0.
int HandleOf(const TFigure& figure, TPoint p, TResizeRect& rect)
{
    switch (figure.Kind()) {
    case TFigureKind::Bar: {
        const TBarFigure& bar = figure.Bar();
        rect = {bar.X, bar.Y, bar.X + bar.Width, bar.Y + bar.Height};
        return CornerHandle(p, rect);
    }
    case TFigureKind::Box: {
        const TBoxFigure& box = figure.Box();
        rect = {box.X1, box.Y1, box.X2, box.Y2};
        return CornerHandle(p, rect);
    }
    case TFigureKind::Line: {
        const TLineFigure& line = figure.Line();
        rect = {line.X1, line.Y1, line.X2, line.Y2};
        if (Near(p, rect.x1, rect.y1)) return 1;
        if (Near(p, rect.x2, rect.y2)) return 4;
        return 0;
    }
    case TFigureKind::Barcode:
        rect = FromEditRect(FigureRect(figure, RectRule::Hit));
        return BarcodeHandle(p, rect, figure.Barcode().Rotation);
    case TFigureKind::Pdf417:
        rect = FromEditRect(FigureRect(figure, RectRule::Hit));
        return Pdf417Handle(p, rect, figure.Pdf417().Rotation);
    default: return 0;
    }
}

void NormaliseWithMinimum(TResizeRect& r)
{
    if (r.x1 > r.x2) std::swap(r.x1, r.x2);
    if (r.y1 > r.y2) std::swap(r.y1, r.y2);
    if (r.x2 - r.x1 < MinRectSide) r.x2 = r.x1 + MinRectSide;
    if (r.y2 - r.y1 < MinRectSide) r.y2 = r.y1 + MinRectSide;
}

void ApplyResize(TFigure& figure, TResizeRect r, int handle)
{
    switch (figure.Kind()) {
    case TFigureKind::Barcode: {
        TBarcodeFigure& barcode = figure.Barcode();
        const std::int32_t height = (handle == 5 || handle == 7) ? r.y2 - r.y1 : r.x2 - r.x1;
        barcode.Height = SaturateI16(std::max(height, MinBarcodeHeight));
        break;
    }
    case TFigureKind::Bar: {
        NormaliseWithMinimum(r);
        TBarFigure& bar = figure.Bar();
        bar.X = SaturateI16(r.x1);
        bar.Y = SaturateI16(r.y1);
        bar.Width = SaturateI16(r.x2 - r.x1);
        bar.Height = SaturateI16(r.y2 - r.y1);
        break;
    }
    case TFigureKind::Line: {
        if (std::abs(r.x2 - r.x1) < LineStretchBelow && std::abs(r.y2 - r.y1) < LineStretchBelow) {
            if (r.x1 < r.x2) {
                r.x2 = r.x1 + LineStretchTo;
            } else {
                r.x1 = r.x2 + LineStretchTo;
            }
        }
        TLineFigure& line = figure.Line();
        line.X1 = SaturateI16(r.x1);
        line.Y1 = SaturateI16(r.y1);
        line.X2 = SaturateI16(r.x2);
        line.Y2 = SaturateI16(r.y2);
        break;
    }
    case TFigureKind::Box: {
        NormaliseWithMinimum(r);
        TBoxFigure& box = figure.Box();
        box.X1 = SaturateI16(r.x1);
        box.Y1 = SaturateI16(r.y1);
        box.X2 = SaturateI16(r.x2);
        box.Y2 = SaturateI16(r.y2);
        break;
    }
    case TFigureKind::Pdf417: {
        TPdf417Figure& pdf = figure.Pdf417();
        const bool upright = (pdf.Rotation & 1) == 0;
        const std::int32_t width = upright ? r.x2 - r.x1 : r.y2 - r.y1;
        const std::int32_t height = upright ? r.y2 - r.y1 : r.x2 - r.x1;
        pdf.MaxWidth = SaturateU16(std::max(width, MinPdf417Width));
        pdf.MaxHeight = SaturateU16(std::max(height, MinPdf417Height));
        break;
    }
    default: break;
    }
}

}  // namespace

void FindResizeHandle(std::int32_t x, std::int32_t y)
{
    const TPoint p{x - LabelSetup.LeftMargin, y - LabelSetup.TopMargin};
    EditorState.ResizeHandle = 0;
    for (TFigure* figure : Figures()) {
        TResizeRect rect;
        const int handle = HandleOf(*figure, p, rect);
        if (handle != 0) {
            EditorState.ResizeHandle = handle;
            EditorState.ResizeFigure = figure->Id;
            EditorState.ResizeRect = rect;
            return;
        }
    }
}

void MoveResizeHandle(std::int32_t dx, std::int32_t dy)
{
    TResizeRect& r = EditorState.ResizeRect;
    switch (EditorState.ResizeHandle) {
    case 1: r.x1 += dx; r.y1 += dy; break;
    case 2: r.x2 += dx; r.y1 += dy; break;
    case 3: r.x1 += dx; r.y2 += dy; break;
    case 4: r.x2 += dx; r.y2 += dy; break;
    case 5: r.y2 += dy; break;
    case 6: r.x1 += dx; break;
    case 7: r.y1 += dy; break;
    case 8: r.x2 += dx; break;
    default: break;
    }
}

void EndResize()
{
    TFigure* figure = FindFigure(EditorState.ResizeFigure);
    EditorState.ResizeFigure = 0;
    if (figure == nullptr) {
        return;
    }
    if (!EditorState.CancelResize) {
        ApplyResize(*figure, EditorState.ResizeRect, EditorState.ResizeHandle);
    }
    if (EditorState.ResizeWasSelected) {
        figure->Flags |= FigureFlag::Selected;
    }
    RedrawLabel(RedrawEditor);
}

}  // namespace zk
