#include "ui/editing/selection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "ui/editing/figure_rects.h"
#include "ui/editing/xor_drawing.h"

namespace zk {

namespace {

// Distance in dots within which a click still hits a thin line or box edge.
constexpr double MinLineTolerance = 4.0;
constexpr std::int32_t MinBoxBand = 4;

TPoint ToLabelDots(std::int32_t x, std::int32_t y)
{
    return {x - LabelSetup.LeftMargin, y - LabelSetup.TopMargin};
}

bool Between(std::int32_t value, std::int32_t a, std::int32_t b)
{
    return value >= std::min(a, b) && value <= std::max(a, b);
}

bool LineContains(const TLineFigure& line, TPoint p)
{
    const double t = std::max(line.Thickness * 0.5, MinLineTolerance);
    const double x1 = line.X1;
    const double y1 = line.Y1;
    const double x2 = line.X2;
    const double y2 = line.Y2;
    if (line.X1 == line.X2 && line.Y1 == line.Y2) {
        // Both ends in one place: the line is a point with the tolerance around it.
        return std::abs(p.x - x1) <= t && std::abs(p.y - y1) <= t;
    }
    if (std::abs(x2 - x1) > std::abs(y2 - y1)) {
        if (!Between(p.x, line.X1, line.X2)) {
            return false;
        }
        const double y = p.x * (y2 - y1) / (x2 - x1) + (x2 * y1 - x1 * y2) / (x2 - x1);
        return p.y - t <= y && y <= p.y + t;
    }
    if (!Between(p.y, line.Y1, line.Y2)) {
        return false;
    }
    const double x = p.y * (x2 - x1) / (y2 - y1) + (y2 * x1 - x2 * y1) / (y2 - y1);
    return p.x - t <= x && x <= p.x + t;
}

bool BoxOutlineContains(const TBoxFigure& box, TPoint p, const TEditRect& rect)
{
    if (!rect.Contains(p)) {
        return false;
    }
    const std::int32_t k = std::max<std::int32_t>(box.Thickness, MinBoxBand);
    const bool inner = rect.Left + k < p.x && p.x < rect.Right - k && rect.Top + k < p.y && p.y < rect.Bottom - k;
    return !inner;
}

void ReduceFlagsToSelection()
{
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font)) {
            figure->Flags &= FigureFlag::Selected;
        }
    }
}

bool BandHolds(const TFigure& figure, const TEditRect& band)
{
    const std::int32_t ox = LabelSetup.LeftMargin;
    const std::int32_t oy = LabelSetup.TopMargin;
    if (figure.Is(TFigureKind::Line)) {
        const TLineFigure& line = figure.Line();
        return band.Contains({line.X1 + ox, line.Y1 + oy}) || band.Contains({line.X2 + ox, line.Y2 + oy});
    }
    const TEditRect r = FigureRect(figure, RectRule::Band).Offset(ox, oy);
    return band.Contains({r.Left, r.Top}) || band.Contains({r.Right, r.Top}) || band.Contains({r.Left, r.Bottom}) ||
           band.Contains({r.Right, r.Bottom});
}

}  // namespace

bool FigureContains(const TFigure& figure, TPoint p)
{
    switch (figure.Kind()) {
    case TFigureKind::Line: return LineContains(figure.Line(), p);
    case TFigureKind::Box: return BoxOutlineContains(figure.Box(), p, FigureRect(figure, RectRule::Hit));
    case TFigureKind::Font: return false;
    default: return FigureRect(figure, RectRule::Hit).Contains(p);
    }
}

int HitTestFigures(std::int32_t x, std::int32_t y)
{
    const TPoint p = ToLabelDots(x, y);
    EditorState.HitCount = 0;
    for (TFigure* figure : Figures()) {
        if (FigureContains(*figure, p)) {
            figure->Flags |= FigureFlag::HitMark;
            EditorState.HitCount = 1;
            return 1;
        }
    }
    return 0;
}

void ClickSelect(std::int32_t x, std::int32_t y, bool add)
{
    for (TFigure* figure : Figures()) {
        figure->Flags &= static_cast<std::uint8_t>(~(FigureFlag::HitMark | FigureFlag::SavedSelection));
        if (figure->IsSelected()) {
            figure->Flags |= FigureFlag::SavedSelection;
        }
    }
    HitTestFigures(x, y);

    constexpr std::uint8_t savedAndHit = FigureFlag::SavedSelection | FigureFlag::HitMark;
    bool keepSelection = false;
    if (!add) {
        for (TFigure* figure : Figures()) {
            figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::Selected);
            keepSelection = keepSelection || (figure->Flags & savedAndHit) == savedAndHit;
        }
    }
    for (TFigure* figure : Figures()) {
        const bool hit = (figure->Flags & FigureFlag::HitMark) != 0;
        const bool saved = (figure->Flags & FigureFlag::SavedSelection) != 0;
        if (hit || (keepSelection && saved)) {
            figure->Flags |= FigureFlag::Selected;
        }
    }
    ReduceFlagsToSelection();
    DrawSelectionFrames(true);
}

void SelectInBand()
{
    const TEditRect band = EditorState.BandRect.Normalised();
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font) && BandHolds(*figure, band)) {
            figure->Flags |= FigureFlag::Selected;
        }
    }
    DrawSelectionFrames(true);
}

void SelectAllFigures()
{
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font)) {
            figure->Flags = FigureFlag::Selected;
        }
    }
    DrawSelectionFrames(true);
}

void UnselectAll()
{
    for (TFigure* figure : Figures()) {
        figure->Flags = 0;
    }
    DrawSelectionFrames(true);
}

std::vector<TSelectionFrame> SelectionFrames()
{
    const std::int32_t ox = LabelSetup.LeftMargin;
    const std::int32_t oy = LabelSetup.TopMargin;
    std::vector<TSelectionFrame> frames;
    for (const TFigure* figure : Figures()) {
        if (!figure->IsSelected() || figure->Is(TFigureKind::Font)) {
            continue;
        }
        if (figure->Is(TFigureKind::Line)) {
            const TLineFigure& line = figure->Line();
            frames.push_back({true, {line.X1 + ox, line.Y1 + oy, line.X2 + ox, line.Y2 + oy}});
        } else {
            const TEditRect r = FigureRect(*figure, RectRule::Frame).Offset(ox, oy);
            frames.push_back({false, {r.Left, r.Top, r.Right, r.Bottom}});
        }
    }
    return frames;
}

void XorSelectionFrames(TLabelImage& image)
{
    const TXorPen pen{RedPenMask, 1, PenStyle::Solid};
    for (const TSelectionFrame& frame : SelectionFrames()) {
        const TResizeRect& s = frame.Shape;
        if (frame.IsLine) {
            const TPoint path[] = {{s.x1, s.y1}, {s.x2, s.y2}};
            XorPath(image, path, pen);
        } else {
            XorFrame(image, s.x1, s.y1, s.x2, s.y2, pen);
        }
    }
}

void DrawSelectionFrames(bool refresh)
{
    if (refresh && EditingHooks.RefreshCanvas) {
        EditingHooks.RefreshCanvas();
    }
    if (EditingHooks.Label != nullptr) {
        XorSelectionFrames(*EditingHooks.Label);
    }
}

}  // namespace zk
