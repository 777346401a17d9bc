#include "engine/render/barcode_layout.h"

#include <algorithm>
#include <string_view>

#include "engine/barcode/barcode_state.h"

namespace zk {
namespace {

std::string Slice(std::string_view text, std::size_t from, std::size_t count)
{
    if (from >= text.size()) return {};
    return std::string(text.substr(from, count));
}

}  // namespace

TPlace Turned(int x, int y, int along, int across, int rotation)
{
    switch (rotation & 3) {
    case 1: return {x - across, y + along};
    case 2: return {x - along, y - across};
    case 3: return {x + across, y - along};
    default: return {x + along, y + across};
    }
}

TEanFamily EanFamilyOf(int type)
{
    const auto t = BarcodeTypeFromIndex(type);
    if (!t) return TEanFamily::None;
    switch (*t) {
    case BarcodeType::Ean8:
    case BarcodeType::Ean8AddOn2:
    case BarcodeType::Ean8AddOn5: return TEanFamily::Ean8;
    case BarcodeType::Ean13:
    case BarcodeType::Ean13AddOn2:
    case BarcodeType::Ean13AddOn5:
    case BarcodeType::Ean13Price:
    case BarcodeType::Ean13PriceAddOn2:
    case BarcodeType::Ean13PriceAddOn5: return TEanFamily::Ean13;
    case BarcodeType::UpcA:
    case BarcodeType::UpcAAddOn2:
    case BarcodeType::UpcAAddOn5: return TEanFamily::UpcA;
    case BarcodeType::UpcE:
    case BarcodeType::UpcEAddOn2:
    case BarcodeType::UpcEAddOn5: return TEanFamily::UpcE;
    default: return TEanFamily::None;
    }
}

TEanDigitFont EanDigitFont(int narrow)
{
    if (narrow <= 1) return {1, 8};
    if (narrow == 2) return {3, 12};
    return {4, 14};
}

int EanBarShift(TEanFamily family, int narrow)
{
    return family == TEanFamily::Ean13 || family == TEanFamily::UpcE ? 3 * narrow + 12 : 0;
}

std::vector<THumanReadableRun> EanDigitRuns(TEanFamily family, int x, int y, int narrow, int height, int rotation)
{
    const int m = narrow;
    const TEanDigitFont font = EanDigitFont(m);
    const int dw = font.GlyphWidth;
    const int shift = EanBarShift(family, m);
    const int row = height - 12;
    const std::string_view text = BarcodeText.view();
    const std::string check(1, CheckDigitChar);
    const int lead = -(8 * m + dw + 4) / 2;
    const int first = (13 * m - dw) / 2;
    const int second = 46 * m + (13 * m - dw) / 2;

    std::vector<std::pair<int, std::string>> groups;
    switch (family) {
    case TEanFamily::Ean8:
        groups = {{first, Slice(text, 0, 4)}, {32 * m + first, Slice(text, 4, 3) + check}};
        break;
    case TEanFamily::Ean13:
        groups = {{lead, Slice(text, 0, 1)}, {first, Slice(text, 1, 6)}, {second, Slice(text, 7, 5) + check}};
        break;
    case TEanFamily::UpcA:
        groups = {{first, Slice(text, 0, 6)}, {second, Slice(text, 6, 5) + check}};
        break;
    case TEanFamily::UpcE:
        groups = {{lead, "0"}, {first, Slice(text, 0, 6)}, {46 * m + (17 * m - dw) / 2, check}};
        break;
    case TEanFamily::None: break;
    }
    std::vector<THumanReadableRun> runs;
    for (auto& [along, chars] : groups) {
        runs.push_back({Turned(x, y, shift + along, row, rotation), font.Font, 7 * m, std::move(chars)});
    }
    return runs;
}

THumanReadableRun AddOnDigitRun(int x, int y, int narrow, int moduleCount, int shift, int rotation)
{
    const std::string_view text = BarcodeText.view();
    const std::size_t k = std::min<std::size_t>(AddOnDigits, text.size());
    return {Turned(x, y, shift + moduleCount + 14 * narrow - 2, 0, rotation), EanDigitFont(narrow).Font, 9 * narrow,
            std::string(text.substr(text.size() - k))};
}

int HumanReadableFont(int pitch)
{
    if (pitch <= 11) return 1;
    if (pitch <= 13) return 2;
    if (pitch <= 15) return 3;
    return 4;
}

THumanReadableLine HumanReadableLineOf(const TBarcodeFigure& figure, int moduleCount, int length)
{
    const int n = moduleCount;
    const int font = HumanReadableFont(n / length);
    const int width = (2 * font + 8) * length;
    int offset = 0;
    if (figure.HumanReadable == 2) offset = (n - width) / 2;
    if (figure.HumanReadable == 3) offset = n - width;
    return {Turned(figure.X, figure.Y, offset, figure.Height + 4, figure.Rotation), font, font <= 2 ? 2 : 1};
}

}  // namespace zk
