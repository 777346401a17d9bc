// SSCC-18 and EAN 128 (GS1-128): Code 128 symbols that start with FNC1 and
// carry GS1 application identifiers (GS1 General Specifications, section 3).
// The symbol patterns are those of code128.cpp.

#include <algorithm>
#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/code128_writer.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

constexpr std::size_t SSCC_DIGITS = 17;
constexpr std::size_t EAN128_MAX_LENGTH = 48;
constexpr char GS = 29;
// Shown for invalid EAN 128 data: identifier 00 with 18 zeros.
constexpr std::string_view EAN128_SUBSTITUTE_TEXT = "(00)000000000000000000";
constexpr int EAN128_SUBSTITUTE_ZERO_PAIRS = 10;

// How the human-readable line prints an application identifier and its
// field. Digits: the identifier's own digits beyond the first two, printed
// inside the brackets. Length: fixed field length; 0 = variable, to GS.
struct TAiField {
    int ExtraDigits = 0;
    int Length = 0;
};

// GS1 General Specifications, application identifier table (those the
// line knows).
TAiField AiField(int ai, std::string_view extra)
{
    switch (ai) {
    case 0: return {0, 18};
    case 1: case 2: return {0, 14};
    case 11: case 13: case 15: case 17: return {0, 6};
    case 20: return {0, 2};
    case 23: case 24: case 25: case 42: return {1, 0};
    case 31: case 32: case 33: case 34: case 35: case 36: return {2, 6};
    case 41: return {1, 13};
    case 80:
        if (extra == "01") return {2, 14};
        if (extra == "05") return {2, 6};
        return {2, 0};
    case 81:
        if (extra == "00") return {2, 6};
        if (extra == "01") return {2, 10};
        if (extra == "02") return {2, 2};
        return {2, 0};
    default: return {0, 0};
    }
}

bool DigitsAt(std::string_view text, std::size_t i, std::size_t n)
{
    if (i + n > text.size()) {
        return false;
    }
    for (std::size_t k = i; k < i + n; ++k) {
        if (!IsDigit(text[k])) {
            return false;
        }
    }
    return true;
}

// Reads the data as application identifiers with their fields into `line`.
// False when an identifier or a fixed-length field holds a non-digit.
bool FormatApplicationIdentifiers(std::string_view data, TBarcodeText& line)
{
    std::size_t i = 0;
    while (i < data.size()) {
        if (data[i] == GS) {  // a separator after a field of fixed length
            ++i;
            continue;
        }
        if (!DigitsAt(data, i, 2)) {
            return false;
        }
        const int ai = DigitValue(data[i]) * 10 + DigitValue(data[i + 1]);
        const std::string_view prefix = data.substr(i, 2);
        i += 2;
        // The extra identifier digits decide the field (80xx, 81xx); look at
        // up to two of them before knowing how many belong to the identifier.
        const std::string_view lookahead = data.substr(i, std::min<std::size_t>(2, data.size() - i));
        const TAiField field = AiField(ai, lookahead);
        const auto extra = static_cast<std::size_t>(field.ExtraDigits);
        if (!DigitsAt(data, i, extra)) {
            return false;
        }
        line.push_back('(');
        line.append(prefix);
        line.append(data.substr(i, extra));
        line.push_back(')');
        i += extra;
        if (field.Length > 0) {
            for (int n = 0; n < field.Length && i < data.size(); ++n, ++i) {
                if (!IsDigit(data[i])) {
                    return false;
                }
                line.push_back(data[i]);
            }
        } else {
            while (i < data.size() && data[i] != GS) {
                line.push_back(data[i++]);
            }
        }
    }
    return true;
}

void BuildEan128Values(std::string_view data, TCode128Values& values)
{
    bool setC = DigitsAt(data, 0, 4);
    values.push(setC ? Code128::StartC : Code128::StartB);
    values.push(Code128::Fnc1);
    std::size_t i = 0;
    while (i < data.size()) {
        if (setC) {
            if (DigitsAt(data, i, 2)) {
                values.push(DigitValue(data[i]) * 10 + DigitValue(data[i + 1]));
                i += 2;
            } else {
                values.push(Code128::CodeB);
                setC = false;
            }
        } else if (DigitsAt(data, i, 4)) {
            values.push(Code128::CodeC);
            setC = true;
        } else {
            values.push(data[i] == GS ? Code128::Fnc1 : static_cast<unsigned char>(data[i]) - 32);
            ++i;
        }
    }
}

}  // namespace

void EncodeSscc18(const TEncodeRequest& request)
{
    ForceDigits();
    RequireLength({SSCC_DIGITS}, SSCC_DIGITS);
    BarcodeText.push_back(DigitChar(Mod10Weight3CheckDigit(BarcodeText.view())));

    TCode128Values values;
    values.push(Code128::StartC);
    values.push(Code128::Fnc1);
    values.push(0);  // application identifier 00
    for (std::size_t i = 0; i + 1 < BarcodeText.size(); i += 2) {
        values.push(DigitValue(BarcodeText[i]) * 10 + DigitValue(BarcodeText[i + 1]));
    }
    WriteCode128(values, request.Narrow);

    TBarcodeText line;
    line.assign("(00)");
    line.append(BarcodeText.view());
    BarcodeText = line;
}

void EncodeEan128(const TEncodeRequest& request)
{
    const std::string_view data = BarcodeText.view();
    bool valid = data.size() <= EAN128_MAX_LENGTH;
    for (char c : data) {
        const auto u = static_cast<unsigned char>(c);
        if (!(u >= 32 && u <= 126) && c != GS) {
            valid = false;
        }
    }
    TBarcodeText line;
    valid = valid && FormatApplicationIdentifiers(data, line);

    TCode128Values values;
    if (valid) {
        BuildEan128Values(data, values);
        BarcodeText = line;
    } else {
        BarcodeInvalid = 1;
        values.push(Code128::StartC);
        values.push(Code128::Fnc1);
        for (int i = 0; i < EAN128_SUBSTITUTE_ZERO_PAIRS; ++i) {
            values.push(0);
        }
        BarcodeText.assign(EAN128_SUBSTITUTE_TEXT);
    }
    WriteCode128(values, request.Narrow);
}

}  // namespace zk
