#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

// 9-module patterns of AIM USS Code 93.
const std::string START_STOP = "101011110";
const std::string PLUS = "101110110";  // value 41
const std::string SIX = "100100010";   // value 6
const std::string ZERO = "100010100";

using Code93Test = test::EngineTest;

TEST_F(Code93Test, CheckCharactersOfTheStandardExample)
{
    // "TEST93" carries the check characters C = "+" and K = "6"
    // (AIM USS Code 93, worked example).
    test::Encode(BarcodeType::Code93, "TEST93");
    EXPECT_EQ(BarcodeInvalid, 0);
    EXPECT_EQ(BarcodeCheckSum, 6);
    const std::string modules = test::Modules();
    ASSERT_EQ(modules.size(), 9U * (6 + 4) + 1);
    EXPECT_EQ(modules.substr(0, 9), START_STOP);
    EXPECT_EQ(modules.substr(modules.size() - 28), PLUS + SIX + START_STOP + "1");
}

TEST_F(Code93Test, SubstitutesDataWithoutSymbol)
{
    struct {
        std::string data;
        std::string text;
        int invalid;
    } const cases[] = {
        {"", "000000", 0},
        {"Ab", "A0", 1},
        {"*", "0", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        test::Encode(BarcodeType::Code93, c.data, 2);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ(ModuleArrayCount, 2 * (9 * (static_cast<int>(c.text.size()) + 4) + 1));
    }
}

TEST_F(Code93Test, CheckWeightsCycleAfterTwentyAndFifteen)
{
    // 21 zeros and a 1: every C weight is applied to 0 except weight 1 on
    // the rightmost "1", so C = 1; K = 1 x C + 2 x 1 = 3.
    test::Encode(BarcodeType::Code93, std::string(21, '0') + "1");
    EXPECT_EQ(BarcodeCheckSum, 3);
    // With "1" leftmost of 21 characters its C weight is 21 -> 1, K weight
    // 22 -> 22 mod 15 = 7: C = 1, K = 1 + 7 = 8.
    test::Encode(BarcodeType::Code93, "1" + std::string(20, '0'));
    EXPECT_EQ(BarcodeCheckSum, 8);
    EXPECT_EQ(test::Modules().substr(9, 9), "101001000");  // "1"
    EXPECT_EQ(test::Modules().substr(18, 9), ZERO);
}

}  // namespace
}  // namespace zk
