#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

constexpr std::size_t BAR_PITCH = 10;  // 4-dot bar, 6-dot gap

// One character per bar: '1' where the bar's first column is black.
std::string Bars()
{
    const std::string modules = test::Modules();
    std::string bars;
    for (std::size_t i = 0; i < modules.size(); i += BAR_PITCH) {
        bars.push_back(modules[i]);
    }
    return bars;
}

using PostnetTest = test::EngineTest;

TEST_F(PostnetTest, TallBarsOfTheDigitsAndCorrectionDigit)
{
    // USPS Publication 25 bar table (weights 7 4 2 1 0) between frame bars;
    // 1+2+3+4+5 = 15, correction digit 5.
    test::Encode(BarcodeType::Postnet, "12345");
    EXPECT_EQ(BarcodeText.view(), "123455");
    EXPECT_EQ(BarcodeInvalid, 0);
    EXPECT_EQ(Bars(), "1" "00011" "00101" "00110" "01001" "01010" "01010" "1");
    EXPECT_EQ(ModuleArrayCount, 32 * 10 - 6);
    // Frame bar, gap, the first short bar left white, gap.
    EXPECT_EQ(test::Modules().substr(0, 20), "1111" + std::string(16, '0'));
}

TEST_F(PostnetTest, LengthsAndSubstitutes)
{
    struct {
        std::string data;
        std::string text;
        int invalid;
        const char* source;
    } const cases[] = {
        {"555551237", "5555512372", 0, "ZIP+4 example, sum 38"},
        {"123456", "1234569", 0, "6 digits"},
        {"12345678", "123456784", 0, "8 digits"},
        {"12345678901", "123456789014", 0, "delivery point, 11 digits"},
        {"1234567", "000000", 1, "7 digits become 00000"},
        {"", "000000", 1, "empty data"},
        {"12A45", "120458", 1, "A becomes 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        // The bar widths do not follow the figure's narrow width.
        test::Encode(BarcodeType::Postnet, c.data, 3, 7);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ(static_cast<std::size_t>(ModuleArrayCount), (2 + 5 * c.text.size()) * BAR_PITCH - 6);
    }
}

TEST_F(PostnetTest, SecondPassRecordsEveryBar)
{
    test::Encode(BarcodeType::Postnet, "12345");
    const int count = ModuleArrayCount;
    EncodePostnetAllBars();
    EXPECT_EQ(ModuleArrayCount, count);
    EXPECT_EQ(Bars(), std::string(32, '1'));
}

}  // namespace
}  // namespace zk
