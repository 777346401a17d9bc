#include "engine/render/barcode_figure.h"

#include <algorithm>
#include <string_view>

#include "engine/barcode/barcode.h"
#include "engine/barcode/barcode_state.h"
#include "engine/model/label_setup.h"
#include "engine/render/barcode_layout.h"
#include "engine/render/draw_modules.h"
#include "engine/render/invalid_cross.h"
#include "engine/render/redraw.h"
#include "engine/render/saturate.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"

namespace zk {
namespace {

constexpr int POSTNET_HEIGHT = 24;
constexpr int POSTNET_UPPER = 16;  // the part of the tall bars above the short ones
constexpr int EAN_GUARD_DROP = 16;
constexpr int ADDON_DIGIT_ROOM = 24;

struct TOrigin {
    int X;
    int Y;
    int Rotation;
};

// The encoded text is drawn as it is while a barcode is drawn.
class TRawTextScope {
public:
    TRawTextScope() { RawTextMode = 1; }
    ~TRawTextScope() { RawTextMode = 0; }
    TRawTextScope(const TRawTextScope&) = delete;
    TRawTextScope& operator=(const TRawTextScope&) = delete;
};

void DrawRun(const THumanReadableRun& run, int rotation)
{
    if (run.Chars.empty()) return;
    RenderHumanReadable(run.At.X, run.At.Y, rotation, run.Font, run.Pitch, run.Chars,
                        static_cast<int>(run.Chars.size()));
}

// Main symbol with its digits: the digit bars stop 16 dots short, the guards
// reach down between the digit groups.
void DrawEanWithDigits(const TOrigin& o, TEanFamily family, int narrow, int height, int shift)
{
    const TPlace bars = Turned(o.X, o.Y, shift, 0, o.Rotation);
    DrawModules(bars.X, bars.Y, height - EAN_GUARD_DROP, o.Rotation);
    EncodeEanGuards(narrow);
    const TPlace guards = Turned(o.X, o.Y, shift, height - EAN_GUARD_DROP, o.Rotation);
    DrawModules(guards.X, guards.Y, EAN_GUARD_DROP, o.Rotation);
    for (const THumanReadableRun& run : EanDigitRuns(family, o.X, o.Y, narrow, height, o.Rotation)) {
        DrawRun(run, o.Rotation);
    }
}

void DrawAddOn(const TOrigin& o, TBarcodeFigure& figure, int n, int shift)
{
    const int m = figure.Narrow;
    const int k = AddOnDigits;
    figure.RenderedWidth = SaturateToInt16(static_cast<long long>(m) * (9 * k + 11) + n);
    const std::string_view text = BarcodeText.view();
    EncodeAddOn(m, text.substr(text.size() - std::min<std::size_t>(static_cast<std::size_t>(k), text.size())));
    const int start = shift + n + 9 * m;
    if (figure.HumanReadable != 0) {
        const TPlace at = Turned(o.X, o.Y, start, ADDON_DIGIT_ROOM, o.Rotation);
        DrawModules(at.X, at.Y, figure.Height - ADDON_DIGIT_ROOM, o.Rotation);
        DrawRun(AddOnDigitRun(o.X, o.Y, m, n, shift, o.Rotation), o.Rotation);
    } else {
        const TPlace at = Turned(o.X, o.Y, start, 0, o.Rotation);
        DrawModules(at.X, at.Y, figure.Height, o.Rotation);
    }
}

void DrawEanUpc(const TOrigin& o, TBarcodeFigure& figure, int n)
{
    const TEanFamily family = EanFamilyOf(figure.Type);
    int shift = 0;
    if (figure.HumanReadable != 0) {
        shift = EanBarShift(family, figure.Narrow);
        DrawEanWithDigits(o, family, figure.Narrow, figure.Height, shift);
    } else {
        DrawModules(o.X, o.Y, figure.Height, o.Rotation);
    }
    if (AddOnDigits != 0) DrawAddOn(o, figure, n, shift);
}

// The text line of the other types, with a font that suits the bars' pitch.
// Empty text (Code 128 data of characters 160 and up only) has no line.
void DrawTextLine(const TBarcodeFigure& figure, int n)
{
    if (figure.HumanReadable == 0 || BarcodeText.empty()) return;
    const THumanReadableLine line = HumanReadableLineOf(figure, n, static_cast<int>(BarcodeText.size()));
    SendGlyphsAsGraphics = 0;
    RenderPrinterText(line.At.X, line.At.Y, figure.Rotation & 3, line.Font, 1, line.VMult, 0, BarcodeText.view());
}

// Tall bars first, their upper 16 dots; then every bar 8 dots long below.
void DrawPostnet(const TOrigin& o)
{
    DrawModules(o.X, o.Y, POSTNET_UPPER, o.Rotation);
    EncodePostnetAllBars();
    const TPlace lower = Turned(o.X, o.Y, 0, POSTNET_UPPER, o.Rotation);
    DrawModules(lower.X, lower.Y, POSTNET_HEIGHT - POSTNET_UPPER, o.Rotation);
}

void DrawCross(const TOrigin& o, int n, int h)
{
    const int x = o.X;
    const int y = o.Y;
    switch (o.Rotation) {
    case 0: DrawInvalidCross(x + 5, y + 5, x + n - 10, y + h - 10); break;
    case 1: DrawInvalidCross(x - 5, y + 5, x + 10 - h, y + n - 10); break;
    case 2: DrawInvalidCross(x - 5, y - 5, x + 10 - n, y - h + 10); break;
    default: DrawInvalidCross(x + 5, y - 5, x + h - 10, y - n + 10); break;
    }
}

}  // namespace

void DrawBarcodeFigure(TBarcodeFigure& figure)
{
    const TRawTextScope rawText;
    EncodeBarcode(figure);
    const int n = ModuleArrayCount;
    if (BarcodeInvalid != 0 && RedrawMode == RedrawDriverPrint) return;
    const bool postnet = figure.Type == static_cast<int>(BarcodeType::Postnet);
    if (postnet) figure.Height = POSTNET_HEIGHT;

    const TOrigin o{figure.X + LabelSetup.LeftMargin, figure.Y + LabelSetup.TopMargin, figure.Rotation & 3};
    if (n > 0) {
        if (EanGroupKind != 0) {
            DrawEanUpc(o, figure, n);
        } else if (postnet) {
            DrawPostnet(o);
        } else {
            DrawModules(o.X, o.Y, figure.Height, o.Rotation);
            DrawTextLine(figure, n);
        }
    }
    if (BarcodeInvalid != 0) DrawCross(o, n, figure.Height);
}

}  // namespace zk
