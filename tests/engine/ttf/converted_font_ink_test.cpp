// The converter's promise end to end: every dot its preview draws in black
// is in the font file it writes. Installed faces are converted at several
// sizes and character sets, written, read back with the engine's soft-font
// reader and drawn glyph by glyph at the preview's pen positions.

#include <algorithm>
#include <map>
#include <sstream>
#include <string_view>

#include "engine/model/figure_list.h"
#include "engine/softfont/font_file.h"
#include "engine/text/glyph_bitmap.h"
#include "engine/ttf/converter_state.h"
#include "engine/ttf/font_preview.h"
#include "engine/ttf/font_writer.h"
#include "platform/font_catalogue.h"
#include "tests/support/engine_fixture.h"

namespace zk
{
namespace
{

constexpr std::uint32_t BLACK = 0xFF000000;
constexpr int PREVIEW_TOP = 8;      // the first preview line's top row
constexpr int GLYPH_GAP = 2;        // what the printer adds to every advance
constexpr int PREVIEW_RIGHT = 128;  // room the preview keeps at a line's end
constexpr char LETTER = 'T';

struct InkCase {
    const char* face;
    bool bold;
    bool italic;
    int charset;
    int points;
    int widthPosition;  // of the width track bar, 10 = unscaled
    int extraSpacing;
    bool autoRemove;
    // The characters mapped, each to its own code; null maps the whole
    // range 32..255. Large sizes map a few, to stay within the font store.
    const char* characters = nullptr;
};

std::ostream& operator<<(std::ostream& out, const InkCase& c)
{
    return out << c.face << (c.bold ? " bold" : "") << (c.italic ? " italic" : "") << ", charset " << c.charset << ", "
               << c.points << " pt, width position " << c.widthPosition << ", spacing " << c.extraSpacing
               << (c.autoRemove ? ", auto" : "") << (c.characters ? ", some characters" : "");
}

class ConvertedFontInkTest : public test::EngineTest, public ::testing::WithParamInterface<InkCase>
{
protected:
    // Printer codes mapped to the same source character.
    static TCharacterMap IdentityMap(const char* characters)
    {
        TCharacterMap map;
        for (int cell = 0; cell < MapCells; ++cell) {
            const auto code = static_cast<std::uint8_t>(FirstMappedCode + cell);
            if (characters == nullptr ||
                std::string_view(characters).find(static_cast<char>(code)) != std::string_view::npos)
                map.CopySourceCell(cell % MapColumns, cell / MapColumns);
        }
        return map;
    }

    // Pen positions of one preview line, one per glyph table record and one
    // past the last: the printer's step, advance + 2, with the advances of
    // the glyph table or, once written, those the file holds.
    static std::vector<int> PenPositions(const std::vector<std::uint8_t>* fontFile = nullptr)
    {
        std::vector<int> pens;
        int x = FontPreviewSettings.PreviewMargin;
        std::size_t at = 3;  // the first glyph record, after count, zero and height
        for (const TGlyphRecord& record : GlyphTable) {
            pens.push_back(x);
            if (record.SourceChar == 0)
                continue;
            int advance = record.Advance;
            if (fontFile != nullptr) {
                EXPECT_LT(at + 2, fontFile->size());
                if (at + 2 >= fontFile->size())
                    break;
                EXPECT_EQ((*fontFile)[at], record.TargetCode);
                advance = (*fontFile)[at + 1];
                at += 3 + std::size_t{(*fontFile)[at + 2]} * (*fontFile)[2];
            }
            x += advance + GLYPH_GAP;
        }
        pens.push_back(x);
        return pens;
    }

    static bool PreviewBlack(int x, int y)
    {
        if (x < 0 || y < 0 || x >= FontPreviewImage.Width || y >= FontPreviewImage.Height)
            return false;
        return FontPreviewImage.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FontPreviewImage.Width) +
                                       static_cast<std::size_t>(x)] == BLACK;
    }
};

TEST_P(ConvertedFontInkTest, FileHoldsEveryDotThePreviewDraws)
{
    const InkCase& c = GetParam();
    Converter.ConverterFont = {.Name = c.face, .Style = {.Bold = c.bold, .Italic = c.italic}, .Charset = c.charset};
    FontPreviewSettings.FontSize = c.points;
    FontPreviewSettings.WidthFactor = WidthFactorForPosition(c.widthPosition);
    FontPreviewSettings.ExtraSpacing = c.extraSpacing;
    const auto glyphs = OpenConverterGlyphs(Converter.ConverterFont, c.points, FontPreviewSettings.WidthFactor);
    ASSERT_TRUE(glyphs);
    const TCharacterMap map = IdentityMap(c.characters);

    // A first build gives the advances; the second lays every glyph on one
    // line, so that the pen positions are the printer's.
    BuildFontPreview(*glyphs, map, 400, c.autoRemove);
    BuildFontPreview(*glyphs, map, PenPositions().back() + PREVIEW_RIGHT, c.autoRemove);
    ASSERT_EQ(FontPreviewImage.Height, 2 * FontPreviewSettings.LineHeight + 16) << "one preview line";
    ASSERT_LT(PreviewResults.FontBytes, MaxConvertedFontBytes) << "a font the printer can store";

    const std::string path = (TempDir() / "ink.zft").string();
    ASSERT_TRUE(WriteFontFile(path, *glyphs));
    const auto font = ReadFontFile(path);
    ASSERT_TRUE(font);
    ASSERT_EQ(static_cast<std::int32_t>(font->Bytes.size()), PreviewResults.FontBytes);
    TSoftFontFigure figure;
    figure.CharCount = font->Bytes[0];
    figure.Height = font->Bytes[2];
    figure.DataLength = static_cast<std::uint16_t>(font->Bytes.size());
    figure.Letter = std::string(1, LETTER);
    figure.Data = std::make_shared<TFontData>(*font);
    ASSERT_EQ(AppendFigure(figure), 0);

    // The read-back glyphs drawn where the preview drew them: the file's
    // first dot is LeftShift dots left of the pen, its first row the first
    // row not cut.
    const std::vector<int> pens = PenPositions(&font->Bytes);
    ASSERT_EQ(pens.size(), GlyphTable.size() + 1);
    const int top = PREVIEW_TOP + FontPreviewSettings.TopRemove;
    std::vector<std::uint8_t> readBack(FontPreviewImage.Pixels.size(), 0);
    int drawnGlyphs = 0;
    for (std::size_t i = 0; i < GlyphTable.size(); ++i) {
        const TGlyphRecord& record = GlyphTable[i];
        if (record.SourceChar == 0)
            continue;
        const auto bitmap = SoftGlyphBitmap(LETTER, record.TargetCode);
        ASSERT_TRUE(bitmap) << "code " << int{record.TargetCode};
        ++drawnGlyphs;
        const int left = pens[i] - PreviewResults.LeftShift;
        for (int y = 0; y < bitmap->Rows; ++y) {
            for (int x = 0; x < bitmap->Width; ++x) {
                if (!bitmap->InkAt(x, y))
                    continue;
                ASSERT_TRUE(left + x >= 0 && left + x < FontPreviewImage.Width && top + y < FontPreviewImage.Height);
                readBack[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(FontPreviewImage.Width) +
                         static_cast<std::size_t>(left + x)] = 1;
            }
        }
    }
    EXPECT_GT(drawnGlyphs, c.characters ? 5 : 150);

    // Dots that differ, counted against the glyph whose pen span holds them.
    std::map<int, std::pair<int, int>> lostAndAdded;  // code -> (in the preview only, in the file only)
    for (int y = 0; y < FontPreviewImage.Height; ++y) {
        for (int x = 0; x < FontPreviewImage.Width; ++x) {
            const bool preview = PreviewBlack(x, y);
            const bool file = readBack[static_cast<std::size_t>(y) * static_cast<std::size_t>(FontPreviewImage.Width) +
                                       static_cast<std::size_t>(x)] != 0;
            if (preview == file)
                continue;
            const auto after = std::upper_bound(pens.begin(), pens.end() - 1, x);
            const std::size_t glyph = after == pens.begin() ? 0 : static_cast<std::size_t>(after - pens.begin() - 1);
            auto& counts = lostAndAdded[GlyphTable[std::min(glyph, GlyphTable.size() - 1)].TargetCode];
            ++(preview ? counts.first : counts.second);
        }
    }
    std::ostringstream report;
    for (const auto& [code, counts] : lostAndAdded) {
        report << " code " << code << ": " << counts.first << " lost, " << counts.second << " added;";
    }
    EXPECT_TRUE(lostAndAdded.empty()) << report.str();

    // Nothing the glyph source drew is missing from any glyph of the file,
    // unless the user cut its rows.
    if (FontPreviewSettings.TopRemove == 0 && FontPreviewSettings.BottomRemove == 0) {
        for (const TGlyphRecord& record : GlyphTable) {
            if (record.SourceChar == 0)
                continue;
            const auto glyph = glyphs->Glyph(record.SourceChar);
            ASSERT_TRUE(glyph);
            int sourceDots = 0;
            for (const std::uint8_t byte : glyph->Bits) sourceDots += __builtin_popcount(byte);
            const auto bitmap = SoftGlyphBitmap(LETTER, record.TargetCode);
            const int fileDots = static_cast<int>(std::count(bitmap->Ink.begin(), bitmap->Ink.end(), 1));
            EXPECT_EQ(fileDots, sourceDots) << "code " << int{record.TargetCode};
        }
    }
}

using platform::Charset::Baltic;
using platform::Charset::CentralEurope;
using platform::Charset::Cyrillic;
using platform::Charset::Greek;
using platform::Charset::Oem;
using platform::Charset::Symbol;
using platform::Charset::Turkish;
using platform::Charset::Western;

INSTANTIATE_TEST_SUITE_P(
    InstalledFaces, ConvertedFontInkTest,
    ::testing::Values(
        // The dialog's default size: caron and circumflex tips above the line.
        InkCase{"DejaVu Sans", false, false, Western, 20, 10, 0, false},
        InkCase{"DejaVu Sans", false, false, CentralEurope, 20, 10, 0, false},
        // The vertical bar below the line.
        InkCase{"DejaVu Sans", false, false, Western, 36, 10, 0, false, " !\"#$%&'()*+,-./0123456789|gjpqy"},
        InkCase{"DejaVu Sans", false, false, Western, 96, 10, 0, false, "|\x8A\xC2\xC5gjQ"},
        InkCase{"DejaVu Serif", false, false, Western, 20, 10, 0, false},
        InkCase{"DejaVu Serif", true, false, Greek, 20, 16, 3, false},
        InkCase{"DejaVu Sans Mono", false, false, Cyrillic, 20, 10, 0, false},
        // Box drawing characters reach the cell's edges.
        InkCase{"DejaVu Sans Mono", false, false, Oem, 16, 10, 0, false},
        // A slanted face leans past its box on both sides.
        InkCase{"DejaVu Sans", false, true, Turkish, 28, 0, 0, false},
        InkCase{"DejaVu Sans", true, false, Symbol, 20, 10, 0, false},
        InkCase{"DejaVu Serif", false, false, Baltic, 12, 10, -1, true},
        // The tightest spacing: most advances are held at the least the file
        // takes, and the preview must step as the printer does.
        InkCase{"DejaVu Sans", false, false, Western, 12, 10, -16, false},
        InkCase{"DejaVu Sans", false, false, CentralEurope, 48, 10, 0, true, "|\x8A\x8E\xC2\xC5\xCA\xCE\xD4\xDBgjpqy"}),
    [](const ::testing::TestParamInfo<InkCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace zk
