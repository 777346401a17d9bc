#include "platform/font_catalogue.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace zk::platform
{
namespace
{

int InkDots(const MonoGlyph& glyph)
{
    int dots = 0;
    for (std::uint8_t byte : glyph.Bits) dots += __builtin_popcount(byte);
    return dots;
}

TEST(FontCatalogue, FamilyNamesSortAsADropDownListIgnoringCase)
{
    using Names = std::vector<std::string>;
    const struct {
        const char* name;
        Names in, expected;
    } rows[] = {
        {"lower case among capitals", {"Zapf", "dejavu Sans", "Arial", "bitstream"},
         {"Arial", "bitstream", "dejavu Sans", "Zapf"}},
        {"same letters, the capital first", {"noto", "Noto", "NOTO"}, {"NOTO", "Noto", "noto"}},
        {"a shorter name first", {"DejaVu Sans Mono", "dejavu sans"}, {"dejavu sans", "DejaVu Sans Mono"}},
        {"a name listed twice once", {"b", "A", "b", "a"}, {"A", "a", "b"}},
        {"none", {}, {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SortFamilyNames(row.in), row.expected) << row.name;
    }
}

TEST(FontCatalogue, ListsDejaVuSansOnceInSortedOrder)
{
    const auto families = ScalableFontFamilies();
    EXPECT_EQ(SortFamilyNames(families), families);
    EXPECT_EQ(std::count(families.begin(), families.end(), "DejaVu Sans"), 1);
    EXPECT_EQ(std::adjacent_find(families.begin(), families.end()), families.end());
}

TEST(FontCatalogue, FindsStyledFacesOfDejaVuSans)
{
    const auto regular = FindFontFace("DejaVu Sans", false, false);
    const auto bold = FindFontFace("DejaVu Sans", true, false);
    ASSERT_TRUE(regular && bold);
    EXPECT_NE(regular->Path.find("DejaVuSans.ttf"), std::string::npos);
    EXPECT_NE(bold->Path.find("DejaVuSans-Bold.ttf"), std::string::npos);
    EXPECT_FALSE(bold->Embolden);
}

TEST(FontCatalogue, DejaVuSansCoversTheTextCharsetsButNotSymbol)
{
    for (int charset : {Charset::Western, Charset::Cyrillic, Charset::Greek, Charset::CentralEurope}) {
        EXPECT_TRUE(FontHasCharset("DejaVu Sans", charset)) << charset;
    }
    EXPECT_FALSE(FontHasCharset("DejaVu Sans", Charset::Symbol));
}

TEST(FontCatalogue, CharsetBytesReadInTheirCodePage)
{
    EXPECT_EQ(CharsetCharacter(Charset::Western, 'A'), U'A');
    EXPECT_EQ(CharsetCharacter(Charset::Western, 0x80), U'\u20AC');
    EXPECT_EQ(CharsetCharacter(Charset::Default, 0xE9), U'\u00E9');
    EXPECT_EQ(CharsetCharacter(Charset::Cyrillic, 0xC0), U'\u0410');
    EXPECT_EQ(CharsetCharacter(Charset::Greek, 0xC1), U'\u0391');
    EXPECT_EQ(CharsetCharacter(Charset::Oem, 0xB3), U'\u2502');
    EXPECT_EQ(CharsetCharacter(Charset::Symbol, 0x41), U'A');
}

TEST(FontCatalogue, RendersCapitalAWithInkInsideItsBox)
{
    const auto face = FindFontFace("DejaVu Sans", false, false);
    ASSERT_TRUE(face);
    GlyphRasterizer raster(*face, 32, 1.0, Charset::Western);
    ASSERT_TRUE(raster.Valid());
    const TextMetrics metrics = raster.Metrics();
    EXPECT_EQ(metrics.Height, metrics.Ascent + metrics.Descent);
    EXPECT_GT(metrics.Ascent, 24);
    EXPECT_GT(metrics.Descent, 4);

    const auto a = raster.Glyph('A');
    ASSERT_TRUE(a);
    EXPECT_GT(a->Box.BlackBoxX, 10);
    EXPECT_GT(a->Box.BlackBoxY, 18);
    EXPECT_LE(a->Box.BlackBoxY, metrics.Ascent);
    EXPECT_EQ(a->Box.OriginY, a->Box.BlackBoxY);  // sits on the baseline
    EXPECT_GT(a->Box.CellIncX, a->Box.BlackBoxX - 2);
    EXPECT_EQ(a->Pitch % 4, 0);
    EXPECT_GT(InkDots(*a), 50);
}

TEST(FontCatalogue, WidthFactorWidensOnlyAcross)
{
    const auto face = FindFontFace("DejaVu Sans", false, false);
    ASSERT_TRUE(face);
    GlyphRasterizer normal(*face, 40, 1.0, Charset::Western);
    GlyphRasterizer wide(*face, 40, 2.0, Charset::Western);
    const auto m1 = normal.Glyph('M');
    const auto m2 = wide.Glyph('M');
    ASSERT_TRUE(m1 && m2);
    EXPECT_NEAR(m2->Box.BlackBoxX, 2 * m1->Box.BlackBoxX, 3);
    EXPECT_NEAR(m2->Box.CellIncX, 2 * m1->Box.CellIncX, 2);
    EXPECT_EQ(m2->Box.BlackBoxY, m1->Box.BlackBoxY);
}

TEST(FontCatalogue, SpaceHasAnAdvanceButNoInk)
{
    const auto face = FindFontFace("DejaVu Sans", false, false);
    ASSERT_TRUE(face);
    GlyphRasterizer raster(*face, 20, 1.0, Charset::Western);
    const auto space = raster.Glyph(' ');
    ASSERT_TRUE(space);
    EXPECT_GT(space->Box.CellIncX, 0);
    EXPECT_EQ(InkDots(*space), 0);
}

TEST(FontCatalogue, ByteUndefinedInTheCodePageHasNoGlyph)
{
    const auto face = FindFontFace("DejaVu Sans", false, false);
    ASSERT_TRUE(face);
    GlyphRasterizer raster(*face, 20, 1.0, Charset::Western);
    EXPECT_FALSE(raster.Glyph(0x81));
}

TEST(FontCatalogue, MissingFaceFileIsNotValid)
{
    GlyphRasterizer raster(FontFaceFile{"/nonexistent/face.ttf", 0, false, false}, 20, 1.0, Charset::Western);
    EXPECT_FALSE(raster.Valid());
    EXPECT_FALSE(raster.Glyph('A'));
}

}  // namespace
}  // namespace zk::platform
