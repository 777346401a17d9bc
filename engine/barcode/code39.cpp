// Code 39 and Code 39 with mod 43 check character (ISO/IEC 16388).
//
// A character is five bars and five spaces, bar first; the pattern below
// gives the first nine elements, most significant bit first, 1 = wide. The
// tenth element is the narrow gap before the next character.

#include <array>
#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// ISO/IEC 16388 Table 1: the 43 data characters in value order, then the
// start/stop character.
constexpr std::string_view CODE39_ALPHABET = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr std::array<std::uint16_t, 44> CODE39_PATTERNS = {
    0x034, 0x121, 0x061, 0x160, 0x031, 0x130, 0x070, 0x025, 0x124, 0x064,  // 0-9
    0x109, 0x049, 0x148, 0x019, 0x118, 0x058, 0x00D, 0x10C, 0x04C, 0x01C,  // A-J
    0x103, 0x043, 0x142, 0x013, 0x112, 0x052, 0x007, 0x106, 0x046, 0x016,  // K-T
    0x181, 0x0C1, 0x1C0, 0x091, 0x190, 0x0D0, 0x085, 0x184, 0x0C4, 0x0A8,  // U-Z - . space $
    0x0A2, 0x08A, 0x02A, 0x094,                                            // / + % *
};
static_assert(CODE39_ALPHABET.size() == CODE39_PATTERNS.size());
constexpr int CODE39_DATA_SYMBOLS = 43;
constexpr int CODE39_START_STOP = 43;

// ISO/IEC 16388 Annex A Table A.2: the pair of data characters that stands
// for each character 32..127 outside the 43-character set. An empty entry
// means the character is one of the 43.
constexpr std::array<std::string_view, 96> FULL_ASCII_PAIRS = {
    "",   "/A", "/B", "/C", "",   "",   "/F", "/G", "/H", "/I", "/J", "",   "/L", "",   "",   "",    // 32-47
    "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "/Z", "%F", "%G", "%H", "%I", "%J",  // 48-63
    "%V", "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",    // 64-79
    "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "",   "%K", "%L", "%M", "%N", "%O",  // 80-95
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",  // 96-111
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",  // 112-127
};

int SymbolValue(char c)
{
    const std::size_t pos = CODE39_ALPHABET.find(c);
    return pos < static_cast<std::size_t>(CODE39_DATA_SYMBOLS) ? static_cast<int>(pos) : -1;
}

// The gap is left out after the stop character, where no character follows.
void AppendSymbol(int value, const TEncodeRequest& request, bool gap = true)
{
    const std::uint16_t pattern = CODE39_PATTERNS[static_cast<std::size_t>(value)];
    for (int element = 0; element < 9; ++element) {
        const bool wide = ((pattern >> (8 - element)) & 1U) != 0;
        const int width = wide ? request.Wide : request.Narrow;
        if (element % 2 == 0) {
            AppendBlack(width);
        } else {
            AppendWhite(width);
        }
    }
    if (gap) {
        AppendWhite(request.Narrow);
    }
}

}  // namespace

void EncodeCode39(const TEncodeRequest& request)
{
    if (BarcodeText.empty()) {
        BarcodeText.assign("000000");
    }
    // The type takes characters 32..127; anything else becomes "0".
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        const auto c = static_cast<unsigned char>(BarcodeText[i]);
        if (c < 32 || c >= 128) {
            BarcodeText.set(i, '0');
            BarcodeInvalid = 1;
        }
    }

    int sum = 0;
    auto write = [&](char c) {
        const int value = SymbolValue(c);
        sum += value;
        AppendSymbol(value, request);
    };
    AppendSymbol(CODE39_START_STOP, request);
    for (char c : BarcodeText.view()) {
        if (SymbolValue(c) >= 0) {
            write(c);
        } else {
            for (char part : FULL_ASCII_PAIRS[static_cast<unsigned char>(c) - 32]) {
                write(part);
            }
        }
    }
    BarcodeCheckSum = sum;
    if (request.Type == BarcodeType::Code39Check) {
        AppendSymbol(sum % CODE39_DATA_SYMBOLS, request);
    }
    AppendSymbol(CODE39_START_STOP, request, false);
}

}  // namespace zk
