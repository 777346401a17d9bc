#include <bitset>
#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

// With narrow 1 a 1 bit is 1110 and a 0 bit 1000.
std::string Bits(const std::string& bits)
{
    std::string columns;
    for (char b : bits) {
        columns += b == '1' ? "1110" : "1000";
    }
    return columns;
}

using PlesseyTest = test::EngineTest;

TEST_F(PlesseyTest, BitsOfDigitsAndCheckDigit)
{
    // Start bit, "1" as 0001, check 8 as 1000, stop bit, final bar.
    test::Encode(BarcodeType::Plessey, "1");
    EXPECT_EQ(test::Modules(), Bits("1" "0001" "1000" "0") + "1");
}

TEST_F(PlesseyTest, CheckDigitDoublesEveryOtherDigitFromTheRight)
{
    struct {
        std::string data;
        std::string text;
        int check;
        int invalid;
        const char* source;
    } const cases[] = {
        {"1234567", "1234567", 4, 0, "MSI mod 10 example"},
        {"80523", "80523", 4, 0, "Luhn: 3 doubled 6, 5 doubled 1, 8 doubled 7"},
        {"", "0000", 0, 1, "empty data"},
        {"12B", "126", 3, 1, "B (66) becomes 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        test::Encode(BarcodeType::Plessey, c.data, 2);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ((10 - BarcodeCheckSum % 10) % 10, c.check);
        const std::string modules = test::Modules();
        // Check digit: the four bits before the stop bit and final bar.
        const std::size_t checkAt = modules.size() - 2 * (1 + (4 + 1) * 4);
        std::string bits;
        for (int bit = 0; bit < 4; ++bit) {
            bits.push_back(modules[checkAt + static_cast<std::size_t>(bit) * 8 + 2] == '1' ? '1' : '0');
        }
        EXPECT_EQ(bits, std::bitset<4>(static_cast<unsigned>(c.check)).to_string());
        EXPECT_EQ(modules.size(), 2 * ((c.text.size() * 4 + 6) * 4 + 1));
    }
}

}  // namespace
}  // namespace zk
