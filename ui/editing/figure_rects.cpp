#include "ui/editing/figure_rects.h"

#include <array>
#include <cctype>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/barcode_layout.h"

namespace zk {

namespace {

// Text cell heights of the resident fonts 0..5 as each rule sees them.
constexpr std::array<std::int32_t, 6> HIT_TEXT_HEIGHTS = {24, 12, 16, 20, 24, 48};
constexpr std::array<std::int32_t, 6> BAND_TEXT_HEIGHTS = {29, 16, 21, 25, 29, 58};

constexpr std::int32_t FirstSoftFont = 6;
constexpr std::int32_t MissingSoftFontHeight = 16;

TEditRect Span(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    return TEditRect{static_cast<std::int32_t>(x1), static_cast<std::int32_t>(y1), static_cast<std::int32_t>(x2),
                     static_cast<std::int32_t>(y2)}
        .Normalised();
}

// Languages whose text runs right to left unless the figure says otherwise.
bool RightToLeftLanguage()
{
    return LabelSetup.Language == 11 || LabelSetup.Language == 12;
}

TEditRect TextRect(const TTextFigure& text, RectRule rule)
{
    const std::int32_t w = text.RenderedWidth;
    const std::int32_t h = TextCellHeight(text.Font, rule) * text.VMult;
    const int rotation = text.Rotation & 3;
    std::int32_t dx = w;
    std::int32_t dy = h;
    switch (rotation) {
    case 1: dx = -h; dy = w; break;
    case 2: dx = -w; dy = -h; break;
    case 3: dx = h; dy = -w; break;
    default: break;
    }
    bool reverse = (text.Attributes & TextAttr::ReverseDirection) != 0;
    if (RightToLeftLanguage()) {
        reverse = !reverse;
    }
    if (reverse) {
        if (rotation == 0 || rotation == 2) {
            dx = -dx;
        } else {
            dy = -dy;
        }
    }
    return Span(text.X, text.Y, std::int64_t{text.X} + dx, std::int64_t{text.Y} + dy);
}

// The types whose bars move right for a leading digit (the EAN-13 family,
// its price types and add-ons included, and UPC-E): the add-on follows the
// moved bars, so the rectangle grows by the move. Type 23 has room for a
// digit on both sides.
std::int32_t HumanReadableOverhang(const TBarcodeFigure& barcode)
{
    if (barcode.HumanReadable == 0) {
        return 0;
    }
    const std::int32_t overhang = EanBarShift(EanFamilyOf(barcode.Type), barcode.Narrow);
    return barcode.Type == static_cast<int>(BarcodeType::UpcE) ? 2 * overhang : overhang;
}

TEditRect RotatedRect(std::int32_t x, std::int32_t y, std::int32_t length, std::int32_t height, int rotation)
{
    switch (rotation & 3) {
    case 1: return Span(x - height, y, x, std::int64_t{y} + length);
    case 2: return Span(std::int64_t{x} - length, y - height, x, y);
    case 3: return Span(x, std::int64_t{y} - length, std::int64_t{x} + height, y);
    default: return Span(x, y, std::int64_t{x} + length, std::int64_t{y} + height);
    }
}

TEditRect BarcodeRect(const TBarcodeFigure& barcode, RectRule rule)
{
    std::int32_t length = barcode.RenderedWidth + HumanReadableOverhang(barcode);
    std::int32_t height = barcode.Height;
    if (rule == RectRule::Frame) {
        ++length;
        ++height;
    }
    return RotatedRect(barcode.X, barcode.Y, length, height, barcode.Rotation);
}

// The frame steps one dot out from the first corner as stored, before the
// corners are put in order: a box stored from bottom right to top left is
// framed one dot in from its right and bottom edges instead.
TEditRect BoxLikeRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, RectRule rule)
{
    if (rule == RectRule::Frame) {
        return Span(std::int64_t{x1} - 1, std::int64_t{y1} - 1, x2, y2);
    }
    return Span(x1, y1, x2, y2);
}

}  // namespace

std::int32_t SoftFontHeightFromFigures(std::int32_t font)
{
    const TSoftFontFigure* named = nullptr;
    std::int32_t index = FirstSoftFont;
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font) && index++ == font) {
            named = &figure->SoftFont();
            break;
        }
    }
    if (named == nullptr || named->Letter.empty()) {
        return MissingSoftFontHeight;
    }
    const auto letter = std::toupper(static_cast<unsigned char>(named->Letter.view()[0]));
    for (const TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font) || figure->SoftFont().Letter.empty()) {
            continue;
        }
        if (std::toupper(static_cast<unsigned char>(figure->SoftFont().Letter.view()[0])) == letter) {
            return figure->SoftFont().Height;
        }
    }
    return MissingSoftFontHeight;
}

std::int32_t TextCellHeight(std::int32_t font, RectRule rule)
{
    if (font >= FirstSoftFont) {
        return SoftFontHeightFromFigures(font);
    }
    // A negative font number (damaged data) is measured as font 0, the font
    // the renderer substitutes.
    const auto index = static_cast<std::size_t>(font < 0 ? 0 : font);
    return rule == RectRule::Band ? BAND_TEXT_HEIGHTS[index] : HIT_TEXT_HEIGHTS[index];
}

TEditRect FigureRect(const TFigure& figure, RectRule rule)
{
    switch (figure.Kind()) {
    case TFigureKind::Text: return TextRect(figure.Text(), rule);
    case TFigureKind::Barcode: return BarcodeRect(figure.Barcode(), rule);
    case TFigureKind::Bar: {
        const TBarFigure& bar = figure.Bar();
        return BoxLikeRect(bar.X, bar.Y, bar.X + bar.Width, bar.Y + bar.Height, rule);
    }
    case TFigureKind::Picture: {
        const TPictureFigure& picture = figure.Picture();
        return BoxLikeRect(picture.X, picture.Y, picture.X + picture.Width, picture.Y + picture.Height, rule);
    }
    case TFigureKind::Box: {
        const TBoxFigure& box = figure.Box();
        return BoxLikeRect(box.X1, box.Y1, box.X2, box.Y2, rule);
    }
    case TFigureKind::Line: {
        const TLineFigure& line = figure.Line();
        return Span(line.X1, line.Y1, line.X2, line.Y2);
    }
    case TFigureKind::Pdf417: {
        const TPdf417Figure& pdf = figure.Pdf417();
        return RotatedRect(pdf.X, pdf.Y, pdf.MaxWidth, pdf.MaxHeight, pdf.Rotation);
    }
    case TFigureKind::Font: break;
    }
    return {};
}

}  // namespace zk
