// Postnet (USPS Publication 25 / DMM 708.4.3): five bars per digit, two of
// them tall, between two tall frame bars; a mod 10 correction digit ends
// the data. Bars and gaps have fixed widths in dots, whatever the figure's
// narrow width.

#include <array>
#include <bit>
#include <string_view>

#include "engine/barcode/barcode.h"
#include "engine/barcode/barcode_state.h"
#include "engine/barcode/digit_rules.h"
#include "engine/barcode/family_encoders.h"

namespace zk {
namespace {

// USPS Publication 25 bar table: bar weights 7-4-2-1-0, 1 = tall bar, most
// significant bit = leftmost bar.
constexpr std::array<std::uint8_t, 10> POSTNET_BARS = {
    0b11000, 0b00011, 0b00101, 0b00110, 0b01001, 0b01010, 0b01100, 0b10001, 0b10010, 0b10100,
};
static_assert([] {
    for (std::uint8_t bars : POSTNET_BARS) {
        if (std::popcount(bars) != 2) {
            return false;
        }
    }
    return true;
}());

constexpr int BAR_WIDTH = 4;
constexpr int GAP_WIDTH = 6;
constexpr std::string_view WRONG_LENGTH_SUBSTITUTE = "00000";

// Tall bars black; short bars black too when `allBars`, else white.
void WriteBars(bool allBars)
{
    ClearModules();
    bool first = true;
    auto bar = [&](bool tall) {
        if (!first) {
            AppendWhite(GAP_WIDTH);
        }
        first = false;
        if (tall || allBars) {
            AppendBlack(BAR_WIDTH);
        } else {
            AppendWhite(BAR_WIDTH);
        }
    };
    bar(true);
    for (char c : BarcodeText.view()) {
        const std::uint8_t bars = POSTNET_BARS[static_cast<std::size_t>(DigitValue(c))];
        for (int i = 4; i >= 0; --i) {
            bar(((bars >> i) & 1U) != 0);
        }
    }
    bar(true);
}

}  // namespace

void EncodePostnet(const TEncodeRequest&)
{
    if (!RequireLength({5, 6, 8, 9, 11}, 0)) {
        BarcodeText.assign(WRONG_LENGTH_SUBSTITUTE);
    }
    // Unlike the other digit codes, Postnet turns any non-digit into 0.
    for (std::size_t i = 0; i < BarcodeText.size(); ++i) {
        if (!IsDigit(BarcodeText[i])) {
            BarcodeText.set(i, '0');
            BarcodeInvalid = 1;
        }
    }
    int sum = 0;
    for (char c : BarcodeText.view()) {
        sum += DigitValue(c);
    }
    BarcodeCheckSum = sum;
    BarcodeText.push_back(DigitChar((10 - sum % 10) % 10));
    WriteBars(false);
}

void EncodePostnetAllBars()
{
    for (char c : BarcodeText.view()) {
        if (!IsDigit(c)) {
            ClearModules();  // not the text of a Postnet encoding
            return;
        }
    }
    WriteBars(true);
}

}  // namespace zk
