// The drawing paths that a preview of many large figures spends its time in
// (filled and inverted rectangles and polygons, barcode bars, resident and
// soft-font text at every rotation, multiplier and style) draw exactly the
// pixels they drew before they were made faster. Each group of figures is drawn one figure at
// a time over a background of black and red, near the label's edges and in
// its middle, and every image is folded into one checksum per group; the
// checksums were taken from the simple per-pixel drawing code.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/render/shape_figures.h"
#include "tests/engine/text/text_render_fixture.h"

namespace zk {
namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

class DrawingIdentityTest : public test::TextRenderTest {
protected:
    DrawingIdentityTest()
    {
        LabelSetup.LabelWidth = Width;
        LabelSetup.LabelLength = Height;
        LabelImage.Resize(Width, Height);
    }

    // Draws the background and one figure added by add, and folds the image
    // into the group's checksum (FNV-1a over the pixels).
    void Draw(const std::function<void()>& add)
    {
        ClearFigureList();
        AppendFigure(TLineFigure{0, 0, Width, Height, 9, ShapeBlack});
        AppendFigure(TBarFigure{I16(Width / 3), 0, 7, I16(Height), ShapeBlack});
        AppendFigure(TBarcodeFigure{});  // an empty barcode: its red cross
        add();
        RedrawLabel(RedrawPreview);
        const std::uint32_t* pixels = LabelImage.Bits();
        for (int i = 0; i < Width * Height; ++i) {
            checksum = (checksum ^ pixels[i]) * 0x100000001B3ull;
        }
    }

    static constexpr int Width = 240;
    static constexpr int Height = 200;
    std::uint64_t checksum = 0xCBF29CE484222325ull;
};

TTextFigure Text(int font, std::pair<int, int> mult, int rotation, std::uint16_t attributes, const int* place,
                 const char* data)
{
    TTextFigure t;
    t.Font = I16(font);
    t.HMult = I16(mult.first);
    t.VMult = I16(mult.second);
    t.Rotation = I16(rotation);
    t.Attributes = attributes;
    t.X = I16(place[0]);
    t.Y = I16(place[1]);
    t.Data = data;
    return t;
}

// Places near every edge and inside: a figure partly off the label on each
// side, and one whole.
constexpr int Places[][2] = {{-37, -29}, {5, 7}, {100, 90}, {203, 171}, {230, 190}};

TEST_F(DrawingIdentityTest, Shapes)
{
    for (const auto& place : Places) {
        const int x = place[0];
        const int y = place[1];
        for (int mode = 0; mode <= 2; ++mode) {
            for (const int size : {1, 3, 17, 61, 500}) {
                Draw([&] { AppendFigure(TBarFigure{I16(x), I16(y), I16(size), I16(size / 2 + 1), I16(mode)}); });
                Draw([&] {
                    AppendFigure(TLineFigure{I16(x), I16(y), I16(x + size), I16(y + size / 3), I16(size % 13 + 1),
                                             I16(mode)});
                });
                Draw([&] {
                    AppendFigure(
                        TLineFigure{I16(x + size), I16(y), I16(x), I16(y + size), I16(size % 11 + 2), I16(mode)});
                });
            }
        }
        Draw([&] { AppendFigure(TBoxFigure{I16(x), I16(y), 5, I16(x + 77), I16(y + 41)}); });
    }
    EXPECT_EQ(checksum, 16138709674989715601u);
}

constexpr std::pair<int, int> Multipliers[] = {{1, 1}, {2, 3}, {3, 1}, {1, 8}, {8, 8}};

// Every resident font at every rotation, several multipliers and each
// style that changes the drawing.
TEST_F(DrawingIdentityTest, ResidentText)
{
    for (int font = 0; font <= 5; ++font) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (const auto& mult : Multipliers) {
                for (const std::uint16_t attributes : {0, 1, 2, 3, 0x80, 0x81}) {
                    for (const auto& place : {Places[0], Places[2], Places[3]}) {
                        Draw([&] { AppendFigure(Text(font, mult, rotation, attributes, place, "\"Wq9 .@\"")); });
                    }
                }
            }
        }
    }
    EXPECT_EQ(checksum, 3763707280633291722u);
}

// Barcode bars at every rotation, clipped on each side, with their lines.
TEST_F(DrawingIdentityTest, Barcodes)
{
    for (int type = 0; type < 4; ++type) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (const int narrow : {1, 3}) {
                for (const auto& place : Places) {
                    TBarcodeFigure b;
                    b.Type = I16(type);
                    b.X = I16(place[0]);
                    b.Y = I16(place[1]);
                    b.Narrow = I16(narrow);
                    b.Wide = I16(narrow * 2);
                    b.Height = 300;
                    b.HumanReadable = 2;
                    b.Rotation = I16(rotation);
                    b.Data = "\"12345\"";
                    Draw([&] { AppendFigure(b); });
                }
            }
        }
    }
    EXPECT_EQ(checksum, 419606479061891012u);
}

// A soft font whose glyph is wider than a byte, with ink at its edges.
TEST_F(DrawingIdentityTest, SoftFontText)
{
    auto font = std::make_shared<TFontData>();
    // CharCount, Zero, Height; code, advance, bytes per row, five rows.
    font->Bytes = {1, 0, 5, 'W', 11, 2, 0x80, 0x20, 0xFF, 0xE0, 0x51, 0x40, 0x0F, 0x00, 0xC0, 0x60};
    TSoftFontFigure soft;
    soft.Data = font;
    soft.CharCount = 1;
    soft.Height = 5;
    soft.DataLength = static_cast<std::uint16_t>(font->Bytes.size());
    soft.Letter = "A";
    for (int rotation = 0; rotation < 4; ++rotation) {
        for (const auto& mult : {std::pair{1, 1}, std::pair{3, 2}, std::pair{7, 7}}) {
            for (const std::uint16_t attributes : {0, 1, 2, 3, 0x80}) {
                for (const auto& place : {Places[0], Places[2], Places[4]}) {
                    Draw([&] {
                        AppendFigure(soft);
                        AppendFigure(Text(6, mult, rotation, attributes, place, "\"WWW\""));
                    });
                }
            }
        }
    }
    EXPECT_EQ(checksum, 12185527788200751498u);
}

}  // namespace
}  // namespace zk
