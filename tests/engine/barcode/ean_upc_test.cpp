#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

struct EanCase {
    BarcodeType type;
    std::string data;
    std::string text;  // BarcodeText afterwards
    char check;
    int invalid;
    int groupKind;
    int addOn;
    int modules;  // with narrow 1
    const char* source;
};

using EanUpcTest = test::EngineTest;

TEST_F(EanUpcTest, CheckDigitsGroupKindsAndSubstitutes)
{
    const EanCase cases[] = {
        /*  0 */ {BarcodeType::Ean13, "123456789012", "123456789012", '8', 0, 6, 0, 95, "ISO/IEC 15420 check digit"},
        /*  1 */ {BarcodeType::Ean13, "400638133393", "400638133393", '1', 0, 6, 0, 95, "GS1 GTIN-13 example"},
        /*  2 */ {BarcodeType::Ean13, "12345678901", "000000000000", '0', 1, 6, 0, 95, "11 digits become zeros"},
        /*  3 */ {BarcodeType::Ean13, "12345678901A", "123456789015", '9', 1, 6, 0, 95, "A (65) becomes 5"},
        /*  4 */ {BarcodeType::Ean8, "9638507", "9638507", '4', 0, 4, 0, 67, "GTIN-8 example"},
        /*  5 */ {BarcodeType::Ean8AddOn2, "963850742", "963850742", '4', 0, 4, 2, 67, "add-on after 7 digits"},
        /*  6 */ {BarcodeType::Ean8AddOn5, "9638507", "000000000000", '0', 1, 4, 5, 67, "12 digits required"},
        /*  7 */ {BarcodeType::Ean13AddOn2, "12345678901299", "12345678901299", '8', 0, 6, 2, 95, "main before add-on"},
        /*  8 */ {BarcodeType::Ean13AddOn5, "97802013796252495", "97802013796252495", '4', 0, 6, 5, 95,
                  "ISBN with price add-on"},
        /*  9 */ {BarcodeType::Ean13Price, "210000012345", "210000812345", '4', 0, 6, 0, 95,
                  "price check: 5+(1) 2-(2) 5-(3) 5+(4) 2-(5) = 24, t = 6 = 5-(8)"},
        /* 10 */ {BarcodeType::Ean13Price, "299999900000", "299999000000", '9', 0, 6, 0, 95, "price 00000: t = 0"},
        /* 11 */ {BarcodeType::Ean13PriceAddOn2, "21000001234512", "21000081234512", '4', 0, 6, 2, 95, "as 9"},
        /* 12 */ {BarcodeType::Ean13PriceAddOn5, "21000001234512345", "21000081234512345", '4', 0, 6, 5, 95, "as 9"},
        /* 13 */ {BarcodeType::UpcA, "03600029145", "03600029145", '2', 0, 6, 0, 95, "GS1 UPC-A example"},
        /* 14 */ {BarcodeType::UpcAAddOn2, "0360002914512", "0360002914512", '2', 0, 6, 2, 95, "add-on 12"},
        /* 15 */ {BarcodeType::UpcAAddOn5, "036000291451", "0000000000000000", '0', 1, 6, 5, 95, "16 digits required"},
        /* 16 */ {BarcodeType::UpcE, "123456", "123456", '5', 0, 7, 0, 51, "UPC-E of 01234500006"},
        /* 17 */ {BarcodeType::UpcEAddOn2, "12345612", "12345612", '5', 0, 7, 2, 51, "add-on 12"},
        /* 18 */ {BarcodeType::UpcEAddOn5, "12345654321", "12345654321", '5', 0, 7, 5, 51, "add-on 54321"},
        /* 19 */ {BarcodeType::UpcE, "1234567", "000000", '0', 1, 7, 0, 51, "7 digits become zeros"},
    };
    for (const EanCase& c : cases) {
        SCOPED_TRACE(c.source);
        const TBarcodeFigure figure = test::Encode(c.type, c.data, 2);
        EXPECT_EQ(BarcodeText.view(), c.text);
        EXPECT_EQ(CheckDigitChar, c.check);
        EXPECT_EQ(BarcodeInvalid, c.invalid);
        EXPECT_EQ(EanGroupKind, c.groupKind);
        EXPECT_EQ(AddOnDigits, c.addOn);
        EXPECT_EQ(ModuleArrayCount, 2 * c.modules);
        EXPECT_EQ(figure.RenderedWidth, 2 * c.modules);
    }
}

TEST_F(EanUpcTest, ExpandsUpcEByItsLastDigit)
{
    struct {
        std::string upcE;
        std::string upcA;
    } const cases[] = {
        {"123450", "01200000345"}, {"123451", "01210000345"}, {"123452", "01220000345"},
        {"123453", "01230000045"}, {"123454", "01234000005"}, {"123455", "01234500005"},
        {"123456", "01234500006"}, {"654329", "06543200009"}, {"12345", ""},
        {"12345a", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandUpcE(c.upcE), c.upcA) << c.upcE;
    }
}

TEST_F(EanUpcTest, Ean13ModulesOfTheStandardSets)
{
    // First digit 4 selects sets A B A A B B for digits 2..7 (ISO/IEC 15420);
    // the digits spelled from its number sets A, B and C.
    const std::string A0 = "0001101", A3 = "0111101", A6 = "0101111";
    const std::string B0 = "0100111", B1 = "0110011", B8 = "0001001";
    const std::string C1 = "1100110", C3 = "1000010", C9 = "1110100";
    test::Encode(BarcodeType::Ean13, "400638133393");
    EXPECT_EQ(test::Modules(),
              "101" + A0 + B0 + A6 + A3 + B8 + B1 + "01010" + C3 + C3 + C3 + C9 + C3 + C1 + "101");
}

TEST_F(EanUpcTest, AddOnParity)
{
    struct {
        std::string digits;
        std::string sets;
        const char* source;
    } const cases[] = {
        {"12", "AA", "12 mod 4 = 0"},
        {"13", "AB", "13 mod 4 = 1"},
        {"14", "BA", "14 mod 4 = 2"},
        {"15", "BB", "15 mod 4 = 3"},
        {"52495", "BABAA", "5-digit add-on: 3 x 14 + 9 x 11 = 141 -> 1"},
        {"00000", "BBAAA", "check value 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EncodeAddOn(1, c.digits);
        const std::string modules = test::Modules();
        ASSERT_EQ(modules.size(), 4 + 7 * c.digits.size() + 2 * (c.digits.size() - 1));
        EXPECT_EQ(modules.substr(0, 4), "1011");
        for (std::size_t i = 0; i < c.digits.size(); ++i) {
            const std::string digit = modules.substr(4 + 9 * i, 7);
            // Set A digits start with a space and end with a bar, an odd
            // number of bar modules; set B an even number.
            const auto bars = std::count(digit.begin(), digit.end(), '1');
            EXPECT_EQ(bars % 2 == 1 ? 'A' : 'B', c.sets[i]) << i;
            if (i > 0) {
                EXPECT_EQ(modules.substr(4 + 9 * i - 2, 2), "01");
            }
        }
    }
    EncodeAddOn(1, "123");
    EXPECT_EQ(ModuleArrayCount, 0);
}

TEST_F(EanUpcTest, GuardsOnlyForTheDigitLayout)
{
    struct {
        BarcodeType type;
        std::string data;
        std::vector<int> blackColumns;
    } const cases[] = {
        {BarcodeType::Ean8, "1234567", {0, 2, 32, 34, 64, 66}},
        {BarcodeType::Ean13, "123456789012", {0, 2, 46, 48, 92, 94}},
        {BarcodeType::UpcA, "12345678901", {0, 2, 46, 48, 92, 94}},
        {BarcodeType::UpcE, "123456", {0, 2, 46, 48, 50}},
    };
    for (const auto& c : cases) {
        test::Encode(c.type, c.data);
        const int width = ModuleArrayCount;
        EncodeEanGuards(1);
        EXPECT_EQ(ModuleArrayCount, width);
        std::vector<int> black;
        for (int i = 0; i < ModuleArrayCount; ++i) {
            if (ModuleArray[static_cast<std::size_t>(i)]) {
                black.push_back(i);
            }
        }
        EXPECT_EQ(black, c.blackColumns) << c.data;
    }
}

}  // namespace
}  // namespace zk
