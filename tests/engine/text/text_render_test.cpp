#include "engine/text/text_render.h"

#include <gtest/gtest.h>
#include <ostream>

#include "engine/text/printer_font_layout.h"
#include "engine/text/text_render_state.h"
#include "tests/engine/text/text_render_fixture.h"

namespace zk {
namespace {

using test::AddRotatedGlyph;
using test::DotSet;

class ResidentTextTest : public test::TextRenderTest {
protected:
    // Where the pen starts for a text at (x, y) in a font whose glyphs are
    // drawn shift rows above y (rotated with the text).
    static std::pair<int, int> PenStart(int rotation, int x, int y, int shift)
    {
        switch (rotation) {
        case 0: return {x, y - shift};
        case 1: return {x + shift, y};
        case 2: return {x, y + shift};
        default: return {x - shift, y};
        }
    }

    static void Advance(int rotation, std::pair<int, int>& pen, int amount)
    {
        switch (rotation) {
        case 0: pen.first += amount; break;
        case 1: pen.second += amount; break;
        case 2: pen.first -= amount; break;
        default: pen.second -= amount; break;
        }
    }

    // Expected dots of a left-to-right resident text with normal spacing.
    DotSet Expected(int font, const std::string& text, int rotation, int x, int y, int h, int v, int spacing = 1) const
    {
        const auto& layout = ResidentFontLayouts[static_cast<std::size_t>(font)];
        auto pen = PenStart(rotation, x, y, layout.BaselineShift * v);
        DotSet dots;
        for (char c : text) {
            AddRotatedGlyph(dots, Glyph(font, c), rotation, pen.first, pen.second, h, v);
            Advance(rotation, pen, h * (layout.Width + 2 * spacing));
        }
        return dots;
    }
};

struct RotationCase {
    int rotation;
    int font;
    int hmult;
    int vmult;
};

void PrintTo(const RotationCase& c, std::ostream* os)
{
    *os << "rotation " << c.rotation << " font " << c.font << " x" << c.hmult << " y" << c.vmult;
}

class ResidentRotationTest : public ResidentTextTest, public ::testing::WithParamInterface<RotationCase> {};

TEST_P(ResidentRotationTest, DrawsTheGlyphDotsTurnedAndScaled)
{
    const RotationCase& c = GetParam();
    RenderPrinterText(300, 300, c.rotation, c.font, c.hmult, c.vmult, 0, "\"AgW\"");
    const DotSet expected = Expected(c.font, "AgW", c.rotation, 300, 300, c.hmult, c.vmult);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(BlackDots(), expected);
    const auto& layout = ResidentFontLayouts[static_cast<std::size_t>(c.font)];
    EXPECT_EQ(TextRenderState.RenderedWidthSum, c.hmult * 3 * (layout.Width + 2));
}

INSTANTIATE_TEST_SUITE_P(Rotations, ResidentRotationTest,
                         ::testing::Values(RotationCase{0, 3, 1, 1}, RotationCase{1, 3, 1, 1}, RotationCase{2, 3, 1, 1},
                                           RotationCase{3, 3, 1, 1}, RotationCase{0, 0, 2, 3}, RotationCase{1, 1, 3, 2},
                                           RotationCase{2, 2, 2, 1}, RotationCase{3, 4, 1, 2},
                                           RotationCase{0, 5, 1, 1}));

TEST_F(ResidentTextTest, ReferencePointMovesTheText)
{
    LabelSetup.LeftMargin = 7;
    LabelSetup.TopMargin = 11;
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, "\"H\"");
    EXPECT_EQ(BlackDots(), Expected(3, "H", 0, 107, 111, 1, 1));
}

TEST_F(ResidentTextTest, CondensedSpacingAdvancesByTheWidth)
{
    LabelSetup.NormalSpacing = 0;
    RenderPrinterText(100, 100, 0, 3, 2, 1, 0, "\"MM\"");
    EXPECT_EQ(BlackDots(), Expected(3, "MM", 0, 100, 100, 2, 1, 0));
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 2 * 2 * 12);
}

TEST_F(ResidentTextTest, ReverseDirectionMovesThePenFirstAndBackwards)
{
    RenderPrinterText(200, 100, 0, 3, 1, 1, TextStyle::Reverse, "\"AB\"");
    DotSet expected;
    AddRotatedGlyph(expected, Glyph(3, 'A'), 0, 200 - 14, 95, 1, 1);
    AddRotatedGlyph(expected, Glyph(3, 'B'), 0, 200 - 28, 95, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
}

TEST_F(ResidentTextTest, HebrewTableDrawsRightToLeftUnlessReversed)
{
    LabelSetup.Language = 11;
    RenderPrinterText(200, 100, 0, 3, 1, 1, 0, "\"AB\"");
    DotSet reversed;
    AddRotatedGlyph(reversed, Glyph(3, 'A', 11), 0, 186, 95, 1, 1);
    AddRotatedGlyph(reversed, Glyph(3, 'B', 11), 0, 172, 95, 1, 1);
    EXPECT_EQ(BlackDots(), reversed);

    LabelImage.Clear();
    RenderPrinterText(200, 100, 0, 3, 1, 1, TextStyle::Reverse, "\"AB\"");
    DotSet forward;
    AddRotatedGlyph(forward, Glyph(3, 'A', 11), 0, 200, 95, 1, 1);
    AddRotatedGlyph(forward, Glyph(3, 'B', 11), 0, 214, 95, 1, 1);
    EXPECT_EQ(BlackDots(), forward);
}

TEST_F(ResidentTextTest, ArabicTableWithEnglishUsesTheNormalSetAndSpacing)
{
    LabelSetup.Language = ArabicLanguage;
    UseEnglishTable = 1;
    RenderPrinterText(200, 100, 0, 3, 1, 1, TextStyle::Reverse, "\"AB\"");  // reversed twice: left to right
    DotSet expected;
    AddRotatedGlyph(expected, Glyph(3, 'A', 0), 0, 200, 95, 1, 1);
    AddRotatedGlyph(expected, Glyph(3, 'B', 0), 0, 214, 95, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 28);
}

TEST_F(ResidentTextTest, ArabicSetGlyphsUseTheirWidthsAndSubRectangle)
{
    LabelSetup.Language = ArabicLanguage;
    const unsigned char alef = 0xC7;
    const unsigned char beh = 0xA9;
    const test::DotGlyph first = test::ArabicGlyph(file, 3, alef);
    const test::DotGlyph second = test::ArabicGlyph(file, 3, beh);
    const std::string expr = std::string("\"") + char(alef) + char(beh) + "\"";
    RenderPrinterText(200, 100, 0, 3, 1, 1, 0, expr);
    // Right to left without spacing; the sub-rectangle drops the cell's
    // first column and row, so the ink lands one dot up and left.
    DotSet expected;
    AddRotatedGlyph(expected, first, 0, 200 - first.Width - 1, 99, 1, 1);
    AddRotatedGlyph(expected, second, 0, 200 - first.Width - second.Width - 1, 99, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_EQ(TextRenderState.RenderedWidthSum, first.Width + second.Width);
}

TEST_F(ResidentTextTest, BoldSmearsEachRowOneDotRight)
{
    RenderPrinterText(100, 100, 0, 3, 1, 1, TextStyle::Bold, "\"I\"");
    test::DotGlyph bold = Glyph(3, 'I');
    for (auto& row : bold.Dots) {
        for (int x = bold.Width - 1; x > 0; --x) row[x] = row[x] || row[x - 1];
    }
    DotSet expected;
    AddRotatedGlyph(expected, bold, 0, 100, 95, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
}

TEST_F(ResidentTextTest, InverseDrawsABlackCellWithAWhiteGlyph)
{
    RenderPrinterText(100, 100, 0, 3, 2, 1, TextStyle::Inverse, "\"O\"");
    const test::DotGlyph glyph = Glyph(3, 'O');
    DotSet ink;
    AddRotatedGlyph(ink, glyph, 0, 100, 95, 2, 1);
    DotSet expected;
    for (int y = 95; y < 95 + (25 + 2); ++y) {
        for (int x = 100; x < 100 + 2 * (12 + 2); ++x) {
            if (!ink.count({x, y})) expected.insert({x, y});
        }
    }
    EXPECT_EQ(BlackDots(), expected);
}

TEST_F(ResidentTextTest, WhiteNeverErases)
{
    LabelImage.FillRect(0, 0, LabelSize, LabelSize, Black);
    RenderPrinterText(100, 100, 0, 3, 1, 1, TextStyle::Inverse, "\"O\"");
    EXPECT_EQ(BlackDots().size(), static_cast<std::size_t>(LabelSize * LabelSize));
}

TEST_F(ResidentTextTest, OversizedGlyphsAreRefusedButThePenAdvances)
{
    for (int rotation : {0, 1}) {
        RenderPrinterText(10, 10, rotation, 5, 1, 9, 0, "\"A\"");
        EXPECT_TRUE(BlackDots().empty()) << "rotation " << rotation;
        EXPECT_EQ(TextRenderState.RenderedWidthSum, 34);
    }
}

TEST_F(ResidentTextTest, EmptyResultIsOneSpace)
{
    RenderPrinterText(10, 10, 0, 3, 3, 1, 0, "");
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 3 * (12 + 2));
    LabelSetup.NormalSpacing = 0;
    RenderPrinterText(10, 10, 0, 3, 3, 1, 0, "");
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 3 * 12);
    EXPECT_TRUE(BlackDots().empty());
}

TEST_F(ResidentTextTest, FailedExpressionShowsItsErrorTextOnScreenOnly)
{
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, "Q");
    EXPECT_EQ(BlackDots(), Expected(3, "@@@@", 0, 100, 100, 1, 1));
    LabelImage.Clear();
    RedrawForDriverPrint = 1;
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, "Q");
    EXPECT_TRUE(BlackDots().empty());
}

TEST_F(ResidentTextTest, RawTextIsDrawnUnevaluated)
{
    RawTextMode = 1;
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, "V1");
    EXPECT_EQ(BlackDots(), Expected(3, "V1", 0, 100, 100, 1, 1));
}

TEST_F(ResidentTextTest, TextOffTheLabelIsSkippedAndGlyphsClip)
{
    RenderPrinterText(100, LabelSize + 6, 0, 3, 1, 1, 0, "\"A\"");  // pen 1 row below the label
    EXPECT_TRUE(BlackDots().empty());
    RenderPrinterText(LabelSize - 5, 100, 0, 3, 1, 1, 0, "\"MM\"");
    DotSet expected;
    for (const auto& dot : Expected(3, "M", 0, LabelSize - 5, 100, 1, 1)) {
        if (dot.first < LabelSize) expected.insert(dot);
    }
    EXPECT_EQ(BlackDots(), expected);
}

TEST_F(ResidentTextTest, UseEnglishLooksUpTableZero)
{
    LabelSetup.Language = 6;  // Cyrillic: 0xC6 is Zhe, in table 0 a box-drawing character
    const std::string expr = "\"\xC6\"";
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, expr);
    DotSet cyrillic;
    AddRotatedGlyph(cyrillic, Glyph(3, '\xC6', 6), 0, 100, 95, 1, 1);
    EXPECT_EQ(BlackDots(), cyrillic);
    LabelImage.Clear();
    UseEnglishTable = 1;
    RenderPrinterText(100, 100, 0, 3, 1, 1, 0, expr);
    DotSet english;
    AddRotatedGlyph(english, Glyph(3, '\xC6', 0), 0, 100, 95, 1, 1);
    EXPECT_EQ(BlackDots(), english);
    EXPECT_NE(cyrillic, english);
}

TEST_F(ResidentTextTest, HumanReadableMovesByPitch)
{
    RenderHumanReadable(100, 200, 0, 3, 9, "123", 2);
    DotSet expected;
    AddRotatedGlyph(expected, Glyph(3, '1'), 0, 100, 195, 1, 1);
    AddRotatedGlyph(expected, Glyph(3, '2'), 0, 109, 195, 1, 1);
    EXPECT_EQ(BlackDots(), expected);
    EXPECT_EQ(UseEnglishTable, 1);

    LabelImage.Clear();
    RenderHumanReadable(100, 200, 1, 1, 10, "7", 0);  // font 1 is drawn double height
    DotSet tall;
    AddRotatedGlyph(tall, Glyph(1, '7'), 1, 108, 200, 1, 2);
    EXPECT_EQ(BlackDots(), tall);
}

TEST_F(ResidentTextTest, GlyphsGoToTheGraphicsSenderWhenAsked)
{
    std::vector<TGlyphGraphics> sent;
    GlyphGraphicsSender = [&](const TGlyphGraphics& g) { sent.push_back(g); };
    SendGlyphsAsGraphics = 1;
    RenderPrinterText(100, 100, 0, 3, 2, 3, 0, "\"AB\"");
    EXPECT_TRUE(BlackDots().empty());
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].X, 100);
    EXPECT_EQ(sent[0].Y, 100 - 15);
    EXPECT_EQ(sent[0].BytesPerRow, 3);  // 12 dots doubled
    EXPECT_EQ(sent[0].RowCount, 25);
    EXPECT_EQ(sent[0].RowRepeat, 3);
    EXPECT_EQ(sent[1].X, 128);
}

class DamagedFontTest : public test::TextRenderTest {
protected:
    void LoadCopy(std::vector<std::uint8_t> bytes)
    {
        const auto path = TempDir() / "damaged.evu";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        ProgramPaths.PrinterFontFileName = path.string();
        ASSERT_EQ(LoadPrinterFont(), PrinterFontLoaded);
    }
};

TEST_F(DamagedFontTest, TruncatedGlyphDataDrawsNothingPastItsEnd)
{
    std::vector<std::uint8_t> bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(CodeTableBytes + 0xC848 + 10));
    LoadCopy(bytes);
    for (int font = 0; font < 6; ++font) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            RenderPrinterText(300, 300, rotation, font, 2, 2, TextStyle::Bold, "\"AZ\"");
        }
    }
    LabelSetup.Language = ArabicLanguage;
    RenderPrinterText(300, 300, 0, 3, 1, 1, 0, "\"\xC7\"");
    EXPECT_EQ(TextRenderState.RenderedWidthSum, 0);
    // Fonts 0..2 still lie inside the data and are drawn.
    EXPECT_FALSE(BlackDots().empty());
}

TEST_F(DamagedFontTest, WildTableEntriesAndWidthBytesAreBounded)
{
    std::vector<std::uint8_t> bytes = file;
    for (std::size_t i = 0; i < CodeTableBytes; ++i) bytes[i] = 0xFF;  // every glyph number 65535
    LoadCopy(bytes);
    RenderPrinterText(300, 300, 0, 5, 1, 1, 0, "\"A\"");
    EXPECT_TRUE(BlackDots().empty());

    bytes = file;
    const auto& set = ArabicSetForFont(3);
    const std::size_t glyph = test::TableEntry(file, ArabicLanguage, 0xC7);
    bytes[CodeTableBytes + set.Base + glyph * set.Stride] = 0xFF;  // width byte past the set's maximum
    LoadCopy(bytes);
    LabelSetup.Language = ArabicLanguage;
    RenderPrinterText(300, 300, 0, 3, 1, 1, 0, "\"\xC7\"");
    EXPECT_EQ(TextRenderState.RenderedWidthSum, set.MaxWidth);
}

}  // namespace
}  // namespace zk
