#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

// 11-module patterns of ISO/IEC 15417 Table 1.
const std::string START_A = "11010000100";
const std::string START_B = "11010010000";
const std::string START_C = "11010011100";
const std::string CODE_B = "10111101110";
const std::string CODE_C = "10111011110";
const std::string STOP = "1100011101011";  // with its final 2-module bar
const std::string V12 = "10110011100";
const std::string V33 = "10100011000";  // "A" in set B
const std::string V34 = "10001011000";  // "B" in set B, 34 in set C

struct Code128Case {
    std::string data;
    std::string text;
    std::string startOfSymbol;
    int check;
    const char* source;
};

using Code128Test = test::EngineTest;

TEST_F(Code128Test, ChoosesStartSetAndSwitchesSets)
{
    const Code128Case cases[] = {
        /* 0 */ {"AIM", "AIM", "11010010000101000110001100010001010111011000101110110001100011101011", 45,
                 "ISO/IEC 15417 Figure 1 (whole symbol)"},
        /* 1 */ {"1234AB", "1234AB", START_C + V12 + V34 + CODE_B + V33 + V34, 66, "set C first, then Code B"},
        /* 2 */ {"AB1234", "AB1234", START_B + V33 + V34 + CODE_C + V12 + V34, 102, "set B, Code C before 12"},
        /* 3 */ {"123", "123", START_B, (104 + 17 + 2 * 18 + 3 * 19) % 103, "three digits stay in set B"},
        /* 4 */ {"", "", START_B, 1, "empty data: start, check, stop"},
    };
    for (const Code128Case& c : cases) {
        SCOPED_TRACE(c.source);
        test::Encode(BarcodeType::Code128Auto, c.data);
        EXPECT_EQ(BarcodeInvalid, 0);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeCheckSum, c.check);
        EXPECT_EQ(test::Modules().substr(0, c.startOfSymbol.size()), c.startOfSymbol);
        EXPECT_EQ(test::Modules().substr(test::Modules().size() - STOP.size()), STOP);
    }
}

TEST_F(Code128Test, ExtendedBytesUseSetAAndLeaveTheTextLine)
{
    // 128 is FNC3 (96) in set A, 133 is 133 - 96 = 37, 165 in set B is 69.
    test::Encode(BarcodeType::Code128Auto, "\x80\x85" "a\xA5");
    EXPECT_EQ(BarcodeInvalid, 0);
    // Start A, [96], [37], Code B, "a" = 65, [69].
    EXPECT_EQ(BarcodeCheckSum, (103 + 96 + 2 * 37 + 3 * 100 + 4 * 65 + 5 * 69) % 103);
    EXPECT_EQ(test::Modules().substr(0, 11), START_A);
    EXPECT_EQ(BarcodeText.view(), "  a");
}

TEST_F(Code128Test, SetCLeavesForSetAWhenExtendedBytesFollow)
{
    test::Encode(BarcodeType::Code128Auto, "1234\x81");
    // Start C, 12, 34, Code A, 129 - 96 = 33.
    EXPECT_EQ(BarcodeCheckSum, (105 + 12 + 2 * 34 + 3 * 101 + 4 * 33) % 103);
    EXPECT_EQ(BarcodeText.view(), "1234 ");
}

TEST_F(Code128Test, ControlAndHighBytesEncodeNothing)
{
    for (const std::string data : {"AB\x1F", "\xAA", "\xFF" "1"}) {
        SCOPED_TRACE(data);
        const TBarcodeFigure figure = test::Encode(BarcodeType::Code128Auto, data);
        EXPECT_EQ(BarcodeInvalid, 1);
        EXPECT_EQ(ModuleArrayCount, 0);
        EXPECT_EQ(figure.ModuleCount, 0);
    }
}

TEST_F(Code128Test, ModuleWidthIsTheNarrowWidth)
{
    test::Encode(BarcodeType::Code128Auto, "AIM", 3);
    EXPECT_EQ(ModuleArrayCount, 3 * 68);
}

using Sscc18Test = test::EngineTest;

TEST_F(Sscc18Test, AppendsCheckDigitAndShowsIdentifier00)
{
    struct {
        std::string data;
        std::string text;
        int invalid;
        const char* source;
    } const cases[] = {
        {"00614141123456789", "(00)006141411234567890", 0, "GS1 General Specifications SSCC example"},
        {"37610425002123456", "(00)376104250021234569", 0, "hand calculation, weights 3, 1 from the left"},
        {"1234", "(00)000000000000000000", 1, "wrong length: 17 zeros"},
        {"0061414112345678X", "(00)006141411234567883", 1, "X (88) becomes 8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        test::Encode(BarcodeType::Sscc18, c.data);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        // Start C, FNC1, 00, nine pairs, check, stop and its bar.
        EXPECT_EQ(ModuleArrayCount, 14 * 11 + 2);
    }
}

struct Ean128Case {
    std::string data;
    std::string text;
    int invalid;
};

using Ean128Test = test::EngineTest;

TEST_F(Ean128Test, HumanReadableLineShowsApplicationIdentifiers)
{
    const std::string gs = "\x1D";
    const Ean128Case cases[] = {
        /*  0 */ {"0112345678901231", "(01)12345678901231", 0},
        /*  1 */ {"10ABC" + gs + "3101000123", "(10)ABC(3101)000123", 0},
        /*  2 */ {"00123456789012345678", "(00)123456789012345678", 0},
        /*  3 */ {"1101020317251231", "(11)010203(17)251231", 0},
        /*  4 */ {"2012" "1512345", "(20)12(15)12345", 0},
        /*  5 */ {"2412345" + gs + "42076", "(241)2345(420)76", 0},
        /*  6 */ {"4123456789012341", "(412)3456789012341", 0},
        /*  7 */ {"800112345678901234" "8005123456", "(8001)12345678901234(8005)123456", 0},
        /*  8 */ {"8100123456" "81011234567890" "810212", "(8100)123456(8101)1234567890(8102)12", 0},
        /*  9 */ {"8020REF-1", "(8020)REF-1", 0},
        /* 10 */ {"2319ABC", "(231)9ABC", 0},
        /* 11 */ {"0112345678901231" + gs + "21XYZ", "(01)12345678901231(21)XYZ", 0},
        /* 12 */ {"99", "(99)", 0},
        /* 13 */ {"17ABC", "(00)000000000000000000", 1},  // a letter in a date field
        /* 14 */ {"A1", "(00)000000000000000000", 1},     // no identifier
        /* 15 */ {"7", "(00)000000000000000000", 1},      // half an identifier
        /* 16 */ {"31A0123456", "(00)000000000000000000", 1}, // identifier digit missing
        /* 17 */ {"10" + std::string(47, 'A'), "(00)000000000000000000", 1},  // 49 characters
        /* 18 */ {"10\x7F", "(00)000000000000000000", 1},
        /* 19 */ {"10\x09", "(00)000000000000000000", 1},
    };
    for (const Ean128Case& c : cases) {
        SCOPED_TRACE(c.data);
        test::Encode(BarcodeType::Ean128, c.data);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
    }
}

TEST_F(Ean128Test, StartsWithFnc1AndUsesSetCForDigitRuns)
{
    const std::string FNC1 = "11110101110";
    test::Encode(BarcodeType::Ean128, "0112345678901231");
    // Start C, FNC1 and the eight pairs: no set switch.
    EXPECT_EQ(test::Modules().substr(0, 22), START_C + FNC1);
    EXPECT_EQ(ModuleArrayCount, (2 + 8 + 2) * 11 + 2);

    test::Encode(BarcodeType::Ean128, "10A");
    // Start B (only three digits ahead), FNC1, "1", "0", "A".
    EXPECT_EQ(test::Modules().substr(0, 22), START_B + FNC1);
    EXPECT_EQ(BarcodeCheckSum, (104 + 102 + 2 * 17 + 3 * 16 + 4 * 33) % 103);

    test::Encode(BarcodeType::Ean128, std::string(48, '1'));
    EXPECT_EQ(BarcodeInvalid, 0);  // 48 characters are allowed
}

TEST_F(Ean128Test, InvalidDataBecomesIdentifier00WithZeros)
{
    test::Encode(BarcodeType::Ean128, "17ABC");
    // Start C, FNC1, ten values 0, check, stop.
    EXPECT_EQ(ModuleArrayCount, 14 * 11 + 2);
    EXPECT_EQ(BarcodeCheckSum, (105 + 102) % 103);
}

}  // namespace
}  // namespace zk
