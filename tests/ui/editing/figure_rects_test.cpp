#include "ui/editing/figure_rects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class FigureRectTest : public test::EditorTest {};

TTextFigure Text(std::int16_t rotation, std::uint16_t attributes = 0, std::int16_t font = 3)
{
    TTextFigure text;
    text.X = 10;
    text.Y = 20;
    text.RenderedWidth = 50;
    text.Font = font;
    text.VMult = 2;
    text.Rotation = rotation;
    text.Attributes = attributes;
    return text;
}

TBarcodeFigure Barcode(std::int16_t type, std::int16_t rotation, std::int16_t humanReadable = 2)
{
    TBarcodeFigure barcode;
    barcode.Type = type;
    barcode.X = 100;
    barcode.Y = 50;
    barcode.RenderedWidth = 80;
    barcode.Height = 40;
    barcode.Narrow = 2;
    barcode.HumanReadable = humanReadable;
    barcode.Rotation = rotation;
    return barcode;
}

TPdf417Figure Pdf417(std::uint8_t rotation)
{
    TPdf417Figure pdf;
    pdf.X = 10;
    pdf.Y = 20;
    pdf.MaxWidth = 170;
    pdf.MaxHeight = 64;
    pdf.Rotation = rotation;
    return pdf;
}

TPictureFigure Picture()
{
    TPictureFigure picture;
    picture.X = 5;
    picture.Y = 6;
    picture.Width = 20;
    picture.Height = 10;
    return picture;
}

struct RectCase {
    const char* name;
    TFigurePayload payload;
    RectRule rule;
    TEditRect expected;
};

TEST_F(FigureRectTest, RectanglesByKindRotationAndRule)
{
    const RectCase cases[] = {
        // Text: 50 wide, font 3 (20 high in the hit rule, 25 in the band rule) twice as tall.
        {"text rot 0", Text(0), RectRule::Hit, {10, 20, 60, 60}},
        {"text rot 1", Text(1), RectRule::Hit, {-30, 20, 10, 70}},
        {"text rot 2", Text(2), RectRule::Hit, {-40, -20, 10, 20}},
        {"text rot 3", Text(3), RectRule::Hit, {10, -30, 50, 20}},
        {"text rot 0 reversed", Text(0, TextAttr::ReverseDirection), RectRule::Hit, {-40, 20, 10, 60}},
        {"text rot 1 reversed", Text(1, TextAttr::ReverseDirection), RectRule::Hit, {-30, -30, 10, 20}},
        {"text rot 2 reversed", Text(2, TextAttr::ReverseDirection), RectRule::Hit, {10, -20, 60, 20}},
        {"text rot 3 reversed", Text(3, TextAttr::ReverseDirection), RectRule::Hit, {10, 20, 50, 70}},
        {"text band", Text(0), RectRule::Band, {10, 20, 60, 70}},
        {"text frame", Text(0), RectRule::Frame, {10, 20, 60, 60}},
        {"text font 5", Text(0, 0, 5), RectRule::Hit, {10, 20, 60, 116}},
        {"text font 5 band", Text(0, 0, 5), RectRule::Band, {10, 20, 60, 136}},
        {"text font 1", Text(0, 0, 1), RectRule::Hit, {10, 20, 60, 44}},
        // Barcode 80 wide, 40 high; EAN/UPC types add 3 x narrow + 12 for the human-readable line.
        {"ean rot 0", Barcode(8, 0), RectRule::Hit, {100, 50, 198, 90}},
        {"ean rot 0 frame", Barcode(8, 0), RectRule::Frame, {100, 50, 199, 91}},
        {"ean no human readable", Barcode(8, 0, 0), RectRule::Hit, {100, 50, 180, 90}},
        {"type 11", Barcode(11, 0), RectRule::Hit, {100, 50, 198, 90}},
        {"type 12", Barcode(12, 0), RectRule::Hit, {100, 50, 180, 90}},
        {"type 22", Barcode(22, 0), RectRule::Hit, {100, 50, 180, 90}},
        {"type 23 doubled", Barcode(23, 0), RectRule::Hit, {100, 50, 216, 90}},
        {"type 25", Barcode(25, 0), RectRule::Hit, {100, 50, 198, 90}},
        {"type 26", Barcode(26, 0), RectRule::Hit, {100, 50, 180, 90}},
        {"type 27", Barcode(27, 0), RectRule::Hit, {100, 50, 198, 90}},
        {"type 28 frame", Barcode(28, 0), RectRule::Frame, {100, 50, 199, 91}},
        {"type 28 no human readable", Barcode(28, 0, 0), RectRule::Hit, {100, 50, 180, 90}},
        {"type 28 rot 1", Barcode(28, 1), RectRule::Hit, {60, 50, 100, 148}},
        {"barcode rot 1", Barcode(1, 1), RectRule::Hit, {60, 50, 100, 130}},
        {"barcode rot 2", Barcode(1, 2), RectRule::Hit, {20, 10, 100, 50}},
        {"barcode rot 3", Barcode(1, 3), RectRule::Hit, {100, -30, 140, 50}},
        {"barcode rot 1 frame", Barcode(1, 1), RectRule::Frame, {59, 50, 100, 131}},
        {"pdf417 rot 0", Pdf417(0), RectRule::Hit, {10, 20, 180, 84}},
        {"pdf417 rot 1", Pdf417(1), RectRule::Hit, {-54, 20, 10, 190}},
        {"pdf417 rot 2", Pdf417(2), RectRule::Hit, {-160, -44, 10, 20}},
        {"pdf417 rot 3", Pdf417(3), RectRule::Hit, {10, -150, 74, 20}},
        {"bar negative height", TBarFigure{5, 6, 10, -4, 0}, RectRule::Hit, {5, 2, 15, 6}},
        // Frames take (x1 - 1, y1 - 1)-(x2, y2) from the corners as stored, then normalise.
        {"bar frame", TBarFigure{5, 6, 10, 4, 0}, RectRule::Frame, {4, 5, 15, 10}},
        {"bar frame negative height", TBarFigure{5, 6, 10, -4, 0}, RectRule::Frame, {4, 2, 15, 5}},
        {"picture", Picture(), RectRule::Band, {5, 6, 25, 16}},
        {"picture frame", Picture(), RectRule::Frame, {4, 5, 25, 16}},
        {"box reversed corners", TBoxFigure{30, 40, 10, 20, 2}, RectRule::Hit, {10, 20, 30, 40}},
        {"box frame", TBoxFigure{10, 20, 30, 40, 2}, RectRule::Frame, {9, 19, 30, 40}},
        {"box frame reversed corners", TBoxFigure{30, 40, 10, 20, 2}, RectRule::Frame, {10, 20, 29, 39}},
        {"box frame reversed x only", TBoxFigure{30, 20, 10, 40, 2}, RectRule::Frame, {10, 19, 29, 40}},
        {"line", TLineFigure{5, 9, 1, 3, 2, 0}, RectRule::Frame, {1, 3, 5, 9}},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFigure figure;
        figure.Payload = c.payload;
        EXPECT_EQ(FigureRect(figure, c.rule), c.expected);
    }
}

// The add-on is drawn after the bars moved for the leading digit, so the
// frame of every EAN-13 type with an add-on must reach its last bar.
TEST_F(FigureRectTest, EanThirteenFramesCoverTheDrawnAddOn)
{
    const struct {
        std::int16_t type;
        const char* data;
    } cases[] = {{9, "\"12345678901212\""},
                 {10, "\"12345678901212345\""},
                 {27, "\"12345678901212\""},
                 {28, "\"12345678901212345\""}};
    LabelSetup.LabelWidth = 600;
    LabelSetup.LabelLength = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ClearFigureList();
        TBarcodeFigure barcode = Barcode(c.type, 0);
        barcode.X = 10;
        barcode.Y = 10;
        barcode.Data = c.data;
        TFigure* figure = Add(barcode);
        LabelImage.Resize(LabelSetup.LabelWidth, LabelSetup.LabelLength);
        RedrawLabel(RedrawPreview);
        int lastBlackColumn = -1;
        for (int y = 0; y < LabelImage.Height(); ++y) {
            for (int x = 0; x < LabelImage.Width(); ++x) {
                if (LabelImage.Pixel(x, y) == Black) {
                    lastBlackColumn = std::max(lastBlackColumn, x);
                }
            }
        }
        ASSERT_GT(lastBlackColumn, 0);
        EXPECT_EQ(FigureRect(*figure, RectRule::Hit).Right, lastBlackColumn + 1);
    }
}

TEST_F(FigureRectTest, RightToLeftLanguagesInvertTheReverseBit)
{
    TFigure figure;
    for (const std::int32_t language : {11, 12}) {
        LabelSetup.Language = language;
        figure.Payload = Text(0);
        EXPECT_EQ(FigureRect(figure, RectRule::Hit), (TEditRect{-40, 20, 10, 60})) << language;
        figure.Payload = Text(0, TextAttr::ReverseDirection);
        EXPECT_EQ(FigureRect(figure, RectRule::Hit), (TEditRect{10, 20, 60, 60})) << language;
    }
}

TEST_F(FigureRectTest, SoftFontHeightFollowsTheLetterOfTheNumberedFont)
{
    Add(SoftFont("A", 10));
    Add(SoftFont("b", 30));
    Add(TBarFigure{});
    Add(SoftFont("B", 40));
    EXPECT_EQ(SoftFontHeightFromFigures(6), 10);
    EXPECT_EQ(SoftFontHeightFromFigures(7), 30);
    // The third soft font is named B, and the first font of that letter is "b".
    EXPECT_EQ(SoftFontHeightFromFigures(8), 30);
    EXPECT_EQ(SoftFontHeightFromFigures(9), 16);

    TFigure text;
    text.Payload = Text(0, 0, 7);
    EXPECT_EQ(FigureRect(text, RectRule::Hit), (TEditRect{10, 20, 60, 80}));
    EXPECT_EQ(FigureRect(text, RectRule::Band), (TEditRect{10, 20, 60, 80}));
}

TEST_F(FigureRectTest, ExtremeFieldsDoNotWrap)
{
    TFigure figure;
    figure.Payload = TBarFigure{32767, 32767, 32767, 32767, 0};
    EXPECT_EQ(FigureRect(figure, RectRule::Hit), (TEditRect{32767, 32767, 65534, 65534}));
    TPdf417Figure pdf = Pdf417(2);
    pdf.X = -32768;
    pdf.MaxWidth = 65535;
    figure.Payload = pdf;
    EXPECT_EQ(FigureRect(figure, RectRule::Hit).Left, -32768 - 65535);
}

}  // namespace
}  // namespace zk
