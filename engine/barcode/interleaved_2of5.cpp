// Interleaved 2 of 5 (ISO/IEC 16390) and the symbols built on it: ITF with
// mod 10 check digit (hidden or shown), German Postal Code (Deutsche Post
// Leitcode/Identcode check digit) and UPC Interleaved 2 of 5 (ITF-14).
//
// Digits are coded in pairs: the first digit's five elements are the bars,
// the second digit's the spaces between them.

#include <array>
#include <bit>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// ISO/IEC 16390 digit patterns: the five elements of each digit, most significant
// bit first, 1 = wide.
constexpr std::array<std::uint8_t, 10> DIGIT_WIDTHS = {
    0x06, 0x11, 0x09, 0x18, 0x05, 0x14, 0x0C, 0x03, 0x12, 0x0A,
};
static_assert([] {
    for (std::uint8_t w : DIGIT_WIDTHS) {
        if (std::popcount(w) != 2) {
            return false;
        }
    }
    return true;
}());

constexpr std::string_view EMPTY_SUBSTITUTE = "1234";
constexpr std::size_t GERMAN_POSTAL_SHORT = 11;
constexpr std::size_t GERMAN_POSTAL_LONG = 13;
constexpr std::size_t UPC_INTERLEAVED_DIGITS = 13;

int Element(char digit, int element, const TEncodeRequest& request)
{
    const bool wide = ((DIGIT_WIDTHS[static_cast<std::size_t>(DigitValue(digit))] >> (4 - element)) & 1U) != 0;
    return wide ? request.Wide : request.Narrow;
}

// Start pattern, the digit pairs (a leading 0 in the symbol when the count
// is odd), stop pattern.
void WriteInterleaved(std::string_view digits, const TEncodeRequest& request)
{
    for (int i = 0; i < 2; ++i) {
        AppendBlack(request.Narrow);
        AppendWhite(request.Narrow);
    }
    const bool odd = digits.size() % 2 != 0;
    for (std::size_t i = 0; i < digits.size() + (odd ? 1 : 0); i += 2) {
        const char first = odd ? (i == 0 ? '0' : digits[i - 1]) : digits[i];
        const char second = odd ? digits[i] : digits[i + 1];
        for (int element = 0; element < 5; ++element) {
            AppendBlack(Element(first, element, request));
            AppendWhite(Element(second, element, request));
        }
    }
    AppendBlack(request.Wide);
    AppendWhite(request.Narrow);
    AppendBlack(request.Narrow);
}

char CheckDigit()
{
    return DigitChar(Mod10Weight3CheckDigit(BarcodeText.view()));
}

// Rewrites BarcodeText with each separator put before the digit at its
// position.
void Group(std::initializer_list<std::pair<std::size_t, char>> separators)
{
    TBarcodeText line;
    const std::string_view digits = BarcodeText.view();
    for (std::size_t i = 0; i < digits.size(); ++i) {
        for (const auto& [position, separator] : separators) {
            if (position == i) {
                line.push_back(separator);
            }
        }
        line.push_back(digits[i]);
    }
    BarcodeText = line;
}

}  // namespace

void EncodeInterleaved2of5(const TEncodeRequest& request)
{
    if (BarcodeText.empty()) {
        BarcodeText.assign(EMPTY_SUBSTITUTE);
    }
    ForceDigits();
    if (request.Type == BarcodeType::Interleaved2of5) {
        WriteInterleaved(BarcodeText.view(), request);
        return;
    }
    BarcodeText.push_back(CheckDigit());
    WriteInterleaved(BarcodeText.view(), request);
    if (request.Type == BarcodeType::ItfCheck) {
        BarcodeText.truncate(BarcodeText.size() - 1);
    }
}

void EncodeGermanPostal(const TEncodeRequest& request)
{
    ForceDigits();
    RequireLength({GERMAN_POSTAL_SHORT, GERMAN_POSTAL_LONG}, GERMAN_POSTAL_SHORT);
    int sum = 0;
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        sum += DigitValue(BarcodeText[i]) * (i % 2 == 0 ? 4 : 9);
    }
    BarcodeCheckSum = sum;
    BarcodeText.push_back(DigitChar((10 - sum % 10) % 10));
    WriteInterleaved(BarcodeText.view(), request);

    if (BarcodeText.size() == GERMAN_POSTAL_LONG + 1) {
        Group({{5, '.'}, {8, '.'}, {11, '.'}, {13, ' '}});  // 12345.678.901.23 4
    } else {
        Group({{2, '.'}, {5, ' '}, {8, '.'}, {11, ' '}});   // 12.345 678.901 2
    }
}

void EncodeUpcInterleaved(const TEncodeRequest& request)
{
    ForceDigits();
    RequireLength({UPC_INTERLEAVED_DIGITS}, UPC_INTERLEAVED_DIGITS);
    BarcodeText.push_back(CheckDigit());
    WriteInterleaved(BarcodeText.view(), request);
    Group({{1, ' '}, {3, ' '}, {8, ' '}, {13, ' '}});  // 1 23 45678 90123 4
}

}  // namespace zk
