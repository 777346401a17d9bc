#include <gtest/gtest.h>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

std::string ModulesOf(BarcodeType type, const std::string& data)
{
    test::Encode(type, data, 1, 3);
    return test::Modules();
}

using Interleaved2of5Test = test::EngineTest;

TEST_F(Interleaved2of5Test, PairsInterleaveBarsAndSpaces)
{
    // ISO/IEC 16390 digit patterns (narrow 1, wide 2): start, the pair 1 (bars
    // WNNNW) and 2 (spaces NWNNW), stop.
    test::Encode(BarcodeType::Interleaved2of5, "12", 1, 2);
    EXPECT_EQ(test::RunWidths(), "1111" "2112111122" "211");
}

struct ItfCase {
    BarcodeType type;
    std::string data;
    std::string text;
    std::string encodedAs;  // digits of the symbol, as type 14 would encode them
    int invalid;
    const char* source;
};

TEST_F(Interleaved2of5Test, CheckDigitsLeadingZeroAndSubstitutes)
{
    const ItfCase cases[] = {
        /* 0 */ {BarcodeType::Interleaved2of5, "123", "123", "0123", 0, "odd count gets a leading 0"},
        /* 1 */ {BarcodeType::ItfCheck, "123", "123", "1236", 0, "check 6 encoded, not shown"},
        /* 2 */ {BarcodeType::ItfCheckShown, "123", "1236", "1236", 0, "check 6 shown"},
        /* 3 */ {BarcodeType::ItfCheckShown, "1234", "12348", "12348", 0, "check 8 makes the count odd"},
        /* 4 */ {BarcodeType::Interleaved2of5, "", "1234", "1234", 0, "empty data"},
        /* 5 */ {BarcodeType::ItfCheck, "", "1234", "12348", 0, "empty data with check"},
        /* 6 */ {BarcodeType::Interleaved2of5, "12a4", "1274", "1274", 1, "a (97) becomes 7"},
    };
    for (const ItfCase& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string modules = ModulesOf(c.type, c.data);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ(modules, ModulesOf(BarcodeType::Interleaved2of5, c.encodedAs));
    }
}

struct PostalCase {
    BarcodeType type;
    std::string data;
    std::string text;
    int invalid;
    const char* source;
};

TEST_F(Interleaved2of5Test, GermanPostalAndUpcInterleavedTextLines)
{
    const PostalCase cases[] = {
        /* 0 */ {BarcodeType::GermanPostal, "56310243031", "56.310 243.031 3", 0, "Identcode, weights 4 and 9"},
        /* 1 */ {BarcodeType::GermanPostal, "2134807501640", "21348.075.016.40 1", 0, "Leitcode, weights 4 and 9"},
        /* 2 */ {BarcodeType::GermanPostal, "123", "00.000 000.000 0", 1, "wrong length: 11 zeros"},
        /* 3 */ {BarcodeType::GermanPostal, "563102430#1", "56.310 243.051 5", 1, "# (35) becomes 5"},
        /* 4 */ {BarcodeType::UpcInterleaved2of5, "1234567890123", "1 23 45678 90123 1", 0, "ITF-14, GS1 check"},
        /* 5 */ {BarcodeType::UpcInterleaved2of5, "1540014128876", "1 54 00141 28876 3", 0,
                 "ITF-14 example of the GS1 General Specifications"},
        /* 6 */ {BarcodeType::UpcInterleaved2of5, "12345678901234", "0 00 00000 00000 0", 1, "wrong length"},
    };
    for (const PostalCase& c : cases) {
        SCOPED_TRACE(c.source);
        const std::string modules = ModulesOf(c.type, c.data);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        std::string digits;
        for (char ch : c.text) {
            if (ch >= '0' && ch <= '9') {
                digits.push_back(ch);
            }
        }
        EXPECT_EQ(modules, ModulesOf(BarcodeType::Interleaved2of5, digits));
    }
}

}  // namespace
}  // namespace zk
