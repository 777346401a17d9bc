// Every symbology zxing-cpp reads is decoded from the encoder's module array
// and must give the data the figure asks for, check digits included.

#include <gtest/gtest.h>
#include <ostream>
#include <string_view>
#include <utility>

#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

struct DecodeCase {
    BarcodeType type;
    std::string data;
    std::string format;   // zxing-cpp format name
    std::string decoded;  // text zxing-cpp returns
    test::TDecodeOptions options;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << "type " << static_cast<int>(c.type) << " \"" << c.data << "\"";
}

using BarcodeEngineDecoderTest = test::EngineTest;

class BarcodeDecoderTest : public test::EngineTest, public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(BarcodeDecoderTest, DecodesToTheFigureData)
{
    const DecodeCase& c = GetParam();
    for (int narrow = 1; narrow <= 3; ++narrow) {
        SCOPED_TRACE("narrow " + std::to_string(narrow));
        test::Encode(c.type, c.data, narrow, 3 * narrow);
        ASSERT_EQ(BarcodeInvalid, 0);
        const auto decoded = test::DecodeModules(c.format, narrow, c.options);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->Format, c.format);
        EXPECT_EQ(decoded->Text, c.decoded);
    }
}

// The GS1 symbols start with FNC1, which the reader reports as symbology
// identifier ]C1 rather than as text.
TEST_F(BarcodeEngineDecoderTest, Gs1SymbolsStartWithFnc1)
{
    for (const auto& [type, data] : {std::pair{BarcodeType::Sscc18, "00614141123456789"},
                                     std::pair{BarcodeType::Ean128, "0112345678901231"},
                                     std::pair{BarcodeType::Ean128, "10ABC"}}) {
        test::Encode(type, data);
        const auto decoded = test::DecodeModules("Code128", 1);
        ASSERT_TRUE(decoded.has_value()) << data;
        EXPECT_EQ(decoded->SymbologyIdentifier, "]C1") << data;
    }
}

// The invalid-data substitute of EAN 128 is itself a readable GS1 symbol.
TEST_F(BarcodeEngineDecoderTest, Ean128SubstituteDecodesAsIdentifier00WithZeros)
{
    test::Encode(BarcodeType::Ean128, "ab\x01");
    ASSERT_EQ(BarcodeInvalid, 1);
    const auto decoded = test::DecodeModules("Code128", 1);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Text, "00000000000000000000");
    EXPECT_EQ(decoded->SymbologyIdentifier, "]C1");
}

struct AddOnCase {
    BarcodeType type;
    std::string data;
    std::string format;
    std::string decoded;
};

void PrintTo(const AddOnCase& c, std::ostream* os)
{
    *os << "type " << static_cast<int>(c.type) << " \"" << c.data << "\"";
}

class BarcodeAddOnDecoderTest : public test::EngineTest, public ::testing::WithParamInterface<AddOnCase> {};

// The add-on is placed 9 modules right of the main symbol, as the label
// drawing places it.
TEST_P(BarcodeAddOnDecoderTest, DecodesMainSymbolAndAddOn)
{
    const AddOnCase& c = GetParam();
    for (int narrow = 1; narrow <= 3; ++narrow) {
        SCOPED_TRACE("narrow " + std::to_string(narrow));
        test::Encode(c.type, c.data, narrow);
        ASSERT_EQ(BarcodeInvalid, 0);
        const std::string main = test::Modules();
        const std::string_view text = BarcodeText.view();
        EncodeAddOn(narrow, text.substr(text.size() - AddOnDigits));
        const auto decoded = test::DecodeWithAddOn(c.format, narrow, main, 9 * narrow);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->Text, c.decoded);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AddOnTypes, BarcodeAddOnDecoderTest,
    ::testing::Values(
        /* 0 */ AddOnCase{BarcodeType::Ean13AddOn2, "12345678901212", "EAN-13", "1234567890128 12"},
        /* 1 */ AddOnCase{BarcodeType::Ean13AddOn5, "97802013796252495", "EAN-13", "9780201379624 52495"},
        /* 2 */ AddOnCase{BarcodeType::Ean13PriceAddOn2, "21000001234599", "EAN-13", "2100008123454 99"},
        /* 3 */ AddOnCase{BarcodeType::Ean13PriceAddOn5, "21000001234500000", "EAN-13", "2100008123454 00000"},
        /* 4 */ AddOnCase{BarcodeType::UpcAAddOn2, "0360002914503", "UPC-A", "036000291452 03"},
        /* 5 */ AddOnCase{BarcodeType::UpcAAddOn5, "0360002914590000", "UPC-A", "036000291452 90000"},
        /* 6 */ AddOnCase{BarcodeType::UpcEAddOn2, "12345667", "UPC-E", "01234565 67"},
        /* 7 */ AddOnCase{BarcodeType::UpcEAddOn5, "65432112345", "UPC-E", "06543217 12345"},
        /* 8 */ AddOnCase{BarcodeType::Ean8AddOn2, "963850742", "EAN-8", "96385074 42"},
        /* 9 */ AddOnCase{BarcodeType::Ean8AddOn5, "963850712345", "EAN-8", "96385074 12345"}));

test::TDecodeOptions Extended()
{
    test::TDecodeOptions o;
    o.Code39Extended = true;
    return o;
}

test::TDecodeOptions Code39Check()
{
    test::TDecodeOptions o;
    o.Code39CheckSum = true;
    return o;
}

test::TDecodeOptions ItfCheck()
{
    test::TDecodeOptions o;
    o.ItfCheckSum = true;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    AllReadableTypes, BarcodeDecoderTest,
    ::testing::Values(
        /*  0 */ DecodeCase{BarcodeType::Code39, "ABC-123", "Code39", "ABC-123", {}},
        /*  1 */ DecodeCase{BarcodeType::Code39, "Full ascii: a-b?", "Code39", "Full ascii: a-b?", Extended()},
        /*  2 */ DecodeCase{BarcodeType::Code39Check, "ABC", "Code39", "ABC", Code39Check()},
        /*  3 */ DecodeCase{BarcodeType::Code39Check, "CODE 39 $/+%", "Code39", "CODE 39 $/+%", Code39Check()},
        /*  4 */ DecodeCase{BarcodeType::Code93, "TEST93", "Code93", "TEST93", {}},
        /*  5 */ DecodeCase{BarcodeType::Code93, "CODE 93-$/+%.", "Code93", "CODE 93-$/+%.", {}},
        /*  6 */ DecodeCase{BarcodeType::Code128Auto, "1234AB", "Code128", "1234AB", {}},
        /*  7 */ DecodeCase{BarcodeType::Code128Auto, "AB1234", "Code128", "AB1234", {}},
        /*  8 */ DecodeCase{BarcodeType::Code128Auto, "Hello, World! 12345", "Code128", "Hello, World! 12345", {}},
        /*  9 */ DecodeCase{BarcodeType::Code128Auto, "12345678", "Code128", "12345678", {}},
        /* 10 */ DecodeCase{BarcodeType::Codabar, "A1234B", "Codabar", "A1234B", {}},
        /* 11 */ DecodeCase{BarcodeType::Codabar, "C$-:/.+9D", "Codabar", "C$-:/.+9D", {}},
        /* 12 */ DecodeCase{BarcodeType::Ean8, "9638507", "EAN-8", "96385074", {}},
        /* 13 */ DecodeCase{BarcodeType::Ean13, "123456789012", "EAN-13", "1234567890128", {}},
        /* 14 */ DecodeCase{BarcodeType::Ean13, "400638133393", "EAN-13", "4006381333931", {}},
        /* 15 */ DecodeCase{BarcodeType::Ean13Price, "210000012345", "EAN-13", "2100008123454", {}},
        /* 16 */ DecodeCase{BarcodeType::UpcA, "03600029145", "UPC-A", "036000291452", {}},
        /* 17 */ DecodeCase{BarcodeType::UpcE, "123456", "UPC-E", "01234565", {}},
        /* 18 */ DecodeCase{BarcodeType::UpcE, "654321", "UPC-E", "06543217", {}},
        /* 19 */ DecodeCase{BarcodeType::Interleaved2of5, "123456", "ITF", "123456", {}},
        /* 20 */ DecodeCase{BarcodeType::Interleaved2of5, "12345", "ITF", "012345", {}},
        /* 21 */ DecodeCase{BarcodeType::ItfCheck, "12345", "ITF", "123457", ItfCheck()},
        /* 22 */ DecodeCase{BarcodeType::ItfCheckShown, "1234567", "ITF", "12345670", ItfCheck()},
        /* 23 */ DecodeCase{BarcodeType::GermanPostal, "56310243031", "ITF", "563102430313", {}},
        /* 24 */ DecodeCase{BarcodeType::GermanPostal, "2134807501640", "ITF", "21348075016401", {}},
        /* 25 */ DecodeCase{BarcodeType::UpcInterleaved2of5, "1234567890123", "ITF", "12345678901231", ItfCheck()},
        /* 26 */ DecodeCase{BarcodeType::Sscc18, "00614141123456789", "Code128", "00006141411234567890", {}},
        /* 27 */ DecodeCase{BarcodeType::Ean128, "0112345678901231", "Code128", "0112345678901231", {}},
        /* 28 */ DecodeCase{BarcodeType::Ean128, "10ABC123\x1d" "3101000123", "Code128", "10ABC123\x1d" "3101000123", {}}));

}  // namespace
}  // namespace zk
