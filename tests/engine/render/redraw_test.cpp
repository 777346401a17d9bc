// The whole-label redraw: list order, the drawn-figure count, the modes,
// the refreshed width fields and PDF417 symbols that still read.

#include "engine/render/redraw.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/barcode/barcode_state.h"
#include "engine/model/figure_list.h"
#include "engine/render/label_image.h"
#include "engine/text/text_render_state.h"
#include "tests/engine/render/barcode_figure_fixture.h"
#include "tests/engine/render/render_test_support.h"

namespace zk {
namespace {

TTextFigure Text(int x, int y, const char* expression, int font = 3)
{
    TTextFigure t;
    t.X = static_cast<std::int16_t>(x);
    t.Y = static_cast<std::int16_t>(y);
    t.Font = static_cast<std::int16_t>(font);
    t.Data = expression;
    return t;
}

TBarFigure Bar(int x, int y, int w, int h, int mode)
{
    auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
    return {i16(x), i16(y), i16(w), i16(h), i16(mode)};
}

TSoftFontFigure SoftFont(const char* letter)
{
    TSoftFontFigure f;
    f.Letter = letter;
    f.Data = std::make_shared<TFontData>();
    return f;
}

class RedrawTest : public test::BarcodeDrawingTest {};

TEST_F(RedrawTest, LabelOfSoftFontsOnlyCountsNoFigure)
{
    AppendFigure(SoftFont("A"));
    AppendFigure(SoftFont("B"));
    RedrawLabel(RedrawEditor);
    EXPECT_EQ(DrawnFigureCount, 0);
    EXPECT_EQ(test::CountPixels(White), LabelImage.Width() * LabelImage.Height());
}

TEST_F(RedrawTest, EveryOtherKindIsCountedEvenWhenLeftOut)
{
    AppendFigure(Text(10, 10, "\"AB\""));
    AppendFigure(test::BarcodeFigure(BarcodeType::Ean13, "12X"));  // invalid: left out of a driver print
    AppendFigure(Bar(0, 0, 5, 5, 0));
    AppendFigure(TLineFigure{0, 50, 100, 60, 2, 0});
    AppendFigure(TBoxFigure{10, 100, 60, 150, 3});
    AppendFigure(TPictureFigure{});  // no picture block
    AppendFigure(SoftFont("A"));
    AppendFigure(TPdf417Figure{});
    RedrawLabel(RedrawDriverPrint);
    EXPECT_EQ(DrawnFigureCount, 7);
    EXPECT_EQ(RedrawMode, RedrawDriverPrint);
    EXPECT_EQ(RedrawForDriverPrint, 0) << "only while the figures are drawn";
}

TEST_F(RedrawTest, CanvasHookRunsAfterTheFiguresInEditorModeOnly)
{
    AppendFigure(Bar(0, 0, 5, 5, 0));
    int calls = 0;
    CanvasRedrawHook = [&] {
        ++calls;
        EXPECT_EQ(LabelImage.Pixel(4, 4), Black);
    };
    RedrawLabel(RedrawPreview);
    RedrawLabel(RedrawDriverPrint);
    EXPECT_EQ(calls, 0);
    RedrawLabel(RedrawEditor);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(RedrawMode, RedrawEditor);
    CanvasRedrawHook = nullptr;
}

TEST_F(RedrawTest, ImageIsClearedAndFiguresDrawnInListOrder)
{
    LabelImage.Fill(Black);
    AppendFigure(Bar(10, 10, 20, 20, 0));
    AppendFigure(Bar(15, 15, 20, 20, 2));
    RedrawLabel(RedrawPreview);
    EXPECT_EQ(LabelImage.Pixel(0, 0), White);
    EXPECT_EQ(LabelImage.Pixel(12, 12), Black);
    EXPECT_EQ(LabelImage.Pixel(20, 20), White);
}

TEST_F(RedrawTest, InverseBarOverBlackTextTurnsTheTextWhite)
{
    AppendFigure(Text(20, 20, "\"HHHH\""));
    RedrawLabel(RedrawPreview);
    std::vector<std::pair<int, int>> ink;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (LabelImage.Pixel(x, y) == Black) ink.emplace_back(x, y);
        }
    }
    ASSERT_FALSE(ink.empty());
    AppendFigure(Bar(0, 0, 100, 100, 1));
    RedrawLabel(RedrawPreview);
    for (const auto& [x, y] : ink) {
        ASSERT_EQ(LabelImage.Pixel(x, y), White) << x << "," << y;
    }
    EXPECT_EQ(test::CountPixels(Black), 100 * 100 - static_cast<int>(ink.size()));
}

TEST_F(RedrawTest, WidthFieldsAreRefreshed)
{
    TTextFigure text = Text(20, 20, "\"ABCDE\"");
    text.RenderedWidth = 999;
    AppendFigure(text);
    TBarcodeFigure barcode = test::BarcodeFigure(BarcodeType::Ean13AddOn2, "12345678901212", 2);
    barcode.ModuleCount = 1;
    barcode.RenderedWidth = 1;
    AppendFigure(barcode);
    TBarcodeFigure postnet = test::BarcodeFigure(BarcodeType::Postnet, "12345");
    postnet.Height = 99;
    AppendFigure(postnet);
    RedrawLabel(RedrawEditor);
    const TFigure* f = FigureList.FigureHead;
    EXPECT_EQ(f->Text().RenderedWidth, 5 * (2 + 12)) << "five glyphs of font 3 with normal spacing";
    f = f->Next;
    EXPECT_EQ(f->Barcode().ModuleCount, 190);
    EXPECT_EQ(f->Barcode().RenderedWidth, 2 * (9 * 2 + 11) + 190);
    EXPECT_EQ(f->Next->Barcode().Height, 24);
    EXPECT_EQ(UseEnglishTable, 1);
}

// PDF417 figures drawn by the redraw, turned and moved by the reference
// point, read back as their data.
TEST_F(RedrawTest, Pdf417SymbolsDecode)
{
    UseLabel(500, 500);
    LabelSetup.LeftMargin = 12;
    LabelSetup.TopMargin = -8;
    const std::string data = "Label 0042: 1234567890 parts, lot ABC";
    for (int rotation = 0; rotation < 4; ++rotation) {
        ClearFigureList();
        TPdf417Figure f;
        f.MaxWidth = 360;
        f.MaxHeight = 200;
        f.MaxCols = 30;
        f.MaxRows = 60;
        f.Position = 1;
        f.ModuleWidth = 2;
        f.ModuleHeight = 4;
        f.Rotation = static_cast<std::uint8_t>(rotation);
        f.Data = "\"" + data + "\"";
        const int anchors[4][2] = {{60, 60}, {260, 60}, {420, 260}, {60, 420}};
        f.X = static_cast<std::int16_t>(anchors[rotation][0] - LabelSetup.LeftMargin);
        f.Y = static_cast<std::int16_t>(anchors[rotation][1] - LabelSetup.TopMargin);
        AppendFigure(f);
        RedrawLabel(RedrawPreview);
        EXPECT_EQ(DrawnFigureCount, 1);
        const auto result = test::DecodeGrey(test::LabelImageAsGrey(), 500, 500, "PDF417");
        ASSERT_TRUE(result.has_value()) << "rotation " << rotation;
        EXPECT_EQ(result->Bytes, data) << "rotation " << rotation;
    }
}

}  // namespace
}  // namespace zk
