// Code 93 (AIM USS Code 93).
//
// Every character is 9 modules: the pattern below, most significant bit
// first, 1 = black. Two check characters C and K precede the stop, which is
// followed by a one-module termination bar.

#include <array>
#include <string_view>

#include "engine/barcode/barcode_state.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// AIM USS Code 93 character set: the 43 data characters, the four shift
// characters ($) (%) (/) (+) (values 43..46, no data character of their
// own) and the start/stop character.
constexpr std::string_view CODE93_DATA = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::array<std::uint16_t, 48> CODE93_PATTERNS = {
    0x114, 0x148, 0x144, 0x142, 0x128, 0x124, 0x122, 0x150, 0x112, 0x10A,  // 0-9
    0x1A8, 0x1A4, 0x1A2, 0x194, 0x192, 0x18A, 0x168, 0x164, 0x162, 0x134,  // A-J
    0x11A, 0x158, 0x14C, 0x146, 0x12C, 0x116, 0x1B4, 0x1B2, 0x1AC, 0x1A6,  // K-T
    0x196, 0x19A, 0x16C, 0x166, 0x136, 0x13A, 0x12E, 0x1D4, 0x1D2, 0x1CA,  // U-Z - . space $
    0x16E, 0x176, 0x1AE, 0x126, 0x1DA, 0x1D6, 0x132, 0x15E,                // / + % ($) (%) (/) (+) start/stop
};
static_assert(CODE93_DATA.size() == 43);
constexpr int CODE93_START_STOP = 47;
constexpr int CODE93_MODULUS = 47;
constexpr int C_WEIGHT_CYCLE = 20;
constexpr int K_WEIGHT_CYCLE = 15;

void AppendSymbol(int value, int narrow)
{
    AppendPattern(CODE93_PATTERNS[static_cast<std::size_t>(value)], 9, narrow);
}

// Σ weight × value with weights 1, 2, ..., cycle, 1, ... from the right.
int WeightedSum(const std::array<int, BarcodeTextCapacity + 1>& values, std::size_t count, int cycle)
{
    int sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int weight = static_cast<int>((count - 1 - i) % static_cast<std::size_t>(cycle)) + 1;
        sum += weight * values[i];
    }
    return sum;
}

}  // namespace

void EncodeCode93(const TEncodeRequest& request)
{
    if (BarcodeText.empty()) {
        BarcodeText.assign("000000");
    }
    std::array<int, BarcodeTextCapacity + 1> values{};
    const std::size_t count = BarcodeText.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t value = CODE93_DATA.find(BarcodeText[i]);
        if (value == std::string_view::npos) {
            BarcodeText.set(i, '0');
            BarcodeInvalid = 1;
            value = 0;
        }
        values[i] = static_cast<int>(value);
    }

    const int c = WeightedSum(values, count, C_WEIGHT_CYCLE) % CODE93_MODULUS;
    values[count] = c;
    const int k = WeightedSum(values, count + 1, K_WEIGHT_CYCLE) % CODE93_MODULUS;
    BarcodeCheckSum = k;

    AppendSymbol(CODE93_START_STOP, request.Narrow);
    for (std::size_t i = 0; i <= count; ++i) {
        AppendSymbol(values[i], request.Narrow);
    }
    AppendSymbol(k, request.Narrow);
    AppendSymbol(CODE93_START_STOP, request.Narrow);
    AppendBlack(request.Narrow);
}

}  // namespace zk
