#include "engine/barcode/barcode_types.h"

namespace zk {

const std::array<TBarcodeTypeInfo, BarcodeTypeCount> BarcodeTypes = {{
    {"Code 39", "3"},
    {"Code 39 with check digit", "3C"},
    {"Code 93", "9"},
    {"Code 128 auto A, B, C modes", "1"},
    {"Codabar", "K"},
    {"EAN 8", "E80"},
    {"EAN 8 (2 digits add-on)", "E82"},
    {"EAN 8 (5 digits add-on)", "E85"},
    {"EAN 13", "E30"},
    {"EAN 13 (2 digits add-on)", "E32"},
    {"EAN 13 (5 digits add-on)", "E35"},
    {"EAN 13 with internal check digit", "A30"},
    {"EAN 128", "1E"},
    {"German Postal Code", "2G"},
    {"Interleaved 2 of 5", "2"},
    {"ITF with check digit", "2C"},
    {"ITF - human readable check digit", "2D"},
    {"Plessey", "L"},
    {"Postnet", "P"},
    {"SSCC-18", "0"},
    {"UPC-A", "UA0"},
    {"UPC-A (2 digits add-on)", "UA2"},
    {"UPC-A (5 digits add-on)", "UA5"},
    {"UPC-E", "UE0"},
    {"UPC-E (2 digits add-on)", "UE2"},
    {"UPC-E (5 digits add-on)", "UE5"},
    {"UPC Interleaved 2 of 5", "2U"},
    {"EAN 13 with int. check digit (2 add-on's)", "A32"},
    {"EAN 13 with int. check digit (5 add-on's)", "A35"},
}};

std::optional<BarcodeType> BarcodeTypeFromIndex(int index)
{
    if (index < 0 || index >= BarcodeTypeCount) {
        return std::nullopt;
    }
    return static_cast<BarcodeType>(index);
}

}  // namespace zk
