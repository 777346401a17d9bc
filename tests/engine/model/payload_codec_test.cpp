#include "engine/model/payload_codec.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(PayloadCodecTest, TextLayoutIsLittleEndianInFieldOrder)
{
    TTextFigure text;
    text.X = 0x0102;
    text.Y = -2;
    text.HMult = 3;
    text.VMult = 4;
    text.Font = 6;
    text.Attributes = 0x0181;
    text.Rotation = 1;
    text.RenderedWidth = 300;
    text.Data = "\"AB\"";
    const PayloadBytes bytes = EncodePayload(text);
    const std::uint8_t head[] = {0x02, 0x01, 0xFE, 0xFF, 3, 0, 4, 0, 6, 0, 0x81, 0x01, 1, 0, 0x2C, 0x01, '"', 'A', 'B', '"', 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    EXPECT_EQ(bytes[83], 0);
}

TEST(PayloadCodecTest, EveryKindRoundTrips)
{
    TBarcodeFigure barcode;
    barcode.Type = 28;
    barcode.X = -5;
    barcode.ModuleCount = 95;
    barcode.Data = std::string(63, '9');
    TPictureFigure picture;
    picture.Width = 100;
    picture.DataLength = 65000;
    picture.Name = "PICT0001";
    TSoftFontFigure font;
    font.CharCount = 224;
    font.Letter = "Q";
    TPdf417Figure pdf;
    pdf.X = -1;
    pdf.MaxWidth = 60000;
    pdf.SecurityLevel = 9;
    pdf.Rotation = 3;
    const TFigurePayload payloads[] = {
        TTextFigure{}, barcode, TBarFigure{1, 2, 3, 4, 2}, TLineFigure{-1, -2, 3, 4, 5, 1},
        TBoxFigure{7, 8, 9, 10, 11}, picture, font, pdf,
    };
    for (const auto& payload : payloads) {
        const PayloadBytes bytes = EncodePayload(payload);
        const TFigurePayload back = DecodePayload(KindOf(payload), bytes);
        EXPECT_EQ(EncodePayload(back), bytes) << "kind " << payload.index();
    }
    const auto pdfBytes = EncodePayload(pdf);
    EXPECT_EQ(pdfBytes[0], 0xFF);
    EXPECT_EQ(pdfBytes[12], 9);  // SecurityLevel after the six 16-bit fields
    EXPECT_EQ(pdfBytes[17], 3);
    const auto pictureBytes = EncodePayload(picture);
    EXPECT_EQ(GetLe16(&pictureBytes[8]), 65000);
    EXPECT_EQ(pictureBytes[10], 'P');
}

TEST(PayloadCodecTest, DecodedTextIsAlwaysTerminated)
{
    PayloadBytes bytes;
    bytes.fill('x');
    const auto text = std::get<TTextFigure>(DecodePayload(TFigureKind::Text, bytes));
    EXPECT_EQ(text.Data.length(), 67u);
    const auto picture = std::get<TPictureFigure>(DecodePayload(TFigureKind::Picture, bytes));
    EXPECT_EQ(picture.Name.length(), 15u);
    EXPECT_EQ(picture.Data, nullptr);
}

}  // namespace
}  // namespace zk
