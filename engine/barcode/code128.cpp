// Code 128 with automatic choice of the code sets A, B and C (ISO/IEC 15417),
// and the symbol writer shared with SSCC-18 and EAN 128 (gs1_128.cpp).

#include <array>
#include <cstdint>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/code128_writer.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// ISO/IEC 15417 Table 1: the 11-module pattern of symbol values 0..106,
// 1 = bar. The stop (106) is followed by a 2-module bar of its own.
constexpr std::array<std::uint16_t, 107> CODE128_PATTERNS = {
    0b11011001100, 0b11001101100, 0b11001100110, 0b10010011000, 0b10010001100, 0b10001001100,  // 0
    0b10011001000, 0b10011000100, 0b10001100100, 0b11001001000, 0b11001000100, 0b11000100100,  // 6
    0b10110011100, 0b10011011100, 0b10011001110, 0b10111001100, 0b10011101100, 0b10011100110,  // 12
    0b11001110010, 0b11001011100, 0b11001001110, 0b11011100100, 0b11001110100, 0b11101101110,  // 18
    0b11101001100, 0b11100101100, 0b11100100110, 0b11101100100, 0b11100110100, 0b11100110010,  // 24
    0b11011011000, 0b11011000110, 0b11000110110, 0b10100011000, 0b10001011000, 0b10001000110,  // 30
    0b10110001000, 0b10001101000, 0b10001100010, 0b11010001000, 0b11000101000, 0b11000100010,  // 36
    0b10110111000, 0b10110001110, 0b10001101110, 0b10111011000, 0b10111000110, 0b10001110110,  // 42
    0b11101110110, 0b11010001110, 0b11000101110, 0b11011101000, 0b11011100010, 0b11011101110,  // 48
    0b11101011000, 0b11101000110, 0b11100010110, 0b11101101000, 0b11101100010, 0b11100011010,  // 54
    0b11101111010, 0b11001000010, 0b11110001010, 0b10100110000, 0b10100001100, 0b10010110000,  // 60
    0b10010000110, 0b10000101100, 0b10000100110, 0b10110010000, 0b10110000100, 0b10011010000,  // 66
    0b10011000010, 0b10000110100, 0b10000110010, 0b11000010010, 0b11001010000, 0b11110111010,  // 72
    0b11000010100, 0b10001111010, 0b10100111100, 0b10010111100, 0b10010011110, 0b10111100100,  // 78
    0b10011110100, 0b10011110010, 0b11110100100, 0b11110010100, 0b11110010010, 0b11011011110,  // 84
    0b11011110110, 0b11110110110, 0b10101111000, 0b10100011110, 0b10001011110, 0b10111101000,  // 90
    0b10111100010, 0b11110101000, 0b11110100010, 0b10111011110, 0b10111101110, 0b11101011110,  // 96
    0b11110101110, 0b11010000100, 0b11010010000, 0b11010011100, 0b11000111010,                 // 102
};
constexpr int CODE128_MODULUS = 103;

bool DigitsAhead(std::size_t i, std::size_t n)
{
    if (i + n > BarcodeText.size()) {
        return false;
    }
    for (std::size_t k = i; k < i + n; ++k) {
        if (!IsDigit(BarcodeText[k])) {
            return false;
        }
    }
    return true;
}

bool IsExtendedA(unsigned char c)
{
    return c >= 128 && c <= 159;
}

bool ExtendedAFrom(std::size_t i)
{
    for (std::size_t k = i; k < BarcodeText.size(); ++k) {
        if (IsExtendedA(static_cast<unsigned char>(BarcodeText[k]))) {
            return true;
        }
    }
    return false;
}

int ValueInSetA(unsigned char c)
{
    if (c == 128) {
        return Code128::Fnc3;
    }
    return c > 128 ? c - 96 : c - 32;
}

int ValueInSetB(unsigned char c)
{
    return c < 160 ? c - 32 : c - 96;
}

// Characters 160 and up are left out of the text line, 128..159 shown as
// spaces.
void MakeHumanReadable()
{
    std::size_t out = 0;
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        const auto c = static_cast<unsigned char>(BarcodeText[i]);
        if (c >= 160) {
            continue;
        }
        BarcodeText.set(out++, IsExtendedA(c) ? ' ' : static_cast<char>(c));
    }
    BarcodeText.truncate(out);
}

}  // namespace

void WriteCode128(const TCode128Values& values, int narrow)
{
    int sum = values.size() > 0 ? values[0] : 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        AppendPattern(CODE128_PATTERNS[static_cast<std::size_t>(values[i])], 11, narrow);
        sum += static_cast<int>(i) * values[i];
    }
    const int check = sum % CODE128_MODULUS;
    BarcodeCheckSum = check;
    AppendPattern(CODE128_PATTERNS[static_cast<std::size_t>(check)], 11, narrow);
    AppendPattern(CODE128_PATTERNS[Code128::Stop], 11, narrow);
    AppendBlack(2 * narrow);
}

void EncodeCode128Auto(const TEncodeRequest& request)
{
    for (char c : BarcodeText.view()) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || u > 169) {
            BarcodeInvalid = 1;
        }
    }
    if (BarcodeInvalid) {
        MakeHumanReadable();
        return;
    }

    enum class Set { A, B, C };
    Set set = Set::B;
    TCode128Values values;
    if (DigitsAhead(0, 4)) {
        set = Set::C;
        values.push(Code128::StartC);
    } else if (ExtendedAFrom(0)) {
        set = Set::A;
        values.push(Code128::StartA);
    } else {
        values.push(Code128::StartB);
    }

    std::size_t i = 0;
    while (i < BarcodeText.size()) {
        const auto c = static_cast<unsigned char>(BarcodeText[i]);
        switch (set) {
        case Set::A:
            if (DigitsAhead(i, 4)) {
                values.push(Code128::CodeC);
                set = Set::C;
            } else if (c < 96 || c >= 128) {
                values.push(ValueInSetA(c));
                ++i;
            } else {
                values.push(Code128::CodeB);
                set = Set::B;
            }
            break;
        case Set::B:
            if (DigitsAhead(i, 4)) {
                values.push(Code128::CodeC);
                set = Set::C;
            } else if (IsExtendedA(c)) {
                values.push(Code128::CodeA);
                set = Set::A;
            } else {
                values.push(ValueInSetB(c));
                ++i;
            }
            break;
        case Set::C:
            if (DigitsAhead(i, 2)) {
                values.push(DigitValue(BarcodeText[i]) * 10 + DigitValue(BarcodeText[i + 1]));
                i += 2;
            } else if (ExtendedAFrom(i)) {
                values.push(Code128::CodeA);
                set = Set::A;
            } else {
                values.push(Code128::CodeB);
                set = Set::B;
            }
            break;
        }
    }
    WriteCode128(values, request.Narrow);
    MakeHumanReadable();
}

}  // namespace zk
