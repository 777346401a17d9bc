#include "ui/editing/grid_align.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "ui/editing/figure_rects.h"
#include "ui/editing/saturate.h"

namespace zk {

namespace {

// Height of the base line above the cell's bottom for resident fonts 0..5.
constexpr std::array<std::int32_t, 6> BASE_LINES = {20, 11, 14, 18, 20, 41};
constexpr std::int32_t FirstSoftFont = 6;
constexpr std::int32_t MinBarcodeHeight = 24;

std::int32_t SnapOne(std::int32_t value, std::int32_t step)
{
    const std::int64_t magnitude = std::llabs(std::int64_t{value});
    const std::int64_t snapped = step * ((magnitude + step / 2) / step);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value < 0 ? -snapped : snapped,
                                                              std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Snaps a 16-bit pair in place.
void SnapPair(std::int16_t& a, std::int16_t& b)
{
    std::int32_t x = a;
    std::int32_t y = b;
    SnapToGrid(x, y);
    a = SaturateI16(x);
    b = SaturateI16(y);
}

std::int32_t BaseLine(std::int32_t font)
{
    if (font >= FirstSoftFont) {
        return SoftFontHeightFromFigures(font);
    }
    return BASE_LINES[static_cast<std::size_t>(font < 0 ? 0 : font)];
}

void AlignText(TTextFigure& text)
{
    const std::int32_t e = BaseLine(text.Font) * text.VMult;
    std::int32_t x = text.X;
    std::int32_t y = text.Y;
    switch (text.Rotation & 3) {
    case 0: y += e; SnapToGrid(x, y); y -= e; break;
    case 1: x -= e; SnapToGrid(x, y); x += e; break;
    case 2: y -= e; SnapToGrid(x, y); y += e; break;
    default: x += e; SnapToGrid(x, y); x -= e; break;
    }
    text.X = SaturateI16(x);
    text.Y = SaturateI16(y);
}

void AlignBarcode(TBarcodeFigure& barcode, bool adjustSizes, std::int32_t step)
{
    SnapPair(barcode.X, barcode.Y);
    if (!adjustSizes) {
        return;
    }
    std::int32_t height = SnapOne(barcode.Height, step);
    if (height < MinBarcodeHeight) {
        // The smallest multiple of the step that reaches 24, rounded as a snap.
        height = step >= MinBarcodeHeight ? step : step * ((step / 2 + MinBarcodeHeight) / step);
    }
    barcode.Height = SaturateI16(height);
}

void AlignBar(TBarFigure& bar, bool adjustSizes, std::int32_t step)
{
    SnapPair(bar.X, bar.Y);
    if (!adjustSizes) {
        return;
    }
    SnapPair(bar.Width, bar.Height);
    if (bar.Width == 0) bar.Width = SaturateI16(step);
    if (bar.Height == 0) bar.Height = SaturateI16(step);
}

// The second point at least one step away from the first in each axis.
void KeepApart(std::int16_t x1, std::int16_t y1, std::int16_t& x2, std::int16_t& y2, std::int32_t step)
{
    if (std::abs(x2 - x1) < step) x2 = SaturateI16(std::int64_t{x1} + step);
    if (std::abs(y2 - y1) < step) y2 = SaturateI16(std::int64_t{y1} + step);
}

void AlignLine(TLineFigure& line, bool adjustSizes, std::int32_t step)
{
    if (!adjustSizes) {
        return;
    }
    SnapPair(line.X1, line.Y1);
    SnapPair(line.X2, line.Y2);
    KeepApart(line.X1, line.Y1, line.X2, line.Y2, step);
}

void AlignBox(TBoxFigure& box, bool adjustSizes, std::int32_t step)
{
    const std::int16_t oldX1 = box.X1;
    const std::int16_t oldY1 = box.Y1;
    SnapPair(box.X1, box.Y1);
    box.X2 = SaturateI16(std::int64_t{box.X2} + box.X1 - oldX1);
    box.Y2 = SaturateI16(std::int64_t{box.Y2} + box.Y1 - oldY1);
    if (!adjustSizes) {
        return;
    }
    SnapPair(box.X2, box.Y2);
    KeepApart(box.X1, box.Y1, box.X2, box.Y2, step);
}

}  // namespace

void SnapToGrid(std::int32_t& a, std::int32_t& b)
{
    const std::int32_t step = Settings.GridStep;
    if (step < 1) {
        return;
    }
    a = SnapOne(a, step);
    b = SnapOne(b, step);
}

void AlignToGrid(bool adjustSizes)
{
    const std::int32_t step = Settings.GridStep;
    if (step < 1) {
        return;
    }
    for (TFigure* figure : Figures()) {
        if (!figure->IsSelected()) {
            continue;
        }
        switch (figure->Kind()) {
        case TFigureKind::Text: AlignText(figure->Text()); break;
        case TFigureKind::Barcode: AlignBarcode(figure->Barcode(), adjustSizes, step); break;
        case TFigureKind::Bar: AlignBar(figure->Bar(), adjustSizes, step); break;
        case TFigureKind::Line: AlignLine(figure->Line(), adjustSizes, step); break;
        case TFigureKind::Box: AlignBox(figure->Box(), adjustSizes, step); break;
        case TFigureKind::Picture: SnapPair(figure->Picture().X, figure->Picture().Y); break;
        case TFigureKind::Font:
        case TFigureKind::Pdf417: break;
        }
    }
}

}  // namespace zk
