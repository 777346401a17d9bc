// Plessey in its MSI form with the mod 10 (Luhn doubling) check digit.
//
// Each digit is four bits, 8-4-2-1, most significant first. A 1 bit is a
// wide bar and a narrow space (3:1), a 0 bit a narrow bar and a wide space.
// The symbol is a 1 bit, the data digits, the check digit, a 0 bit and a
// final narrow bar.

#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

constexpr std::string_view EMPTY_SUBSTITUTE = "0000";
constexpr int BITS_PER_DIGIT = 4;
constexpr int WIDE_RATIO = 3;

void AppendBit(bool one, int narrow)
{
    AppendBlack(one ? WIDE_RATIO * narrow : narrow);
    AppendWhite(one ? narrow : WIDE_RATIO * narrow);
}

// From the rightmost digit, every other digit doubled with the digits of
// the product added; the rest added plainly.
int LuhnCheckDigit(std::string_view digits)
{
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int value = DigitValue(*it);
        if (doubled) {
            value *= 2;
            value = value / 10 + value % 10;
        }
        sum += value;
        doubled = !doubled;
    }
    BarcodeCheckSum = sum;
    return (10 - sum % 10) % 10;
}

}  // namespace

void EncodePlessey(const TEncodeRequest& request)
{
    if (BarcodeText.empty()) {
        BarcodeText.assign(EMPTY_SUBSTITUTE);
        BarcodeInvalid = 1;
    }
    ForceDigits();
    const int check = LuhnCheckDigit(BarcodeText.view());
    auto writeDigit = [&](int value) {
        for (int bit = BITS_PER_DIGIT - 1; bit >= 0; --bit) {
            AppendBit(((value >> bit) & 1) != 0, request.Narrow);
        }
    };
    AppendBit(true, request.Narrow);
    for (char c : BarcodeText.view()) {
        writeDigit(DigitValue(c));
    }
    writeDigit(check);
    AppendBit(false, request.Narrow);
    AppendBlack(request.Narrow);
}

}  // namespace zk
