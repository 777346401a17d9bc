#pragma once
// Reads symbols back with an independent decoder (zxing-cpp), so that tests
// check what a scanner sees rather than what the encoder meant.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zk::test {

struct TDecoded {
    std::string Format;
    std::string Text;
    std::string SymbologyIdentifier;
    std::string Bytes;    // the raw content, for binary data
    std::string EcLevel;  // PDF417: the error-correction level read
};

struct TDecodeOptions {
    bool Code39Extended = false;
    bool Code39CheckSum = false;
    bool ItfCheckSum = false;
    bool ReadEanAddOn = false;
};

// Decodes an 8-bit grey image (0 black, 255 white) as `format`, a zxing-cpp
// format name such as "Code128" or "PDF417".
std::optional<TDecoded> DecodeGrey(std::span<const std::uint8_t> grey, int width, int height, std::string_view format,
                                   const TDecodeOptions& options = {});

// The label image as grey: black as 0, every other colour as 255.
std::vector<std::uint8_t> LabelImageAsGrey();

}  // namespace zk::test
