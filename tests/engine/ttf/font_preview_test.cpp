#include "engine/ttf/font_preview.h"

#include "engine/ttf/converter_state.h"
#include "tests/engine/ttf/fake_glyphs.h"
#include "tests/support/engine_fixture.h"

namespace zk
{
namespace
{

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t BLACK = 0xFF000000;

class FontPreviewTest : public test::EngineTest
{
protected:
    std::uint32_t Pixel(int x, int y) const
    {
        return FontPreviewImage.Pixels[static_cast<std::size_t>(y * FontPreviewImage.Width + x)];
    }
    TCharacterMap map;
};

TEST_F(FontPreviewTest, WidthPositionsGiveTheirFactors)
{
    const struct {
        int position;
        double factor;
    } rows[] = {{0, 0.5}, {5, 0.75}, {10, 1.0}, {11, 1.1}, {20, 2.0}};
    for (const auto& row : rows) EXPECT_DOUBLE_EQ(WidthFactorForPosition(row.position), row.factor) << row.position;
}

TEST_F(FontPreviewTest, SizeTextIsClampedAndNonNumbersGiveTheSmallest)
{
    const struct {
        const char* text;
        int size;
    } rows[] = {{"20", 20}, {"300", 240}, {"3", 6}, {"240", 240}, {"abc", 6}, {"", 6}, {"12x", 6}, {"-5", 6}};
    for (const auto& row : rows) EXPECT_EQ(FontSizeFromText(row.text), row.size) << row.text;
}

TEST_F(FontPreviewTest, BuildMeasuresGlyphsAndDrawsThemOnTheBaseline)
{
    test::FakeGlyphs glyphs(4, 1);
    glyphs.Add('A', {1, 2, 5, {"#.#", "###"}});
    map.Cells[33] = 'A';
    map.Cells[34] = 'Z';  // no glyph: passed over, still counted in the mean
    BuildFontPreview(glyphs, map, 200, false);

    ASSERT_EQ(GlyphTable.size(), 2u);
    EXPECT_EQ(GlyphTable[0].TargetCode, 65);
    EXPECT_EQ(GlyphTable[0].SourceChar, 'A');
    EXPECT_EQ(GlyphTable[0].Width, 4);
    EXPECT_EQ(GlyphTable[0].Advance, 5);
    EXPECT_EQ(GlyphTable[1].SourceChar, 0);
    EXPECT_EQ(FontPreviewSettings.CharCount, 2);
    EXPECT_EQ(FontPreviewSettings.LineHeight, 5);
    EXPECT_EQ(FontPreviewSettings.PreviewMargin, 24);
    EXPECT_EQ(PreviewResults.FontHeight, 5);
    EXPECT_EQ(PreviewResults.FontBytes, 3 + 3 + 5);
    EXPECT_EQ(FontPreviewSettings.MaxWidth, 6);
    EXPECT_DOUBLE_EQ(PreviewResults.MeanWidth, 3.0);
    EXPECT_EQ(PreviewResults.TopRemoveLimit, 2);
    EXPECT_EQ(PreviewResults.BottomRemoveLimit, 2);

    EXPECT_EQ(FontPreviewImage.Width, 200);
    EXPECT_EQ(FontPreviewImage.Height, 2 * 5 + 16);
    // Top row at 8 + L - descent - origin y, left at margin + origin x.
    EXPECT_EQ(Pixel(25, 10), BLACK);
    EXPECT_EQ(Pixel(26, 10), WHITE);
    EXPECT_EQ(Pixel(27, 10), BLACK);
    EXPECT_EQ(Pixel(26, 11), BLACK);
    EXPECT_EQ(Pixel(25, 9), WHITE);
    EXPECT_EQ(Pixel(24, 11), WHITE);
}

TEST_F(FontPreviewTest, GlyphsLeftOfTheOriginShiftTheWholeFont)
{
    test::FakeGlyphs glyphs(8, 2);
    glyphs.AddBox('j', 3, 10, -2, 8, 4);
    glyphs.AddBox('m', 6, 5, 1, 5, 8);
    map.Cells[0] = 'j';
    map.Cells[1] = 'm';
    FontPreviewSettings.ExtraSpacing = 3;
    BuildFontPreview(glyphs, map, 300, false);
    EXPECT_EQ(PreviewResults.LeftShift, 2);
    EXPECT_EQ(GlyphTable[0].Width, 3);  // 3 - 2 + 2
    EXPECT_EQ(GlyphTable[1].Width, 9);  // 6 + 1 + 2
    EXPECT_EQ(GlyphTable[0].Advance, 7);
    EXPECT_EQ(FontPreviewSettings.MaxWidth, 9 + 3 + 2);
    EXPECT_EQ(PreviewResults.FontBytes, 3 + (3 + 10) + (3 + 2 * 10));
    EXPECT_EQ(PreviewResults.AutoTop, 0);     // j fills the cell's top row
    EXPECT_EQ(PreviewResults.AutoBottom, 0);  // and its bottom row
}

// The preview steps from glyph to glyph as the printer will through the
// written file: by the written advance plus the printer's gap of 2, the
// advance held within 2..255 however the spacing and cell increment add up.
TEST_F(FontPreviewTest, PenStepsByTheWrittenAdvance)
{
    const struct {
        int cellIncrement;
        int spacing;
        int advance;
    } rows[] = {{9, 0, 9}, {9, -7, 2}, {9, -16, 2}, {3, -1, 2}, {250, 16, 255}, {300, 0, 255}};
    for (const auto& row : rows) {
        test::FakeGlyphs glyphs(4, 0);
        glyphs.AddBox('i', 1, 4, 0, 4, row.cellIncrement);
        map.Cells[0] = 'i';
        map.Cells[1] = 'i';
        FontPreviewSettings.ExtraSpacing = row.spacing;
        BuildFontPreview(glyphs, map, 2000, false);
        EXPECT_EQ(GlyphTable[0].Advance, row.advance) << row.cellIncrement << " " << row.spacing;
        const int second = FontPreviewSettings.PreviewMargin + row.advance + 2;
        EXPECT_EQ(Pixel(second, 8), BLACK) << row.cellIncrement << " " << row.spacing;
        EXPECT_EQ(Pixel(second - 1, 8), WHITE) << row.cellIncrement << " " << row.spacing;
    }
}

TEST_F(FontPreviewTest, OnlyAGlyphWhoseInkEndsAtTheOriginGetsWidthOne)
{
    test::FakeGlyphs glyphs(8, 2);
    glyphs.AddBox('k', 2, 4, -5, 4, 3);  // ink ends 3 dots left of the origin
    glyphs.AddBox('i', 3, 4, -3, 4, 3);  // ink ends at the origin
    glyphs.Add(' ', {0, 0, 4, {}});     // no ink at all
    glyphs.AddBox('m', 4, 4, 1, 4, 6);
    for (const char ch : {'k', 'i', ' ', 'm'}) {
        map.Cells[static_cast<std::size_t>(ch - 32)] = static_cast<std::uint8_t>(ch);
    }
    BuildFontPreview(glyphs, map, 300, false);
    ASSERT_EQ(PreviewResults.LeftShift, 5);
    ASSERT_EQ(GlyphTable.size(), 4u);
    const struct {
        std::uint8_t ch;
        int width;
    } rows[] = {{' ', 1 + 5}, {'i', 1 + 5}, {'k', -3 + 5}, {'m', 5 + 5}};  // in map order
    for (std::size_t i = 0; i < GlyphTable.size(); ++i) {
        EXPECT_EQ(GlyphTable[i].SourceChar, rows[i].ch);
        EXPECT_EQ(GlyphTable[i].Width, rows[i].width) << rows[i].ch;
    }
    EXPECT_EQ(PreviewResults.FontBytes, 3 + 3 * (3 + 10) + (3 + 2 * 10));
}

TEST_F(FontPreviewTest, AutoCutsTheRowsAllGlyphsLeaveFree)
{
    test::FakeGlyphs glyphs(10, 4);
    glyphs.AddBox('a', 4, 5, 0, 5, 6);  // 5 free above, 4 below
    glyphs.AddBox('b', 4, 7, 0, 7, 6);  // 3 free above, 4 below
    map.Cells[0] = 'a';
    map.Cells[1] = 'b';
    BuildFontPreview(glyphs, map, 300, true);
    EXPECT_EQ(FontPreviewSettings.TopRemove, 3);
    EXPECT_EQ(FontPreviewSettings.BottomRemove, 4);
    EXPECT_EQ(PreviewResults.FontHeight, 14 - 7);
}

TEST_F(FontPreviewTest, AutoOverGlyphsWithoutInkKeepsTheMiddleRows)
{
    test::FakeGlyphs glyphs(16, 5);
    glyphs.Add(' ', {0, 0, 6, {}});
    map.Cells[0] = ' ';
    map.Cells[1] = ' ';
    BuildFontPreview(glyphs, map, 300, true);
    const int L = 21;
    EXPECT_EQ(FontPreviewSettings.TopRemove, L / 2 - 2);
    EXPECT_EQ(FontPreviewSettings.BottomRemove, L / 2 - 1);
    EXPECT_EQ(PreviewResults.FontHeight, L - (L / 2 - 2) - (L / 2 - 1));
}

TEST_F(FontPreviewTest, AutoWithNoReadableGlyphLeavesAtLeastOneRow)
{
    test::FakeGlyphs glyphs(16, 5);
    map.Cells[0] = 'q';
    BuildFontPreview(glyphs, map, 300, true);
    EXPECT_GT(PreviewResults.FontHeight, 0);
    EXPECT_EQ(PreviewResults.FontBytes, 3);
}

TEST_F(FontPreviewTest, RowsToCutKeptFromALargerFontLeaveOneRow)
{
    test::FakeGlyphs glyphs(6, 2);
    glyphs.AddBox('a', 2, 2, 0, 2, 4);
    map.Cells[0] = 'a';
    FontPreviewSettings.TopRemove = 30;
    FontPreviewSettings.BottomRemove = 30;
    BuildFontPreview(glyphs, map, 300, false);
    EXPECT_EQ(PreviewResults.FontHeight, 1);
}

TEST_F(FontPreviewTest, CutRowsTintInkYellow)
{
    test::FakeGlyphs glyphs(4, 0);
    glyphs.AddBox('a', 2, 4, 0, 4, 4);
    map.Cells[0] = 'a';
    FontPreviewSettings.TopRemove = 1;
    BuildFontPreview(glyphs, map, 300, false);
    EXPECT_EQ(Pixel(24, 8), 0xFFFFFF00u);  // cut row: ink merged with the inverse of blue
    EXPECT_EQ(Pixel(24, 9), BLACK);        // kept row
    EXPECT_EQ(Pixel(100, 8), WHITE);       // paper stays white
}

TEST_F(FontPreviewTest, LongRunsBreakIntoLines)
{
    test::FakeGlyphs glyphs(8, 2);
    glyphs.AddBox('a', 8, 8, 0, 8, 20);
    for (int i = 0; i < 20; ++i) map.Cells[static_cast<std::size_t>(i)] = 'a';
    BuildFontPreview(glyphs, map, 200, false);
    // 200 - 24 - 24 leaves room for 5 glyphs of 22 dots a line.
    const int lines = 4;
    EXPECT_EQ(FontPreviewImage.Height, lines * 10 + 16);
    EXPECT_EQ(Pixel(24, 8 + 10 * 3 + 2), BLACK);
}

TEST_F(FontPreviewTest, HugeGlyphsAreCutToTheWorkBitmap)
{
    test::FakeGlyphs glyphs(400, 100);
    glyphs.AddBox('W', 600, 500, 0, 450, 620);
    map.Cells[0] = 'W';
    BuildFontPreview(glyphs, map, 800, false);
    EXPECT_EQ(GlyphTable[0].Width, 600);
    EXPECT_GT(FontPreviewSettings.MaxWidth, 248);
}

}  // namespace
}  // namespace zk
