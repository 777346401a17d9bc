// EAN-8, EAN-13, UPC-A and UPC-E with their 2- and 5-digit add-ons
// (ISO/IEC 15420), and the GS1 internal price check digit of the
// in-store EAN-13 types (GS1 General Specifications).
//
// Every digit is 7 modules from number set A, B or C; the patterns are
// written most significant bit first, 1 = bar.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/barcode/barcode.h"
#include "engine/barcode/barcode_state.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// ISO/IEC 15420 number sets A, B and C.
constexpr std::array<std::uint8_t, 10> SET_A = {
    0b0001101, 0b0011001, 0b0010011, 0b0111101, 0b0100011, 0b0110001, 0b0101111, 0b0111011, 0b0110111, 0b0001011,
};
constexpr std::array<std::uint8_t, 10> SET_B = {
    0b0100111, 0b0110011, 0b0011011, 0b0100001, 0b0011101, 0b0111001, 0b0000101, 0b0010001, 0b0001001, 0b0010111,
};
constexpr std::array<std::uint8_t, 10> SET_C = {
    0b1110010, 0b1100110, 0b1101100, 0b1000010, 0b1011100, 0b1001110, 0b1010000, 0b1000100, 0b1001000, 0b1110100,
};

constexpr std::uint8_t Reverse7(std::uint8_t v)
{
    std::uint8_t r = 0;
    for (int i = 0; i < 7; ++i) {
        r = static_cast<std::uint8_t>((r << 1) | ((v >> i) & 1));
    }
    return r;
}
// Set C is set A with bars and spaces swapped; set B is set C read backwards.
static_assert([] {
    for (std::size_t d = 0; d < 10; ++d) {
        if (SET_C[d] != (~SET_A[d] & 0x7F) || SET_B[d] != Reverse7(SET_C[d])) {
            return false;
        }
    }
    return true;
}());

// ISO/IEC 15420, EAN-13 left half: the sets of EAN-13 digits 2..7 by the first digit,
// most significant bit = digit 2, 1 = set B.
constexpr std::array<std::uint8_t, 10> EAN13_PARITY = {
    0x00, 0x0B, 0x0D, 0x0E, 0x13, 0x19, 0x1C, 0x15, 0x16, 0x1A,
};
// ISO/IEC 15420, UPC-E: the sets of the six UPC-E digits by the check digit
// (number system 0), 1 = set B.
constexpr std::array<std::uint8_t, 10> UPCE_PARITY = {
    0x38, 0x34, 0x32, 0x31, 0x2C, 0x26, 0x23, 0x2A, 0x29, 0x25,
};
// ISO/IEC 15420, 5-digit add-on: the sets of the five add-on digits by the add-on
// check value, 1 = set B.
constexpr std::array<std::uint8_t, 10> ADDON5_PARITY = {
    0x18, 0x14, 0x12, 0x11, 0x0C, 0x06, 0x03, 0x0A, 0x09, 0x05,
};

// GS1 General Specifications, price check digit: weighting factors of the
// price check digit, value of each digit 0..9.
constexpr std::array<std::uint8_t, 10> WEIGHT_2_MINUS = {0, 2, 4, 6, 8, 9, 1, 3, 5, 7};
constexpr std::array<std::uint8_t, 10> WEIGHT_5_PLUS = {0, 5, 1, 6, 2, 7, 3, 8, 4, 9};
constexpr std::array<std::uint8_t, 10> WEIGHT_5_MINUS = {0, 5, 9, 4, 8, 3, 7, 2, 6, 1};

constexpr std::uint32_t NORMAL_GUARD = 0b101;
constexpr std::uint32_t CENTRE_GUARD = 0b01010;
constexpr std::uint32_t UPCE_END_GUARD = 0b010101;
constexpr std::uint32_t ADDON_START = 0b1011;
constexpr std::uint32_t ADDON_SEPARATOR = 0b01;

enum class Family { Ean8, Ean13, UpcA, UpcE };

struct TEanLayout {
    Family Kind;
    std::size_t MainDigits;
    std::uint8_t AddOn;
    bool PriceCheck;
};

TEanLayout LayoutOf(BarcodeType type)
{
    switch (type) {
    case BarcodeType::Ean8: return {Family::Ean8, 7, 0, false};
    case BarcodeType::Ean8AddOn2: return {Family::Ean8, 7, 2, false};
    case BarcodeType::Ean8AddOn5: return {Family::Ean8, 7, 5, false};
    case BarcodeType::Ean13AddOn2: return {Family::Ean13, 12, 2, false};
    case BarcodeType::Ean13AddOn5: return {Family::Ean13, 12, 5, false};
    case BarcodeType::Ean13Price: return {Family::Ean13, 12, 0, true};
    case BarcodeType::Ean13PriceAddOn2: return {Family::Ean13, 12, 2, true};
    case BarcodeType::Ean13PriceAddOn5: return {Family::Ean13, 12, 5, true};
    case BarcodeType::UpcA: return {Family::UpcA, 11, 0, false};
    case BarcodeType::UpcAAddOn2: return {Family::UpcA, 11, 2, false};
    case BarcodeType::UpcAAddOn5: return {Family::UpcA, 11, 5, false};
    case BarcodeType::UpcE: return {Family::UpcE, 6, 0, false};
    case BarcodeType::UpcEAddOn2: return {Family::UpcE, 6, 2, false};
    case BarcodeType::UpcEAddOn5: return {Family::UpcE, 6, 5, false};
    default: return {Family::Ean13, 12, 0, false};
    }
}

std::uint8_t GroupKindOf(Family kind)
{
    switch (kind) {
    case Family::Ean8: return 4;
    case Family::UpcE: return 7;
    default: return 6;
    }
}

std::size_t Digit(std::string_view digits, std::size_t i)
{
    return static_cast<std::size_t>(DigitValue(digits[i]));
}

void AppendDigit(const std::array<std::uint8_t, 10>& set, std::size_t digit, int narrow)
{
    AppendPattern(set[digit], 7, narrow);
}

// Digit 7 (counted from 1) of the in-store number is set so that the price
// digits 8..12 check: the digit whose 5- value is the price check value.
void SetPriceCheckDigit()
{
    const std::string_view d = BarcodeText.view();
    const int sum = WEIGHT_5_PLUS[Digit(d, 7)] + WEIGHT_2_MINUS[Digit(d, 8)] + WEIGHT_5_MINUS[Digit(d, 9)] +
                    WEIGHT_5_PLUS[Digit(d, 10)] + WEIGHT_2_MINUS[Digit(d, 11)];
    const int target = (10 - sum % 10) % 10;
    for (std::size_t digit = 0; digit < 10; ++digit) {
        if (WEIGHT_5_MINUS[digit] == target) {
            BarcodeText.set(6, DigitChar(static_cast<int>(digit)));
        }
    }
}

void WriteSymbol(Family kind, std::string_view main, std::size_t check, int n)
{
    AppendPattern(NORMAL_GUARD, 3, n);
    switch (kind) {
    case Family::Ean8:
        for (std::size_t i = 0; i < 4; ++i) {
            AppendDigit(SET_A, Digit(main, i), n);
        }
        AppendPattern(CENTRE_GUARD, 5, n);
        for (std::size_t i = 4; i < 7; ++i) {
            AppendDigit(SET_C, Digit(main, i), n);
        }
        break;
    case Family::Ean13:
    case Family::UpcA: {
        // UPC-A is EAN-13 with a leading 0, whose sets are all A.
        const std::size_t first = kind == Family::Ean13 ? 1 : 0;
        const std::uint8_t parity = kind == Family::Ean13 ? EAN13_PARITY[Digit(main, 0)] : 0;
        for (std::size_t i = 0; i < 6; ++i) {
            const bool setB = ((parity >> (5 - i)) & 1U) != 0;
            AppendDigit(setB ? SET_B : SET_A, Digit(main, first + i), n);
        }
        AppendPattern(CENTRE_GUARD, 5, n);
        for (std::size_t i = first + 6; i < main.size(); ++i) {
            AppendDigit(SET_C, Digit(main, i), n);
        }
        break;
    }
    case Family::UpcE:
        for (std::size_t i = 0; i < 6; ++i) {
            const bool setB = ((UPCE_PARITY[check] >> (5 - i)) & 1U) != 0;
            AppendDigit(setB ? SET_B : SET_A, Digit(main, i), n);
        }
        AppendPattern(UPCE_END_GUARD, 6, n);
        return;
    }
    AppendDigit(SET_C, check, n);
    AppendPattern(NORMAL_GUARD, 3, n);
}

}  // namespace

std::string ExpandUpcE(std::string_view upcE)
{
    if (upcE.size() != 6) {
        return {};
    }
    for (char c : upcE) {
        if (!IsDigit(c)) {
            return {};
        }
    }
    // ISO/IEC 15420 UPC-E zero suppression (number system 0): where each UPC-A digit comes
    // from by the last UPC-E digit; 'a'..'f' are UPC-E digits 1..6.
    constexpr std::array<std::string_view, 4> EXPANSIONS = {
        "0abf0000cde",  // last digit 0, 1, 2
        "0abc00000de",  // 3
        "0abcd00000e",  // 4
        "0abcde0000f",  // 5..9
    };
    const int last = DigitValue(upcE[5]);
    const std::string_view expansion = EXPANSIONS[static_cast<std::size_t>(std::clamp(last - 2, 0, 3))];
    std::string upcA(expansion.size(), '0');
    for (std::size_t i = 0; i < expansion.size(); ++i) {
        if (expansion[i] != '0') {
            upcA[i] = upcE[static_cast<std::size_t>(expansion[i] - 'a')];
        }
    }
    return upcA;
}

void EncodeEanUpc(const TEncodeRequest& request)
{
    const TEanLayout layout = LayoutOf(request.Type);
    ForceDigits();
    RequireLength({layout.MainDigits + layout.AddOn}, layout.MainDigits + layout.AddOn);
    if (layout.PriceCheck) {
        SetPriceCheckDigit();
    }
    const std::string_view main = BarcodeText.view().substr(0, layout.MainDigits);
    const int check = layout.Kind == Family::UpcE ? Mod10Weight3CheckDigit(ExpandUpcE(main))
                                                   : Mod10Weight3CheckDigit(main);
    CheckDigitChar = DigitChar(check);
    EanGroupKind = GroupKindOf(layout.Kind);
    AddOnDigits = layout.AddOn;
    WriteSymbol(layout.Kind, main, static_cast<std::size_t>(check), request.Narrow);
}

void EncodeAddOn(int narrow, std::string_view digits)
{
    ClearModules();
    if (digits.size() != 2 && digits.size() != 5) {
        return;
    }
    std::array<std::size_t, 5> d{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        d[i] = IsDigit(digits[i]) ? static_cast<std::size_t>(DigitValue(digits[i]))
                                  : static_cast<unsigned char>(digits[i]) % 10;
    }
    std::uint8_t parity = 0;
    if (digits.size() == 2) {
        parity = static_cast<std::uint8_t>((d[0] * 10 + d[1]) % 4);
    } else {
        parity = ADDON5_PARITY[(3 * (d[0] + d[2] + d[4]) + 9 * (d[1] + d[3])) % 10];
    }
    AppendPattern(ADDON_START, 4, narrow);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0) {
            AppendPattern(ADDON_SEPARATOR, 2, narrow);
        }
        const bool setB = ((parity >> (digits.size() - 1 - i)) & 1U) != 0;
        AppendDigit(setB ? SET_B : SET_A, d[i], narrow);
    }
}

void EncodeEanGuards(int narrow)
{
    ClearModules();
    constexpr int HALF_EAN8 = 4 * 7;
    constexpr int HALF_EAN13 = 6 * 7;
    switch (EanGroupKind) {
    case 4:
    case 6: {
        const int half = EanGroupKind == 4 ? HALF_EAN8 : HALF_EAN13;
        AppendPattern(NORMAL_GUARD, 3, narrow);
        AppendWhite(half * narrow);
        AppendPattern(CENTRE_GUARD, 5, narrow);
        AppendWhite(half * narrow);
        AppendPattern(NORMAL_GUARD, 3, narrow);
        break;
    }
    case 7:
        AppendPattern(NORMAL_GUARD, 3, narrow);
        AppendWhite(HALF_EAN13 * narrow);
        AppendPattern(UPCE_END_GUARD, 6, narrow);
        break;
    default:
        break;
    }
}

}  // namespace zk
