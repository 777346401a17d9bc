#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

// Element widths (narrow 1, wide 2) of ISO/IEC 16388 Table 1, each with the
// narrow gap that follows a character.
const std::string START = "1211212111";
const std::string STOP = "121121211";  // no gap after the stop
const std::string A = "2111121121";
const std::string B = "1121121121";
const std::string C = "2121121111";
const std::string X = "1211211121";
const std::string ZERO = "1112212111";
const std::string PLUS = "1211121211";
const std::string SLASH = "1212111211";

struct Code39Case {
    BarcodeType type;
    std::string data;
    std::string text;  // BarcodeText afterwards
    int invalid;
    std::string widths;
    const char* source;
};

using Code39Test = test::EngineTest;

TEST_F(Code39Test, EncodesCharactersFullAsciiPairsAndCheckSymbol)
{
    const Code39Case cases[] = {
        /* 0 */ {BarcodeType::Code39, "ABC", "ABC", 0, START + A + B + C + STOP, "ISO/IEC 16388 Table 1"},
        /* 1 */ {BarcodeType::Code39Check, "ABC", "ABC", 0, START + A + B + C + X + STOP,
                 "check (10 + 11 + 12) mod 43 = 33, ISO/IEC 16388 Annex A"},
        /* 2 */ {BarcodeType::Code39, "a", "a", 0, START + PLUS + A + STOP, "full ASCII +A, ISO/IEC 16388 Table A.2"},
        /* 3 */ {BarcodeType::Code39, "!", "!", 0, START + SLASH + A + STOP, "full ASCII /A, ISO/IEC 16388 Table A.2"},
        /* 4 */ {BarcodeType::Code39, "", "000000", 0, START + ZERO + ZERO + ZERO + ZERO + ZERO + ZERO + STOP,
                 "empty data encodes six zeros"},
        /* 5 */ {BarcodeType::Code39, "A\xC4", "A0", 1, START + A + ZERO + STOP, "byte 196 becomes 0"},
        /* 6 */ {BarcodeType::Code39, "\x01" "A", "0A", 1, START + ZERO + A + STOP, "a control character becomes 0"},
    };
    for (const Code39Case& c : cases) {
        SCOPED_TRACE(c.source);
        test::Encode(c.type, c.data, 1, 2);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ(test::RunWidths(), c.widths);
    }
}

TEST_F(Code39Test, CheckSumAddsTheValuesOfPairSymbols)
{
    // "a" is written as + (41) and A (10): check symbol 51 mod 43 = 8.
    test::Encode(BarcodeType::Code39Check, "a", 1, 2);
    EXPECT_EQ(BarcodeCheckSum, 51);
    EXPECT_EQ(test::RunWidths(), START + PLUS + A + "2112112111" + STOP);
}

TEST_F(Code39Test, WideElementsTakeTheFigureWideWidth)
{
    // Each character: 6 narrow and 3 wide elements plus the gap.
    const TBarcodeFigure figure = test::Encode(BarcodeType::Code39, "A", 2, 5);
    EXPECT_EQ(figure.ModuleCount, 3 * (7 * 2 + 3 * 5) - 2);
    EXPECT_EQ(figure.RenderedWidth, figure.ModuleCount);
}

}  // namespace
}  // namespace zk
