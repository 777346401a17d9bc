#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "engine/text/printer_font.h"
#include "engine/text/printer_font_layout.h"
#include "tests/engine/text/font_file_reader.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using test::ReadBytes;

// The end of each glyph set: the next set's base, or the end of the file.
std::size_t ResidentLimit(std::size_t font)
{
    return font + 1 < ResidentFontCount ? ResidentFontLayouts[font + 1].Base : ArabicSetLayouts[0].Base;
}

TEST(GeneratedFontFileTest, EveryEntryPointsInsideItsGlyphSet)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    ASSERT_GT(file.size(), CodeTableBytes + ArabicSetLayouts.back().Base);
    const std::size_t dataSize = file.size() - CodeTableBytes;
    for (int language = 0; language < 16; ++language) {
        for (int code = 0; code < 256; ++code) {
            const std::size_t n = test::TableEntry(file, language, code);
            if (language == ArabicLanguage) {
                for (std::size_t set = 0; set < ArabicSetLayouts.size(); ++set) {
                    const auto& layout = ArabicSetLayouts[set];
                    const std::size_t limit = set + 1 < ArabicSetLayouts.size() ? ArabicSetLayouts[set + 1].Base : dataSize;
                    EXPECT_LE(layout.Base + (n + 1) * layout.Stride, limit) << "code " << code;
                    EXPECT_LE(file[CodeTableBytes + layout.Base + n * layout.Stride], layout.MaxWidth);
                }
                continue;
            }
            for (std::size_t font = 0; font < ResidentFontCount; ++font) {
                const auto& layout = ResidentFontLayouts[font];
                EXPECT_LE(layout.Base + (n + 1) * layout.Stride, ResidentLimit(font))
                    << "language " << language << " code " << code << " font " << font;
            }
        }
    }
}

TEST(GeneratedFontFileTest, PrintableAsciiHasInkInEveryFontAndTable)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    for (int language = 0; language < 16; ++language) {
        for (int code = 33; code < 127; ++code) {
            for (int font = 0; font < 6; ++font) {
                const test::DotGlyph glyph = language == ArabicLanguage ? test::ArabicGlyph(file, font, code)
                                                                        : test::ResidentGlyph(file, font, language, code);
                bool ink = false;
                for (const auto& row : glyph.Dots) ink = ink || std::find(row.begin(), row.end(), true) != row.end();
                EXPECT_TRUE(ink) << "language " << language << " code " << code << " font " << font;
            }
        }
    }
}

TEST(GeneratedFontFileTest, LastTablesRepeatTheFirstAndCellsDiffer)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(test::TableEntry(file, 14, code), test::TableEntry(file, 0, code));
        EXPECT_EQ(test::TableEntry(file, 15, code), test::TableEntry(file, 0, code));
    }
    // Letters and digits are told apart, and a Cyrillic letter differs from ASCII.
    EXPECT_NE(test::TableEntry(file, 0, 'A'), test::TableEntry(file, 0, 'B'));
    EXPECT_NE(test::TableEntry(file, 0, '0'), test::TableEntry(file, 0, 'O'));
    EXPECT_NE(test::TableEntry(file, 6, 0xC6), test::TableEntry(file, 6, 'A'));  // Cyrillic Zhe
    // Western accented capitals have glyphs of their own.
    EXPECT_NE(test::TableEntry(file, 7, 0xC9), test::TableEntry(file, 7, 'E'));  // E acute
    EXPECT_NE(test::TableEntry(file, 7, 0xC0), test::TableEntry(file, 7, 'A'));  // A grave
    // The upper halves of the tables differ where their code pages do.
    EXPECT_NE(test::TableEntry(file, 0, 0x80), test::TableEntry(file, 7, 0x80));
}

// Code page 437 draws the pilcrow and the section sign at 0x14 and 0x15,
// where text typed in a dialog puts them: the canvas shows them there too.
TEST(GeneratedFontFileTest, The437TableDrawsPilcrowAndSectionSignAtTheirControlCodes)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    constexpr int western = 7;
    for (const int language : {0, 14, 15}) {
        EXPECT_EQ(test::TableEntry(file, language, 0x14), test::TableEntry(file, western, 0xB6)) << language;
        EXPECT_EQ(test::TableEntry(file, language, 0x15), test::TableEntry(file, western, 0xA7)) << language;
        EXPECT_EQ(test::TableEntry(file, language, 0x07), test::TableEntry(file, language, ' ')) << language;
    }
}

TEST(GeneratedFontFileTest, AsciiLettersSitInTheNominalCell)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    for (int font = 0; font < 6; ++font) {
        const auto& layout = ResidentFontLayouts[static_cast<std::size_t>(font)];
        const test::DotGlyph capital = test::ResidentGlyph(file, font, 0, 'H');
        int top = layout.Rows;
        for (int y = 0; y < capital.Rows && top == layout.Rows; ++y) {
            for (int x = 0; x < capital.Width; ++x) {
                if (capital.Ink(x, y)) {
                    top = y;
                    break;
                }
            }
        }
        EXPECT_GE(top, layout.Rows - layout.NominalRows) << "font " << font;
        EXPECT_LT(top, layout.Rows - layout.NominalRows + layout.NominalRows / 3) << "font " << font;
    }
}

class FontGeneratorTest : public test::EngineTest {};

TEST_F(FontGeneratorTest, WritesTheSameBytesEveryRun)
{
    const auto generator = test::GeneratedFontFile().parent_path() / "make_printer_font";
    const auto output = TempDir() / "again.evu";
    const std::string command =
        generator.string() + " /usr/share/fonts/truetype/dejavu " + output.string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(output), ReadBytes(test::GeneratedFontFile()));
}

class PrinterFontLoadTest : public test::EngineTest {};

TEST_F(PrinterFontLoadTest, MissingAndShortFilesFail)
{
    ProgramPaths.PrinterFontFileName = (TempDir() / "none.evu").string();
    EXPECT_EQ(LoadPrinterFont(), PrinterFontCantOpen);
    EXPECT_FALSE(PrinterFontIsLoaded());

    const auto shortFile = TempDir() / "short.evu";
    std::ofstream(shortFile, std::ios::binary) << std::string(CodeTableBytes - 1, '\0');
    ProgramPaths.PrinterFontFileName = shortFile.string();
    EXPECT_EQ(LoadPrinterFont(), PrinterFontCantOpen);
    EXPECT_FALSE(PrinterFontIsLoaded());
    EXPECT_EQ(GlyphIndexEnglish('A'), 0);
}

TEST_F(PrinterFontLoadTest, LoadsTablesInHostOrder)
{
    const std::vector<std::uint8_t> file = ReadBytes(test::GeneratedFontFile());
    ProgramPaths.PrinterFontFileName = test::GeneratedFontFile().string();
    ASSERT_EQ(LoadPrinterFont(), PrinterFontLoaded);
    EXPECT_EQ(PrinterFont.PrinterFontGlyphs.size(), file.size() - CodeTableBytes);
    EXPECT_EQ(GlyphIndexEnglish('A'), test::TableEntry(file, 0, 'A'));
    LabelSetup.Language = 6;
    EXPECT_EQ(GlyphIndexForLanguage(0xC6), test::TableEntry(file, 6, 0xC6));
    FreePrinterFont();
    EXPECT_FALSE(PrinterFontIsLoaded());
}

}  // namespace
}  // namespace zk
