#include "engine/ttf/font_writer.h"

#include <filesystem>
#include <fstream>

#include "engine/config/program_paths.h"
#include "engine/softfont/font_file.h"
#include "engine/ttf/converter_state.h"
#include "engine/ttf/font_preview.h"
#include "tests/engine/ttf/fake_glyphs.h"
#include "tests/support/engine_fixture.h"

namespace zk
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

class FontWriterTest : public test::EngineTest
{
protected:
    std::string PathOf(const char* name) const { return (TempDir() / name).string(); }
    static Bytes FileBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    TCharacterMap map;
};

TEST_F(FontWriterTest, GlyphRowsAreWrittenInkFirstDotHighest)
{
    test::FakeGlyphs glyphs(4, 1);
    glyphs.Add('A', {1, 2, 5, {"#.#", "###"}});
    map.Cells[33] = 'A';
    BuildFontPreview(glyphs, map, 200, false);
    EXPECT_EQ(ConvertedFontBytes(glyphs), (Bytes{1, 0, 5, 65, 5, 1, 0x00, 0x00, 0x50, 0x70, 0x00}));

    FontPreviewSettings.TopRemove = 2;
    FontPreviewSettings.BottomRemove = 1;
    BuildFontPreview(glyphs, map, 200, false);
    const Bytes cut = ConvertedFontBytes(glyphs);
    EXPECT_EQ(cut, (Bytes{1, 0, 2, 65, 5, 1, 0x50, 0x70}));
    EXPECT_EQ(static_cast<std::int32_t>(cut.size()), PreviewResults.FontBytes);
}

TEST_F(FontWriterTest, CellGrowsToHoldGlyphsBeyondTheFaceLine)
{
    // The face's line is 4 rows up and 1 down; 'A' stands 2 rows above it,
    // 'g' hangs 2 rows below it.
    test::FakeGlyphs glyphs(4, 1);
    glyphs.Add('A', {0, 6, 3, {"#..", ".#.", "..#"}});
    glyphs.Add('g', {0, 0, 3, {"##", "##", "#."}});
    map.Cells['A' - 32] = 'A';
    map.Cells['g' - 32] = 'g';
    BuildFontPreview(glyphs, map, 200, false);
    EXPECT_EQ(FontPreviewSettings.LineHeight, 9);
    EXPECT_EQ(PreviewResults.FontHeight, 9);
    const Bytes bytes = ConvertedFontBytes(glyphs);
    const Bytes expected = {
        2,   0, 9,                                               // glyphs, 0, height
        'A', 3, 1, 0x80, 0x40, 0x20, 0, 0, 0, 0,    0,    0,     // from the cell's top row
        'g', 3, 1, 0,    0,    0,    0, 0, 0, 0xC0, 0xC0, 0x80,  // to its bottom row
    };
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(static_cast<std::int32_t>(bytes.size()), PreviewResults.FontBytes);
}

TEST_F(FontWriterTest, UnreadableGlyphsAreLeftOutOfTheFile)
{
    test::FakeGlyphs glyphs(6, 2);
    glyphs.AddBox('a', 9, 3, 0, 3, 10);
    map.Cells[0] = 'x';
    map.Cells[1] = 'a';
    BuildFontPreview(glyphs, map, 300, false);
    const Bytes bytes = ConvertedFontBytes(glyphs);
    ASSERT_EQ(bytes.size(), 3u + 3u + 2u * 8u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[3], 33);            // the code of map cell 1
    EXPECT_EQ(bytes[5], 2);             // 9 dots need two bytes a row
    EXPECT_EQ(bytes[6 + 2 * 3], 0xFF);  // row 3: the first of the glyph's, ascent 6 - origin 3
    EXPECT_EQ(bytes[6 + 2 * 3 + 1], 0x80);
}

TEST_F(FontWriterTest, WrittenFileReadsBackAsTheSameFont)
{
    test::FakeGlyphs glyphs(12, 3);
    glyphs.AddBox('A', 7, 12, 0, 12, 9);
    glyphs.AddBox('B', 20, 5, 2, 5, 24);
    map.CopySourceCell(1, 1);
    map.CopySourceCell(2, 1);
    BuildFontPreview(glyphs, map, 300, false);
    const std::string path = PathOf("font.zft");
    ASSERT_TRUE(WriteFontFile(path, glyphs));
    const auto font = ReadFontFile(path);
    ASSERT_TRUE(font);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(font->Bytes, ConvertedFontBytes(glyphs));
    EXPECT_EQ(static_cast<std::int32_t>(font->Bytes.size()), PreviewResults.FontBytes);
    EXPECT_EQ(font->Bytes[0], 2);
    EXPECT_EQ(font->Bytes[2], 15);
    // The second record: code 'B', 3 bytes a row.
    const std::size_t second = 3 + 3 + 15;
    EXPECT_EQ(font->Bytes[second], 'B');
    EXPECT_EQ(font->Bytes[second + 1], 24);
    EXPECT_EQ(font->Bytes[second + 2], 3);
}

TEST_F(FontWriterTest, InkLeftOfTheOriginIsWrittenFromTheFirstDot)
{
    test::FakeGlyphs glyphs(4, 1);
    glyphs.AddBox('k', 2, 2, -5, 2, 3);  // ink ends 3 dots left of the origin
    glyphs.Add('v', {-5, 0, 3, {}});     // no ink, origin as far left: no width at all
    map.Cells['k' - 32] = 'k';
    map.Cells['v' - 32] = 'v';
    BuildFontPreview(glyphs, map, 300, false);
    ASSERT_EQ(PreviewResults.LeftShift, 5);
    const std::string path = PathOf("left.zft");
    ASSERT_TRUE(WriteFontFile(path, glyphs));
    const auto font = ReadFontFile(path);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Bytes, (Bytes{2, 0, 5, 'k', 3, 1, 0x00, 0x00, 0xC0, 0xC0, 0x00, 'v', 3, 0}));
}

TEST_F(FontWriterTest, DejaVuSansConvertsAndReadsBack)
{
    Converter.ConverterFont = {.Name = "DejaVu Sans", .Style = {}, .Charset = 0};
    for (int column = 1; column <= 26; ++column) map.CopySourceCell(column, 1);  // 'A'..'Z'
    const auto glyphs = OpenConverterGlyphs(Converter.ConverterFont, 20, 1.0);
    ASSERT_TRUE(glyphs);
    BuildFontPreview(*glyphs, map, 600, false);
    EXPECT_EQ(FontPreviewSettings.LineHeight, glyphs->Metrics().Height);
    const std::string path = PathOf("dejavu.zft");
    ASSERT_TRUE(WriteFontFile(path, *glyphs));
    const auto font = ReadFontFile(path);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Bytes[0], 26);
    EXPECT_EQ(font->Bytes[2], PreviewResults.FontHeight);
    EXPECT_EQ(static_cast<std::int32_t>(font->Bytes.size()), PreviewResults.FontBytes);
    EXPECT_EQ(font->Bytes[3], 'A');
    int ink = 0;
    const int rows = font->Bytes[2] * font->Bytes[5];
    for (int i = 0; i < rows; ++i) ink += __builtin_popcount(font->Bytes[6 + static_cast<std::size_t>(i)]);
    EXPECT_GT(ink, 30);
}

TEST_F(FontWriterTest, SaveRefusesFontsBeyondTheLimits)
{
    const struct {
        int ascent;
        int boxWidth;
        int glyphCount;
        const char* message;
    } rows[] = {
        {200, 200, 10, "File too big"},
        {249, 8, 1, "Font height more than 248 pixels"},
        {20, 247, 1, "There are symbols wider than 248 pixels"},
    };
    for (const auto& row : rows) {
        ui.messageBoxes.clear();
        test::FakeGlyphs glyphs(row.ascent, 0);
        glyphs.AddBox('a', row.boxWidth, 4, 0, 4, row.boxWidth);
        map.ClearTargetMap();
        for (int i = 0; i < row.glyphCount; ++i) map.Cells[static_cast<std::size_t>(i)] = 'a';
        BuildFontPreview(glyphs, map, 600, false);
        ui.saveFileChoices.push_back(PathOf("never.zft"));
        EXPECT_FALSE(SaveConvertedFont(glyphs));
        EXPECT_EQ(ui.OnlyMessage(), row.message);
        EXPECT_TRUE(ui.saveFileDialogs.empty());
        ui.saveFileChoices.clear();
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("never.zft")));
}

TEST_F(FontWriterTest, FontsJustInsideTheLimitsAreSaved)
{
    // 248 rows of one byte; 246 + 2 dots wide.
    test::FakeGlyphs glyphs(248, 0);
    glyphs.AddBox('a', 246, 4, 0, 4, 246);
    map.Cells[0] = 'a';
    BuildFontPreview(glyphs, map, 600, false);
    EXPECT_EQ(PreviewResults.FontHeight, 248);
    EXPECT_EQ(FontPreviewSettings.MaxWidth, 248);
    ui.saveFileChoices.push_back(PathOf("edge.zft"));
    EXPECT_TRUE(SaveConvertedFont(glyphs));
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(FontWriterTest, SaveAsksInTheWorkDirectoryAndMovesItThere)
{
    test::FakeGlyphs glyphs(4, 1);
    glyphs.AddBox('a', 3, 3, 0, 3, 4);
    map.Cells[0] = 'a';
    BuildFontPreview(glyphs, map, 300, false);
    ProgramPaths.WorkDir = "/somewhere";
    std::filesystem::create_directory(TempDir() / "fonts");
    const std::string path = (TempDir() / "fonts" / "mine.zft").string();
    {
        std::ofstream longer(path, std::ios::binary);
        longer << std::string(500, 'x');
    }
    ui.saveFileChoices.push_back(path);
    EXPECT_TRUE(SaveConvertedFont(glyphs));
    ASSERT_EQ(ui.saveFileDialogs.size(), 1u);
    const FileDialogOptions& dialog = ui.saveFileDialogs[0];
    EXPECT_EQ(dialog.title, "Save Font as");
    EXPECT_EQ(dialog.defaultExtension, "ZFT");
    EXPECT_EQ(dialog.filter, "Label printer fonts (*.zft)|*.ZFT");
    EXPECT_EQ(dialog.initialDir, "/somewhere");
    EXPECT_EQ(ProgramPaths.WorkDir, (TempDir() / "fonts").string() + "/");
    // The older, longer file leaves no tail.
    EXPECT_EQ(static_cast<std::int32_t>(FileBytes(path).size()), PreviewResults.FontBytes);
}

TEST_F(FontWriterTest, CancelledSaveWritesNothing)
{
    test::FakeGlyphs glyphs(4, 1);
    glyphs.AddBox('a', 3, 3, 0, 3, 4);
    map.Cells[0] = 'a';
    BuildFontPreview(glyphs, map, 300, false);
    ProgramPaths.WorkDir = "/kept";
    EXPECT_FALSE(SaveConvertedFont(glyphs));
    EXPECT_EQ(ProgramPaths.WorkDir, "/kept");
}

TEST_F(FontWriterTest, UnwritableFileIsReported)
{
    test::FakeGlyphs glyphs(4, 1);
    map.Cells[0] = 'a';
    glyphs.AddBox('a', 3, 3, 0, 3, 4);
    BuildFontPreview(glyphs, map, 300, false);
    EXPECT_FALSE(WriteFontFile(PathOf("missing/dir/font.zft"), glyphs));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open output file");
}

}  // namespace
}  // namespace zk
