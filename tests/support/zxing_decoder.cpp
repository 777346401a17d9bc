#include "tests/support/zxing_decoder.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include "engine/render/label_image.h"

namespace zk::test {

std::optional<TDecoded> DecodeGrey(std::span<const std::uint8_t> grey, int width, int height, std::string_view format,
                                   const TDecodeOptions& options)
{
    const auto hints = ZXing::DecodeHints()
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
    if (!result.isValid()) {
        return std::nullopt;
    }
    return TDecoded{ZXing::ToString(result.format()), result.text(), result.symbologyIdentifier(),
                    std::string(result.bytes().begin(), result.bytes().end()), result.ecLevel()};
}

std::vector<std::uint8_t> LabelImageAsGrey()
{
    const std::size_t size = static_cast<std::size_t>(LabelImage.Width()) * static_cast<std::size_t>(LabelImage.Height());
    std::vector<std::uint8_t> grey(size);
    const std::uint32_t* bits = LabelImage.Bits();
    for (std::size_t i = 0; i < size; ++i) {
        grey[i] = bits[i] == Black ? 0 : 255;
    }
    return grey;
}

}  // namespace zk::test
