#include "engine/render/redraw.h"

#include "engine/model/figure_list.h"
#include "engine/pdf417/pdf417_encoder.h"
#include "engine/render/barcode_figure.h"
#include "engine/render/label_image.h"
#include "engine/render/picture_figure.h"
#include "engine/render/saturate.h"
#include "engine/render/shape_figures.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"

namespace zk {

std::int32_t DrawnFigureCount = 0;
std::int32_t RedrawMode = 0;
std::function<void()> CanvasRedrawHook;

namespace {

// Resident-font texts look their glyphs up in table 0 when the figure asks
// for English; everything else drawn later (barcode lines) always does.
void DrawTextFigure(TTextFigure& text)
{
    SendGlyphsAsGraphics = 0;
    UseEnglishTable = text.Font <= 5 && (text.Attributes & TextAttr::UseEnglish) != 0 ? 1 : 0;
    RenderPrinterText(text.X, text.Y, text.Rotation, text.Font, text.HMult, text.VMult, text.Attributes,
                      text.Data.view());
    text.RenderedWidth = SaturateToInt16(TextRenderState.RenderedWidthSum);
    UseEnglishTable = 1;
}

// Draws one figure; false for the kinds that put nothing on the label.
bool DrawFigure(TFigure& figure)
{
    switch (figure.Kind()) {
    case TFigureKind::Text: DrawTextFigure(figure.Text()); return true;
    case TFigureKind::Barcode:
        UseEnglishTable = 1;
        DrawBarcodeFigure(figure.Barcode());
        return true;
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
    RedrawForDriverPrint = mode == RedrawDriverPrint ? 1 : 0;
    LabelImage.Clear();
    for (TFigure* figure : Figures()) {
        if (DrawFigure(*figure)) ++DrawnFigureCount;
    }
    RedrawForDriverPrint = 0;
    if (mode == RedrawEditor && CanvasRedrawHook) {
        CanvasRedrawHook();
    }
}

}  // namespace zk
