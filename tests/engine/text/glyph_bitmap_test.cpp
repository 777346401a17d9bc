#include <gtest/gtest.h>

#include <memory>

#include "engine/model/figure_list.h"
#include "engine/text/glyph_bitmap.h"
#include "engine/text/text_render.h"
#include "engine/text/text_render_state.h"
#include "tests/engine/text/text_render_fixture.h"

namespace zk {
namespace {

using test::DotGlyph;

void ExpectSameDots(const TGlyphBitmap& bitmap, const DotGlyph& glyph)
{
    ASSERT_EQ(bitmap.Width, glyph.Width);
    ASSERT_EQ(bitmap.Rows, glyph.Rows);
    for (int y = 0; y < glyph.Rows; ++y) {
        for (int x = 0; x < glyph.Width; ++x) {
            EXPECT_EQ(bitmap.InkAt(x, y), glyph.Ink(x, y)) << "dot " << x << "," << y;
        }
    }
}

class GlyphBitmapTest : public test::TextRenderTest {};

struct ResidentCase {
    int font;
    int language;
    int code;
};

TEST_F(GlyphBitmapTest, ResidentGlyphsComeFromTheTableOfLanguage)
{
    const ResidentCase cases[] = {
        {0, 0, 'A'}, {1, 0, '~'}, {2, 2, 0xE0}, {3, 7, 0xE9}, {4, 9, 0xE1}, {5, 13, 0xC7}, {4, 0, 0xFF},
    };
    for (const ResidentCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "font " << c.font << " language " << c.language << " code " << c.code);
        LabelSetup.Language = c.language;
        const std::optional<TGlyphBitmap> bitmap = ResidentGlyphBitmap(c.font, static_cast<std::uint8_t>(c.code));
        ASSERT_TRUE(bitmap);
        ExpectSameDots(*bitmap, test::ResidentGlyph(file, c.font, c.language, c.code));
    }
}

TEST_F(GlyphBitmapTest, ArabicSetGivesEachGlyphItsOwnWidth)
{
    LabelSetup.Language = ArabicLanguage;
    ArabicGlyphSet = 1;
    for (int font : {0, 3, 4, 5}) {
        for (int code : {0xC7, 0xA9}) {
            SCOPED_TRACE(testing::Message() << "font " << font << " code " << code);
            const std::optional<TGlyphBitmap> bitmap = ResidentGlyphBitmap(font, static_cast<std::uint8_t>(code));
            ASSERT_TRUE(bitmap);
            ExpectSameDots(*bitmap, test::ArabicGlyph(file, font, code));
        }
    }
}

TEST_F(GlyphBitmapTest, LeavesTheRenderStateAsTheLastTextLeftIt)
{
    RenderPrinterText(10, 40, 0, 2, 2, 3, TextStyle::Bold, "\"AB\"");
    UseEnglishTable = 1;
    const TTextRenderState before = TextRenderState;
    const TGlyphGeometry geometry = GlyphGeometry;

    LabelSetup.Language = 2;
    const std::optional<TGlyphBitmap> bitmap = ResidentGlyphBitmap(4, 0xE0);
    ASSERT_TRUE(bitmap);
    // Looked up in table 2 although the last text asked for table 0, and not bold.
    ExpectSameDots(*bitmap, test::ResidentGlyph(file, 4, 2, 0xE0));

    EXPECT_EQ(UseEnglishTable, 1);
    EXPECT_EQ(TextRenderState.RenderedWidthSum, before.RenderedWidthSum);
    EXPECT_EQ(TextRenderState.TextAttributes, before.TextAttributes);
    EXPECT_EQ(TextRenderState.GlyphBase, before.GlyphBase);
    EXPECT_EQ(GlyphGeometry.GlyphWidth, geometry.GlyphWidth);
}

TEST_F(GlyphBitmapTest, NoResidentGlyphWithoutTheFontFileOrForABadFont)
{
    EXPECT_FALSE(ResidentGlyphBitmap(6, 'A'));
    EXPECT_FALSE(ResidentGlyphBitmap(-1, 'A'));
    FreePrinterFont();
    EXPECT_FALSE(ResidentGlyphBitmap(0, 'A'));
}

TEST_F(GlyphBitmapTest, SoftGlyphsAreWholeBytesWideAndMissingCodesGiveNone)
{
    // 'A' is 5 dots of advance in 2 bytes per row; 'B' one byte per row.
    std::vector<std::uint8_t> block = {
        2, 0, 2,                                   // CharCount, Zero, Height
        'A', 5, 2, 0x80, 0x01, 0xFF, 0x00,         // code, advance, bytes per row, rows
        'B', 4, 1, 0xF0, 0x90,
    };
    TSoftFontFigure font;
    font.CharCount = 2;
    font.Height = 2;
    font.DataLength = static_cast<std::int16_t>(block.size());
    font.Letter = std::string("K");
    font.Data = std::make_shared<TFontData>(TFontData{std::move(block)});
    ASSERT_EQ(AppendFigure(font), 0);

    const std::optional<TGlyphBitmap> a = SoftGlyphBitmap('K', 'A');
    ASSERT_TRUE(a);
    ExpectSameDots(*a, {16, 2, {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
                                {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}}});
    const std::optional<TGlyphBitmap> b = SoftGlyphBitmap('K', 'B');
    ASSERT_TRUE(b);
    ExpectSameDots(*b, {8, 2, {{1, 1, 1, 1, 0, 0, 0, 0}, {1, 0, 0, 1, 0, 0, 0, 0}}});

    EXPECT_FALSE(SoftGlyphBitmap('K', 'C'));
    EXPECT_FALSE(SoftGlyphBitmap('Q', 'A'));
}

}  // namespace
}  // namespace zk
