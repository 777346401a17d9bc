#pragma once
// The 29 barcode types a barcode figure names by index, in the order the
// barcode dialog lists them, with the type code of the printer's barcode
// command.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zk {

enum class BarcodeType : std::int16_t {
    Code39 = 0,
    Code39Check = 1,
    Code93 = 2,
    Code128Auto = 3,
    Codabar = 4,
    Ean8 = 5,
    Ean8AddOn2 = 6,
    Ean8AddOn5 = 7,
    Ean13 = 8,
    Ean13AddOn2 = 9,
    Ean13AddOn5 = 10,
    Ean13Price = 11,
    Ean128 = 12,
    GermanPostal = 13,
    Interleaved2of5 = 14,
    ItfCheck = 15,
    ItfCheckShown = 16,
    Plessey = 17,
    Postnet = 18,
    Sscc18 = 19,
    UpcA = 20,
    UpcAAddOn2 = 21,
    UpcAAddOn5 = 22,
    UpcE = 23,
    UpcEAddOn2 = 24,
    UpcEAddOn5 = 25,
    UpcInterleaved2of5 = 26,
    Ean13PriceAddOn2 = 27,
    Ean13PriceAddOn5 = 28,
};

inline constexpr int BarcodeTypeCount = 29;

struct TBarcodeTypeInfo {
    std::string_view Name;      // as the barcode dialog lists it
    std::string_view TypeCode;  // the printer command's type code
};

extern const std::array<TBarcodeTypeInfo, BarcodeTypeCount> BarcodeTypes;

// The type of a figure's Type field, or nothing when the index is out of range.
std::optional<BarcodeType> BarcodeTypeFromIndex(int index);

}  // namespace zk
