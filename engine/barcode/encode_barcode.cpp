// The entry point of the barcode encoders: evaluates a figure's data and
// hands it to the encoder its type index selects.

#include <array>
#include <span>

#include "engine/barcode/barcode.h"
#include "engine/barcode/family_encoders.h"
#include "engine/expr/data_expression.h"

namespace zk {
namespace {

// Type index -> encoder, in BarcodeType order.
constexpr std::array<BarcodeEncoder, BarcodeTypeCount> ENCODERS = {
    EncodeCode39,           // 0 Code 39
    EncodeCode39,           // 1 Code 39 with check digit
    EncodeCode93,           // 2 Code 93
    EncodeCode128Auto,      // 3 Code 128 auto
    EncodeCodabar,          // 4 Codabar
    EncodeEanUpc,           // 5 EAN 8
    EncodeEanUpc,           // 6 EAN 8 + 2
    EncodeEanUpc,           // 7 EAN 8 + 5
    EncodeEanUpc,           // 8 EAN 13
    EncodeEanUpc,           // 9 EAN 13 + 2
    EncodeEanUpc,           // 10 EAN 13 + 5
    EncodeEanUpc,           // 11 EAN 13 with internal check digit
    EncodeEan128,           // 12 EAN 128
    EncodeGermanPostal,     // 13 German Postal Code
    EncodeInterleaved2of5,  // 14 Interleaved 2 of 5
    EncodeInterleaved2of5,  // 15 ITF with check digit
    EncodeInterleaved2of5,  // 16 ITF with shown check digit
    EncodePlessey,          // 17 Plessey
    EncodePostnet,          // 18 Postnet
    EncodeSscc18,           // 19 SSCC-18
    EncodeEanUpc,           // 20 UPC-A
    EncodeEanUpc,           // 21 UPC-A + 2
    EncodeEanUpc,           // 22 UPC-A + 5
    EncodeEanUpc,           // 23 UPC-E
    EncodeEanUpc,           // 24 UPC-E + 2
    EncodeEanUpc,           // 25 UPC-E + 5
    EncodeUpcInterleaved,   // 26 UPC Interleaved 2 of 5
    EncodeEanUpc,           // 27 EAN 13 with internal check digit + 2
    EncodeEanUpc,           // 28 EAN 13 with internal check digit + 5
};

}  // namespace

void EncodeBarcode(TBarcodeFigure& figure)
{
    auto& field = BarcodeText.bytes();
    EvaluateDataExpression(std::span<char>(field.data(), field.size()), figure.Data.view(), false);
    BarcodeText.adoptNulTerminated();

    BarcodeInvalid = 0;
    ClearModules();
    EanGroupKind = 0;
    AddOnDigits = 0;

    if (const auto type = BarcodeTypeFromIndex(figure.Type)) {
        const TEncodeRequest request{*type, figure.Narrow, figure.Wide};
        ENCODERS[static_cast<std::size_t>(*type)](request);
    } else {
        BarcodeInvalid = 1;  // a type index no encoder knows (damaged label file)
    }

    figure.ModuleCount = static_cast<std::int16_t>(ModuleArrayCount);
    figure.RenderedWidth = static_cast<std::int16_t>(ModuleArrayCount);
}

}  // namespace zk
