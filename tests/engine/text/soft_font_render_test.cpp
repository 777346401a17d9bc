#include <gtest/gtest.h>

#include <memory>

#include "engine/model/figure_list.h"
#include "engine/text/glyph_lookup.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"
#include "tests/engine/text/text_render_fixture.h"

namespace zk {
namespace {

using test::AddRotatedGlyph;
using test::DotGlyph;
using test::DotSet;

// A three-row font: 'A' is 8 dots wide in 2 bytes per row with ink in its
// ninth column; 'B' is a 4-dot box in one byte per row.
const std::vector<std::uint8_t> FontBlock = {
    2, 0, 3,                                     // CharCount, Zero, Height
    'A', 8, 2, 0x81, 0x00, 0xFF, 0x00, 0x01, 0x80,  // code, advance, bytes per row, rows
    'B', 4, 1, 0xF0, 0x90, 0xF0,
};

DotGlyph GlyphA()
{
    return {16, 3, {{1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                    {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0},
                    {0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0}}};
}

DotGlyph GlyphB() { return {8, 3, {{1, 1, 1, 1, 0, 0, 0, 0}, {1, 0, 0, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0, 0, 0}}}; }

class SoftFontRenderTest : public test::TextRenderTest {
protected:
    void AddSoftFont(char letter, std::vector<std::uint8_t> block)
    {
        TSoftFontFigure font;
        font.CharCount = block.empty() ? 0 : block[0];
        font.Height = block.size() > 2 ? block[2] : 0;
        font.DataLength = static_cast<std::int16_t>(block.size());
        font.Letter = std::string(1, letter);
        font.Data = std::make_shared<TFontData>(TFontData{std::move(block)});
        ASSERT_EQ(AppendFigure(font), 0);
    }
};

TEST_F(SoftFontRenderTest, DrawsRecordsWholeBytesWideAndSkipsMissingCodes)
{
    AddSoftFont('K', FontBlock);
    RenderPrinterText(100, 50, 0, 6, 1, 1, 0, "\"AXB\"");
    DotSet expected;
    AddRotatedGlyph(expected, GlyphA(), 0, 100, 50, 1, 1);
    AddRotatedGlyph(expected, GlyphB(), 0, 110, 50, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 10 + 6);
}

TEST_F(SoftFontRenderTest, RotatesAndScales)
{
    AddSoftFont('K', FontBlock);
    for (int rotation = 0; rotation < 4; ++rotation) {
        LabelImage.Clear();
        RenderPrinterText(300, 300, rotation, 6, 2, 3, 0, "\"B\"");
        DotSet expected;
        AddRotatedGlyph(expected, GlyphB(), rotation, 300, 300, 2, 3);
        EXPECT_EQ(BlackDots(), expected) << "rotation " << rotation;
    }
}

TEST_F(SoftFontRenderTest, BoldPutsTheExtraDotPastTheGlyphWidth)
{
    AddSoftFont('K', FontBlock);
    RenderPrinterText(100, 50, 0, 6, 1, 1, TextStyle::Bold | TextStyle::Inverse, "\"A\"");
    DotGlyph bold = GlyphA();
    for (auto& row : bold.Dots) {
        for (int x = bold.Width - 1; x > 0; --x) row[x] = row[x] || row[x - 1];
    }
    DotSet expected;  // inverse is not a soft-font style
    AddRotatedGlyph(expected, bold, 0, 100, 50, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_TRUE(expected.count({100 + 8, 50}));
}

TEST_F(SoftFontRenderTest, MissingFontFigureDrawsNothing)
{
    AddSoftFont('K', FontBlock);
    RenderPrinterText(100, 50, 0, 7, 1, 1, 0, "\"A\"");
    EXPECT_TRUE(BlackDots().empty());
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 0);
}

TEST_F(SoftFontRenderTest, RecordsRunningPastTheBlockAreNotRead)
{
    std::vector<std::uint8_t> cut(FontBlock.begin(), FontBlock.end() - 1);  // 'B' lacks its last row
    cut[0] = 200;                                                           // and the count claims more
    AddSoftFont('K', cut);
    RenderPrinterText(100, 50, 0, 6, 1, 1, 0, "\"BA\"");
    DotSet expected;
    AddRotatedGlyph(expected, GlyphA(), 0, 100, 50, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 10);

    AddSoftFont('L', {5, 0});  // too short for a header
    LabelImage.Clear();
    RenderPrinterText(100, 50, 0, 7, 1, 1, 0, "\"A\"");
    EXPECT_TRUE(BlackDots().empty());
}

TEST_F(SoftFontRenderTest, LettersAndHeightsFollowTheFigureList)
{
    AddSoftFont('K', FontBlock);
    AddSoftFont('m', {0, 0, 24});
    EXPECT_EQ(SoftFontLetter(6), 'K');
    EXPECT_EQ(SoftFontLetter(7), 'm');
    EXPECT_EQ(SoftFontLetter(8), 0);
    EXPECT_EQ(SoftFontLetter(3), 0);
    EXPECT_EQ(SoftFontHeight(6), 3);
    EXPECT_EQ(SoftFontHeight(7), 24);
    EXPECT_EQ(SoftFontHeight(8), 16);
}

}  // namespace
}  // namespace zk
