#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using CodabarTest = test::EngineTest;

TEST_F(CodabarTest, ElementWidthsOfTheStandardTable)
{
    // AIM USS Codabar character set (narrow 1, wide 2): A, 1, B with the narrow
    // gaps between them.
    test::Encode(BarcodeType::Codabar, "A1B", 1, 2);
    EXPECT_EQ(BarcodeInvalid, 0);
    EXPECT_EQ(test::RunWidths(), "1122121" "1" "1111221" "1" "1212112");
}

TEST_F(CodabarTest, SubstitutesCharactersAndFlagsMissingStartStop)
{
    struct {
        std::string data;
        std::string text;
        int invalid;
    } const cases[] = {
        {"A1234B", "A1234B", 0},
        {"C$-:/.+D", "C$-:/.+D", 0},
        {"", "A0000B", 1},
        {"a12b", "0120", 1},    // lower case lies outside '$'..'D'
        {"A1*2E", "A1020", 1},  // '*' has no symbol, 'E' lies outside
        {"1234", "1234", 1},    // drawn, but without start and stop
        {"A1234", "A1234", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        test::Encode(BarcodeType::Codabar, c.data);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_GT(ModuleArrayCount, 0);
    }
}

}  // namespace
}  // namespace zk
