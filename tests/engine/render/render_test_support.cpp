#include "tests/engine/render/render_test_support.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <vector>

#include "engine/render/label_image.h"

namespace zk::test {

std::string Pixels(int x, int y, int width, int height)
{
    std::string art;
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col) {
            const std::uint32_t p = LabelImage.Pixel(col, row);
            art.push_back(p == Black ? '#' : p == White ? '.' : p == Red ? 'r' : '?');
        }
        art.push_back('\n');
    }
    return art;
}

int CountPixels(std::uint32_t colour)
{
    const std::uint32_t* bits = LabelImage.Bits();
    const std::size_t size = static_cast<std::size_t>(LabelImage.Width()) * static_cast<std::size_t>(LabelImage.Height());
    return static_cast<int>(std::count(bits, bits + size, colour));
}

std::optional<TDecoded> DecodeLabel(std::string_view format, const TDecodeOptions& options)
{
    const int width = LabelImage.Width();
    const int height = LabelImage.Height();
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const std::uint32_t* bits = LabelImage.Bits();
    for (std::size_t i = 0; i < grey.size(); ++i) {
        grey[i] = bits[i] == Black ? 0 : 255;
    }
    auto hints = ZXing::DecodeHints()
                     .setFormats(ZXing::BarcodeFormatFromString(std::string(format)))
                     .setBinarizer(ZXing::Binarizer::BoolCast)
                     .setTryCode39ExtendedMode(options.Code39Extended)
                     .setValidateCode39CheckSum(options.Code39CheckSum)
                     .setValidateITFCheckSum(options.ItfCheckSum)
                     .setReturnCodabarStartEnd(true)
                     .setEanAddOnSymbol(options.ReadEanAddOn ? ZXing::EanAddOnSymbol::Require
                                                             : ZXing::EanAddOnSymbol::Ignore);
    const ZXing::Result result =
        ZXing::ReadBarcode(ZXing::ImageView(grey.data(), width, height, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid()) return std::nullopt;
    return TDecoded{ZXing::ToString(result.format()), result.text(), result.symbologyIdentifier()};
}

}  // namespace zk::test
