#include <gtest/gtest.h>
#include <algorithm>
#include <set>

#include "engine/engine_state.h"
#include "tests/engine/barcode/barcode_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using EncodeBarcodeTest = test::EngineTest;

TEST_F(EncodeBarcodeTest, TypeTableNamesAndPrinterCodes)
{
    ASSERT_EQ(BarcodeTypes.size(), 29U);
    EXPECT_EQ(BarcodeTypes[0].Name, "Code 39");
    EXPECT_EQ(BarcodeTypes[3].Name, "Code 128 auto A, B, C modes");
    EXPECT_EQ(BarcodeTypes[16].Name, "ITF - human readable check digit");
    EXPECT_EQ(BarcodeTypes[27].Name, "EAN 13 with int. check digit (2 add-on's)");
    EXPECT_EQ(BarcodeTypes[1].TypeCode, "3C");
    EXPECT_EQ(BarcodeTypes[12].TypeCode, "1E");
    EXPECT_EQ(BarcodeTypes[19].TypeCode, "0");
    EXPECT_EQ(BarcodeTypes[28].TypeCode, "A35");
    std::set<std::string_view> codes;
    for (const TBarcodeTypeInfo& info : BarcodeTypes) {
        EXPECT_FALSE(info.Name.empty());
        codes.insert(info.TypeCode);
    }
    EXPECT_EQ(codes.size(), BarcodeTypes.size());
}

TEST_F(EncodeBarcodeTest, EveryTypeEncodesItsTemplateData)
{
    // Data of the right shape for each type: every encoding is valid and
    // not empty.
    const char* data[BarcodeTypeCount] = {
        "ABC", "ABC", "ABC", "ABC", "A123B", "1234567", "123456712", "123456712345", "123456789012",
        "12345678901212", "12345678901212345", "210000012345", "0112345678901231", "56310243031", "1234",
        "1234", "1234", "1234", "12345", "00614141123456789", "03600029145", "0360002914512",
        "0360002914512345", "123456", "12345612", "12345612345", "1234567890123", "21000001234512",
        "21000001234512345",
    };
    for (int type = 0; type < BarcodeTypeCount; ++type) {
        SCOPED_TRACE(BarcodeTypes[static_cast<std::size_t>(type)].Name);
        const TBarcodeFigure figure = test::Encode(static_cast<BarcodeType>(type), data[type], 2, 5);
        EXPECT_EQ(BarcodeInvalid, 0);
        EXPECT_GT(ModuleArrayCount, 0);
        EXPECT_EQ(figure.ModuleCount, ModuleArrayCount);
        EXPECT_EQ(figure.RenderedWidth, ModuleArrayCount);
    }
}

TEST_F(EncodeBarcodeTest, UnknownTypeIndexEncodesNothing)
{
    for (int type : {-1, 29, 1000}) {
        TBarcodeFigure figure = test::BarcodeFigure(BarcodeType::Code39, "ABC");
        figure.Type = static_cast<std::int16_t>(type);
        figure.ModuleCount = 77;
        EncodeBarcode(figure);
        EXPECT_EQ(BarcodeInvalid, 1);
        EXPECT_EQ(ModuleArrayCount, 0);
        EXPECT_EQ(figure.ModuleCount, 0);
    }
}

TEST_F(EncodeBarcodeTest, WideSymbolsAreCutAtTheEndOfTheModuleArray)
{
    // 20 characters of Code 39 at narrow 10, wide 30 take 22 x 160 columns.
    const TBarcodeFigure figure = test::Encode(BarcodeType::Code39, std::string(20, 'W'), 10, 30);
    EXPECT_EQ(ModuleArrayCount, 2048);
    EXPECT_EQ(figure.ModuleCount, 2048);
    // Widths that no figure should hold are bounded the same way.
    test::Encode(BarcodeType::Code128Auto, "AIM", 32767);
    EXPECT_EQ(ModuleArrayCount, 2048);
    test::Encode(BarcodeType::Interleaved2of5, "12", -5, -5);
    EXPECT_EQ(ModuleArrayCount, 0);
}

TEST_F(EncodeBarcodeTest, EvaluationFailureIsEncodedAsItsFailureText)
{
    TBarcodeFigure figure = test::BarcodeFigure(BarcodeType::Ean13, "");
    figure.Data = "unquoted";
    EncodeBarcode(figure);
    // "@@@@" has the wrong length for EAN 13.
    EXPECT_EQ(BarcodeText.view(), "000000000000");
    EXPECT_EQ(BarcodeInvalid, 1);
}

TEST_F(EncodeBarcodeTest, EachEncodingStartsFromCleanState)
{
    test::Encode(BarcodeType::Ean13AddOn5, "12345678901212345");
    ASSERT_EQ(AddOnDigits, 5);
    test::Encode(BarcodeType::Code39, "\xC4");
    ASSERT_EQ(BarcodeInvalid, 1);
    test::Encode(BarcodeType::Code128Auto, "AIM");
    EXPECT_EQ(BarcodeInvalid, 0);
    EXPECT_EQ(EanGroupKind, 0);
    EXPECT_EQ(AddOnDigits, 0);
    EXPECT_TRUE(std::all_of(ModuleArray.begin() + ModuleArrayCount, ModuleArray.end(),
                            [](std::uint8_t m) { return m == 0; }));
}

TEST_F(EncodeBarcodeTest, EngineResetClearsTheEncoderState)
{
    test::Encode(BarcodeType::Ean13AddOn2, "1234567890121");
    ResetEngineState();
    EXPECT_EQ(ModuleArrayCount, 0);
    EXPECT_TRUE(BarcodeText.empty());
    EXPECT_EQ(BarcodeInvalid, 0);
    EXPECT_EQ(EanGroupKind, 0);
    EXPECT_EQ(AddOnDigits, 0);
}

}  // namespace
}  // namespace zk
