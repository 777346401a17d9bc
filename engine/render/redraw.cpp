#include "engine/render/redraw.h"

#include "engine/model/figure_list.h"
#include "engine/pdf417/pdf417_encoder.h"
#include "engine/render/barcode_figure.h"
#include "engine/render/label_image.h"
#include "engine/render/picture_figure.h"
#include "engine/render/shape_figures.h"

namespace zk {

std::int32_t DrawnFigureCount = 0;
std::int32_t RedrawMode = 0;
std::function<void()> CanvasRedrawHook;

namespace {

// Draws one figure; false for the kinds that put nothing on the label.
bool DrawFigure(TFigure& figure)
{
    switch (figure.Kind()) {
    case TFigureKind::Text: return true;
    case TFigureKind::Barcode: DrawBarcodeFigure(figure.Barcode()); return true;
    case TFigureKind::Bar: {
        const TBarFigure& b = figure.Bar();
        DrawBarFigure(b.X, b.Y, b.Width, b.Height, b.Mode);
        return true;
    }
    case TFigureKind::Line: {
        const TLineFigure& l = figure.Line();
        DrawDiagonalLine(l.X1, l.Y1, l.X2, l.Y2, l.Thickness, l.Mode);
        return true;
    }
    case TFigureKind::Box: {
        const TBoxFigure& b = figure.Box();
        DrawBoxFigure(b.X1, b.Y1, b.Thickness, b.X2, b.Y2);
        return true;
    }
    case TFigureKind::Picture: DrawPictureFigure(figure.Picture()); return true;
    case TFigureKind::Pdf417: EncodePdf417(figure.Pdf417()); return true;
    case TFigureKind::Font: return false;
    }
    return false;
}

}  // namespace

void RedrawLabel(std::int32_t mode)
{
    DrawnFigureCount = 0;
    RedrawMode = mode;
    LabelImage.Clear();
    for (TFigure* figure : Figures()) {
        if (DrawFigure(*figure)) ++DrawnFigureCount;
    }
    if (mode == RedrawEditor && CanvasRedrawHook) {
        CanvasRedrawHook();
    }
}

}  // namespace zk
