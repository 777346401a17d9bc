// Codabar (AIM USS Codabar; also EN 798).
//
// A character is four bars and four spaces, bar first; the pattern gives
// the first seven elements, most significant bit first, 1 = wide. The
// eighth element is the narrow gap before the next character.

#include <array>
#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// AIM USS Codabar character set (narrow/wide elements of the 20 characters).
constexpr std::string_view CODABAR_ALPHABET = "0123456789-$:/.+ABCD";
constexpr std::array<std::uint8_t, 20> CODABAR_PATTERNS = {
    0x03, 0x06, 0x09, 0x60, 0x12, 0x42, 0x21, 0x24, 0x30, 0x48,  // 0-9
    0x0C, 0x18, 0x45, 0x51, 0x54, 0x15, 0x1A, 0x29, 0x0B, 0x0E,  // - $ : / . + A B C D
};
static_assert(CODABAR_ALPHABET.size() == CODABAR_PATTERNS.size());

bool IsUpperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

}  // namespace

void EncodeCodabar(const TEncodeRequest& request)
{
    if (BarcodeText.empty()) {
        BarcodeText.assign("A0000B");
        BarcodeInvalid = 1;
    }
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        const char c = BarcodeText[i];
        if (c < '$' || c > 'D' || CODABAR_ALPHABET.find(c) == std::string_view::npos) {
            BarcodeText.set(i, '0');
            BarcodeInvalid = 1;
        }
    }
    // The start and stop characters are A..D; the symbol is still drawn
    // without them.
    if (!IsUpperLetter(BarcodeText[0]) || !IsUpperLetter(BarcodeText[BarcodeText.size() - 1])) {
        BarcodeInvalid = 1;
    }

    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        const std::uint8_t pattern = CODABAR_PATTERNS[CODABAR_ALPHABET.find(BarcodeText[i])];
        for (int element = 0; element < 7; ++element) {
            const bool wide = ((pattern >> (6 - element)) & 1U) != 0;
            const int width = wide ? request.Wide : request.Narrow;
            if (element % 2 == 0) {
                AppendBlack(width);
            } else {
                AppendWhite(width);
            }
        }
        if (i + 1 < BarcodeText.size()) {
            AppendWhite(request.Narrow);
        }
    }
}

}  // namespace zk
