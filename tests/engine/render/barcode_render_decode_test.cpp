// Every one-dimensional symbology the independent decoder (zxing-cpp) reads,
// drawn onto the label image with its human-readable line, for narrow
// widths 1..3 and all four rotations, must decode to the figure's data.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/barcode/barcode_state.h"
#include "engine/render/barcode_figure.h"
#include "engine/render/barcode_layout.h"
#include "tests/engine/render/barcode_figure_fixture.h"
#include "tests/engine/render/render_test_support.h"

namespace zk {
namespace {

struct DecodeCase {
    BarcodeType type;
    std::string data;
    std::string format;
    std::string decoded;
    test::TDecodeOptions options;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << BarcodeTypes[static_cast<std::size_t>(c.type)].Name << " \"" << c.data << "\"";
}

test::TDecodeOptions Options(bool extended, bool code39Check, bool itfCheck, bool addOn)
{
    test::TDecodeOptions o;
    o.Code39Extended = extended;
    o.Code39CheckSum = code39Check;
    o.ItfCheckSum = itfCheck;
    o.ReadEanAddOn = addOn;
    return o;
}
const test::TDecodeOptions Plain = Options(false, false, false, false);
const test::TDecodeOptions Extended = Options(true, false, false, false);
const test::TDecodeOptions Code39Check = Options(false, true, false, false);
const test::TDecodeOptions ItfCheck = Options(false, false, true, false);
const test::TDecodeOptions AddOn = Options(false, false, false, true);

constexpr int QUIET = 40;
constexpr int HEIGHT = 80;
constexpr int LEFT_MARGIN = 7;
constexpr int TOP_MARGIN = 5;

class DrawnBarcodeDecodeTest : public test::BarcodeDrawingTest, public ::testing::WithParamInterface<DecodeCase> {
protected:
    // Sizes the label around the symbol's extent (leading digit, bars, add-on,
    // digits above and text below) and returns the figure placed in it.
    TBarcodeFigure Placed(const DecodeCase& c, int narrow, int rotation, int humanReadable)
    {
        test::Encode(c.type, c.data, narrow, 3 * narrow);
        const int n = ModuleArrayCount;
        const int addOn = AddOnDigits != 0 ? narrow * (9 * AddOnDigits + 11) : 0;
        const int alongMin = -30;
        const int alongMax = n + 3 * narrow + 12 + addOn;
        const int acrossMin = -30;
        const int acrossMax = HEIGHT + 60;
        const int alongSpan = alongMax - alongMin;
        const int acrossSpan = acrossMax - acrossMin;
        TPlace origin;
        switch (rotation) {
        case 0: origin = {QUIET - alongMin, QUIET - acrossMin}; break;
        case 1: origin = {QUIET + acrossMax, QUIET - alongMin}; break;
        case 2: origin = {QUIET + alongMax, QUIET + acrossMax}; break;
        default: origin = {QUIET - acrossMin, QUIET + alongMax}; break;
        }
        const bool upright = rotation % 2 == 0;
        UseLabel(2 * QUIET + (upright ? alongSpan : acrossSpan), 2 * QUIET + (upright ? acrossSpan : alongSpan));
        LabelSetup.LeftMargin = LEFT_MARGIN;
        LabelSetup.TopMargin = TOP_MARGIN;
        return Figure(c.type, c.data, narrow, origin.X - LEFT_MARGIN, origin.Y - TOP_MARGIN, HEIGHT, humanReadable,
                      rotation);
    }
};

TEST_P(DrawnBarcodeDecodeTest, DecodesToTheFigureData)
{
    const DecodeCase& c = GetParam();
    const bool ean = EanFamilyOf(static_cast<int>(c.type)) != TEanFamily::None;
    for (int humanReadable : {0, ean ? 1 : 2}) {
        for (int narrow = 1; narrow <= 3; ++narrow) {
            for (int rotation = 0; rotation < 4; ++rotation) {
                SCOPED_TRACE("narrow " + std::to_string(narrow) + " rotation " + std::to_string(rotation) +
                             " human-readable " + std::to_string(humanReadable));
                TBarcodeFigure figure = Placed(c, narrow, rotation, humanReadable);
                DrawBarcodeFigure(figure);
                ASSERT_EQ(BarcodeInvalid, 0);
                const auto decoded = test::DecodeLabel(c.format, c.options);
                ASSERT_TRUE(decoded.has_value());
                EXPECT_EQ(decoded->Format, c.format);
                EXPECT_EQ(decoded->Text, c.decoded);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReadableTypes, DrawnBarcodeDecodeTest,
    ::testing::Values(
        /*  0 */ DecodeCase{BarcodeType::Code39, "ABC-123", "Code39", "ABC-123", Plain},
        /*  1 */ DecodeCase{BarcodeType::Code39, "Full ascii: a-b?", "Code39", "Full ascii: a-b?", Extended},
        /*  2 */ DecodeCase{BarcodeType::Code39Check, "CODE 39 $/+%", "Code39", "CODE 39 $/+%", Code39Check},
        /*  3 */ DecodeCase{BarcodeType::Code93, "CODE 93-$/+%.", "Code93", "CODE 93-$/+%.", Plain},
        /*  4 */ DecodeCase{BarcodeType::Code128Auto, "Hello, World! 12345", "Code128", "Hello, World! 12345", Plain},
        /*  5 */ DecodeCase{BarcodeType::Code128Auto, "1234AB", "Code128", "1234AB", Plain},
        /*  6 */ DecodeCase{BarcodeType::Codabar, "A1234B", "Codabar", "A1234B", Plain},
        /*  7 */ DecodeCase{BarcodeType::Ean8, "9638507", "EAN-8", "96385074", Plain},
        /*  8 */ DecodeCase{BarcodeType::Ean8AddOn2, "963850742", "EAN-8", "96385074 42", AddOn},
        /*  9 */ DecodeCase{BarcodeType::Ean8AddOn5, "963850712345", "EAN-8", "96385074 12345", AddOn},
        /* 10 */ DecodeCase{BarcodeType::Ean13, "400638133393", "EAN-13", "4006381333931", Plain},
        /* 11 */ DecodeCase{BarcodeType::Ean13AddOn2, "12345678901212", "EAN-13", "1234567890128 12", AddOn},
        /* 12 */ DecodeCase{BarcodeType::Ean13AddOn5, "97802013796252495", "EAN-13", "9780201379624 52495", AddOn},
        /* 13 */ DecodeCase{BarcodeType::Ean13Price, "210000012345", "EAN-13", "2100008123454", Plain},
        /* 14 */ DecodeCase{BarcodeType::Ean13PriceAddOn2, "21000001234599", "EAN-13", "2100008123454 99", AddOn},
        /* 15 */ DecodeCase{BarcodeType::Ean13PriceAddOn5, "21000001234500000", "EAN-13", "2100008123454 00000", AddOn},
        /* 16 */ DecodeCase{BarcodeType::Ean128, "0112345678901231", "Code128", "0112345678901231", Plain},
        /* 17 */ DecodeCase{BarcodeType::GermanPostal, "56310243031", "ITF", "563102430313", Plain},
        /* 18 */ DecodeCase{BarcodeType::Interleaved2of5, "123456", "ITF", "123456", Plain},
        /* 19 */ DecodeCase{BarcodeType::ItfCheck, "12345", "ITF", "123457", ItfCheck},
        /* 20 */ DecodeCase{BarcodeType::ItfCheckShown, "1234567", "ITF", "12345670", ItfCheck},
        /* 21 */ DecodeCase{BarcodeType::Sscc18, "00614141123456789", "Code128", "00006141411234567890", Plain},
        /* 22 */ DecodeCase{BarcodeType::UpcA, "03600029145", "UPC-A", "036000291452", Plain},
        /* 23 */ DecodeCase{BarcodeType::UpcAAddOn2, "0360002914503", "UPC-A", "036000291452 03", AddOn},
        /* 24 */ DecodeCase{BarcodeType::UpcAAddOn5, "0360002914590000", "UPC-A", "036000291452 90000", AddOn},
        /* 25 */ DecodeCase{BarcodeType::UpcE, "654321", "UPC-E", "06543217", Plain},
        /* 26 */ DecodeCase{BarcodeType::UpcEAddOn2, "12345667", "UPC-E", "01234565 67", AddOn},
        /* 27 */ DecodeCase{BarcodeType::UpcEAddOn5, "65432112345", "UPC-E", "06543217 12345", AddOn},
        /* 28 */ DecodeCase{BarcodeType::UpcInterleaved2of5, "1234567890123", "ITF", "12345678901231", ItfCheck}));

}  // namespace
}  // namespace zk
