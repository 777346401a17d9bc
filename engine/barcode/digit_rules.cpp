#include "engine/barcode/digit_rules.h"

#include <algorithm>

#include "engine/barcode/barcode_state.h"

namespace zk {

void ForceDigits()
{
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        const char c = BarcodeText[i];
        if (!IsDigit(c)) {
            BarcodeText.set(i, DigitChar(static_cast<unsigned char>(c) % 10));
            BarcodeInvalid = 1;
        }
    }
}

bool RequireLength(std::initializer_list<std::size_t> lengths, std::size_t zeros)
{
    if (std::find(lengths.begin(), lengths.end(), BarcodeText.size()) != lengths.end()) {
        return true;
    }
    BarcodeText.clear();
    for (std::size_t i = 0; i < zeros; ++i) {
        BarcodeText.push_back('0');
    }
    BarcodeInvalid = 1;
    return false;
}

int Mod10Weight3CheckDigit(std::string_view digits)
{
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += weight * DigitValue(*it);
        weight = 4 - weight;
    }
    BarcodeCheckSum = sum;
    return (10 - sum % 10) % 10;
}

}  // namespace zk
