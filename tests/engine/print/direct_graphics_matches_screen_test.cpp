// Soft-font texts and pictures sent as direct graphics print the dots the
// label shows: the graphics commands the printer emulator receives are
// decoded into dots and compared with the dots drawn on the label, for
// figures that reach past each edge of the label, texts in every rotation
// and with multipliers.

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/print/printing.h"
#include "engine/render/label_image.h"
#include "engine/render/picture_figure.h"
#include "engine/text/text_render.h"
#include "tests/engine/render/render_test_support.h"
#include "tests/engine/text/text_render_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

// 'A': a block 16 dots wide (two bytes a row, a set bit printed) and three
// rows high, inked in every dot but the last of each row and the first of
// its last row, so that its edges show in the dots.
const std::vector<std::uint8_t> FontBlock = {
    1, 0, 3, 'A', 14, 2, 0xFF, 0xFE, 0xFF, 0xFE, 0x7F, 0xFE,
};

struct GlyphCase {
    const char* name;
    int x;
    int y;
    int rotation;
    int hMult;
    int vMult;
    const char* text = "\"A\"";
    bool offLabel = false;  // no dot on the label, so none drawn or printed
};

void PrintTo(const GlyphCase& c, std::ostream* os) { *os << c.name; }

const GlyphCase GLYPH_CASES[] = {
    {"inside the label", 50, 40, 0, 1, 1, "\"AA\""},
    {"block starting nine dots left of the edge", -9, 40, 0, 1, 1},
    {"block one dot on the label", -14, 40, 0, 1, 1},
    {"block wholly left of the edge", -16, 40, 0, 1, 1, "\"A\"", true},
    {"doubled block left of the edge", -20, 40, 0, 2, 1},
    {"second glyph of a text across the left edge", -20, 40, 0, 1, 1, "\"AA\""},
    {"rows above the top", 50, -2, 0, 1, 1},
    {"doubled rows above the top", 50, -4, 0, 1, 2},
    {"tripled rows above the top, one row on the label", 50, -8, 0, 1, 3},
    {"rows wholly above the top", 50, -9, 0, 1, 3, "\"A\"", true},
    {"top left corner", -5, -3, 0, 2, 2},
    {"quarter turn at the left edge", 4, 40, 1, 2, 2},
    {"half turn at the top", 80, 8, 2, 1, 3},
    {"half turn at the left edge", 20, 40, 2, 2, 1},
    {"three quarters at the top", 40, 20, 3, 2, 2},
    {"past the right edge", 590, 40, 0, 1, 1},
    {"past the bottom", 50, 598, 0, 1, 2},
};

struct PictureCase {
    const char* name;
    int x;
    int y;
    int width;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

const PictureCase PICTURE_CASES[] = {
    {"inside the label", 30, 30, 20},
    {"nine dots left of the edge", -9, 30, 20},
    {"pad bits only on the label", -20, 30, 20},
    {"wholly left of the edge", -24, 30, 20},
    {"rows above the top", 30, -2, 20},
    {"top left corner", -13, -3, 20},
    {"past the right edge", 590, 30, 20},
};

std::string CaseName(const char* text)
{
    std::string name;
    for (const char* p = text; *p; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}

class DirectGraphicsTest : public test::TextRenderTest {
protected:
    DirectGraphicsTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
        TSoftFontFigure font;
        font.CharCount = FontBlock[0];
        font.Height = FontBlock[2];
        font.DataLength = static_cast<std::uint16_t>(FontBlock.size());
        font.Letter = "A";
        font.Data = std::make_shared<TFontData>(TFontData{FontBlock});
        EXPECT_EQ(AppendFigure(font), 0);
    }

    // Everything the printer got, once the print command has come.
    std::string PrintStream()
    {
        std::string received = printer.Received();
        while (!received.ends_with("P1\r\n")) {
            if (!printer.WaitForReceived(received.size() + 1)) {
                ADD_FAILURE() << "the print stream did not end";
                break;
            }
            received = printer.Received();
        }
        return received;
    }

    // The dots the GW commands of a stream print on the label: each command
    // "GWx,y,bytes,rows," and its rows, a clear bit being ink. A command
    // must not place its block left of or above the label, where what a
    // printer does is not known.
    static test::DotSet PrintedDots(std::string_view stream)
    {
        test::DotSet dots;
        for (std::size_t at = stream.find("GW"); at != std::string_view::npos; at = stream.find("GW", at)) {
            at += 2;
            int fields[4] = {};
            for (int& field : fields) {
                const auto [end, error] = std::from_chars(stream.data() + at, stream.data() + stream.size(), field);
                EXPECT_EQ(error, std::errc{});
                EXPECT_EQ(*end, ',');
                at = static_cast<std::size_t>(end - stream.data()) + 1;
            }
            const auto [x, y, bytes, rows] = fields;
            EXPECT_GE(x, 0) << "a block left of the label";
            EXPECT_GE(y, 0) << "a block above the label";
            EXPECT_LE(at + static_cast<std::size_t>(bytes * rows), stream.size());
            for (int r = 0; r < rows; ++r) {
                for (int dot = 0; dot < 8 * bytes; ++dot) {
                    const auto byte = static_cast<std::uint8_t>(stream[at + static_cast<std::size_t>(r * bytes + dot / 8)]);
                    const int px = x + dot;
                    const int py = y + r;
                    if ((byte & (0x80u >> (dot % 8))) == 0 && px >= 0 && py >= 0 && px < LabelSetup.LabelWidth &&
                        py < LabelSetup.LabelLength) {
                        dots.insert({px, py});
                    }
                }
            }
            at += static_cast<std::size_t>(bytes * rows);
        }
        return dots;
    }

    // The dots the printer prints of the label's figures, sent with direct
    // graphics.
    test::DotSet Printed()
    {
        Settings.DirectGraphics = 1;
        EXPECT_TRUE(PrintLabel());
        return PrintedDots(PrintStream());
    }

    test::PrinterEmulator printer;
};

class GlyphEdgePrintTest : public DirectGraphicsTest, public ::testing::WithParamInterface<GlyphCase> {};
class PictureEdgePrintTest : public DirectGraphicsTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(GlyphEdgePrintTest, PrintedDotsAreTheDrawnDots)
{
    const GlyphCase& c = GetParam();
    RenderPrinterText(c.x, c.y, c.rotation, 6, c.hMult, c.vMult, 0, c.text);
    const test::DotSet drawn = BlackDots();
    EXPECT_EQ(drawn.empty(), c.offLabel);

    TTextFigure text;
    text.X = static_cast<std::int16_t>(c.x);
    text.Y = static_cast<std::int16_t>(c.y);
    text.Rotation = static_cast<std::int16_t>(c.rotation);
    text.HMult = static_cast<std::int16_t>(c.hMult);
    text.VMult = static_cast<std::int16_t>(c.vMult);
    text.Font = 6;
    text.Data = c.text;
    AppendFigure(text);
    EXPECT_EQ(Printed(), drawn);
}

// A picture three bytes a row wide, its width cutting into the last byte,
// with ink in its first and last columns and a diagonal between them.
TEST_P(PictureEdgePrintTest, PrintedDotsAreTheDrawnDots)
{
    const PictureCase& c = GetParam();
    constexpr int height = 5;
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < height; ++y) {
        std::uint8_t row[3] = {0x7F, 0xFF, 0xFF};
        const int inkAt[2] = {3 * y + 2, c.width - 1};
        for (const int dot : inkAt) {
            row[dot / 8] = static_cast<std::uint8_t>(row[dot / 8] & ~(0x80u >> (dot % 8)));
        }
        rows.insert(rows.end(), std::begin(row), std::end(row));
    }
    TPictureFigure picture = test::PictureFigure(c.width, height, 3, rows);
    picture.X = static_cast<std::int16_t>(c.x);
    picture.Y = static_cast<std::int16_t>(c.y);
    picture.Name = "EDGE";
    DrawPictureFigure(picture);
    const test::DotSet drawn = BlackDots();
    EXPECT_EQ(drawn.empty(), c.x + c.width <= 0) << "dots on the label";
    AppendFigure(picture);
    EXPECT_EQ(Printed(), drawn);
}

INSTANTIATE_TEST_SUITE_P(Edges, GlyphEdgePrintTest, ::testing::ValuesIn(GLYPH_CASES),
                         [](const auto& info) { return CaseName(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Edges, PictureEdgePrintTest, ::testing::ValuesIn(PICTURE_CASES),
                         [](const auto& info) { return CaseName(info.param.name); });

}  // namespace
}  // namespace zk
