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

// Main symbol with its digits: the digit bars stop 16 dots short, the guards
// reach down between the digit groups.
void DrawEanWithDigits(const TOrigin& o, int narrow, int height, int shift)
{
    const TPlace bars = Turned(o.X, o.Y, shift, 0, o.Rotation);
    DrawModules(bars.X, bars.Y, height - EAN_GUARD_DROP, o.Rotation);
    EncodeEanGuards(narrow);
    const TPlace guards = Turned(o.X, o.Y, shift, height - EAN_GUARD_DROP, o.Rotation);
    DrawModules(guards.X, guards.Y, EAN_GUARD_DROP, o.Rotation);
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
        DrawEanWithDigits(o, figure.Narrow, figure.Height, shift);
    } else {
        DrawModules(o.X, o.Y, figure.Height, o.Rotation);
    }
    if (AddOnDigits != 0) DrawAddOn(o, figure, n, shift);
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
        }
    }
    if (BarcodeInvalid != 0) DrawCross(o, n, figure.Height);
}

}  // namespace zk
