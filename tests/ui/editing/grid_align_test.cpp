#include "ui/editing/grid_align.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class GridAlignTest : public test::EditorTest {};

TEST_F(GridAlignTest, SnapRoundsHalvesAwayFromZero)
{
    struct Case {
        std::int32_t step;
        std::int32_t value;
        std::int32_t snapped;
    };
    const Case cases[] = {
        {8, 0, 0},    {8, 3, 0},     {8, 4, 8},     {8, -3, 0},   {8, -4, -8},   {8, 11, 8},
        {8, 12, 16},  {8, -12, -16}, {8, 13, 16},   {8, -13, -16}, {8, 19, 16},  {8, 20, 24},
        {5, 2, 0},    {5, 3, 5},     {5, 7, 5},     {5, 8, 10},   {5, -3, -5},   {40, 19, 0},
        {40, 20, 40}, {40, -20, -40}, {4, 2, 4},    {4, -2, -4},
        {8, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()},
        {8, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " value " << c.value);
        Settings.GridStep = c.step;
        constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
        std::int32_t a = c.value;
        // The mirrored value checks the other side of zero; the lowest value has no mirror.
        std::int32_t b = c.value == lowest ? 0 : -c.value;
        SnapToGrid(a, b);
        EXPECT_EQ(a, c.snapped);
        if (c.value == lowest) {
            EXPECT_EQ(b, 0);
        } else if (c.value == std::numeric_limits<std::int32_t>::max()) {
            EXPECT_EQ(b, lowest);
        } else {
            EXPECT_EQ(b, -c.snapped);
        }
    }
}

TEST_F(GridAlignTest, SnapWithoutAGridLeavesTheValues)
{
    Settings.GridStep = 0;
    std::int32_t a = 13;
    std::int32_t b = -13;
    SnapToGrid(a, b);
    EXPECT_EQ(a, 13);
    EXPECT_EQ(b, -13);
}

TTextFigure Text(std::int16_t x, std::int16_t y, std::int16_t rotation, std::int16_t font = 3, std::int16_t vmult = 1)
{
    TTextFigure text;
    text.X = x;
    text.Y = y;
    text.Rotation = rotation;
    text.Font = font;
    text.VMult = vmult;
    return text;
}

TBarcodeFigure Barcode(std::int16_t height)
{
    TBarcodeFigure barcode;
    barcode.X = 13;
    barcode.Y = 4;
    barcode.Height = height;
    return barcode;
}

TEST_F(GridAlignTest, AlignByKind)
{
    struct Case {
        const char* name;
        std::int32_t step;
        bool adjustSizes;
        TFigurePayload before;
        TFigurePayload after;
    };
    TPictureFigure picture;
    picture.X = 13;
    picture.Y = -4;
    TPictureFigure pictureAligned = picture;
    pictureAligned.X = 16;
    pictureAligned.Y = -8;
    TPdf417Figure pdf;
    pdf.X = 13;
    pdf.Y = 4;
    const Case cases[] = {
        {"bar", 8, false, TBarFigure{13, 4, 13, 3, 0}, TBarFigure{16, 8, 13, 3, 0}},
        {"bar left of the origin", 8, false, TBarFigure{-13, 4, 13, 3, 0}, TBarFigure{-16, 8, 13, 3, 0}},
        {"bar sizes, none to nothing", 8, true, TBarFigure{13, 4, 13, 3, 0}, TBarFigure{16, 8, 16, 8, 0}},
        // Text: the base line (18 dots down in font 3) lands on the grid.
        {"text rot 0", 8, false, Text(13, 27, 0), Text(16, 30, 0)},
        {"text rot 1", 8, false, Text(30, 13, 1), Text(34, 16, 1)},
        {"text rot 2", 8, false, Text(13, 52, 2), Text(16, 50, 2)},
        {"text rot 3", 8, false, Text(29, 13, 3), Text(30, 16, 3)},
        {"text font 5 double height", 8, false, Text(0, 0, 0, 5, 2), Text(0, -2, 0, 5, 2)},
        {"barcode", 8, false, Barcode(30), [] { auto b = Barcode(30); b.X = 16; b.Y = 8; return b; }()},
        {"barcode height", 8, true, Barcode(30), [] { auto b = Barcode(32); b.X = 16; b.Y = 8; return b; }()},
        {"barcode low, step 8", 8, true, Barcode(10), [] { auto b = Barcode(24); b.X = 16; b.Y = 8; return b; }()},
        {"barcode low, step 40", 40, true, Barcode(10), [] { auto b = Barcode(40); b.X = 0; b.Y = 0; return b; }()},
        {"barcode low, step 5", 5, true, Barcode(10), [] { auto b = Barcode(25); b.X = 15; b.Y = 5; return b; }()},
        {"line stays without sizes", 8, false, TLineFigure{13, 4, 18, 5, 2, 0}, TLineFigure{13, 4, 18, 5, 2, 0}},
        {"line kept a step apart", 8, true, TLineFigure{13, 4, 18, 5, 2, 0}, TLineFigure{16, 8, 24, 16, 2, 0}},
        {"line", 8, true, TLineFigure{13, 4, 99, -60, 2, 0}, TLineFigure{16, 8, 96, -64, 2, 0}},
        {"box moves whole", 8, false, TBoxFigure{13, 4, 50, 50, 2}, TBoxFigure{16, 8, 53, 54, 2}},
        {"box sizes", 8, true, TBoxFigure{13, 4, 50, 50, 2}, TBoxFigure{16, 8, 56, 56, 2}},
        {"small box kept a step apart", 8, true, TBoxFigure{13, 4, 15, 6, 2}, TBoxFigure{16, 8, 24, 16, 2}},
        {"picture", 8, true, picture, pictureAligned},
        {"pdf417 stays", 8, true, pdf, pdf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        Settings.GridStep = c.step;
        TFigure* selected = Add(c.before, FigureFlag::Selected);
        TFigure* other = Add(c.before);
        AlignToGrid(c.adjustSizes);
        EXPECT_EQ(EncodePayload(selected->Payload), EncodePayload(c.after));
        EXPECT_EQ(EncodePayload(other->Payload), EncodePayload(c.before));
    }
}

TEST_F(GridAlignTest, SoftFontTextUsesItsFontHeight)
{
    Add(SoftFont("A", 30));
    TFigure* text = Add(Text(0, 0, 0, 6), FigureFlag::Selected);
    AlignToGrid(false);
    EXPECT_EQ(text->Text().Y, 2);  // 0 + 30 snaps to 32
}

TEST_F(GridAlignTest, AlignNearTheFieldLimitSaturates)
{
    TFigure* bar = Add(Bar(32767, -32768, 5, 5), FigureFlag::Selected);
    AlignToGrid(false);
    EXPECT_EQ(bar->Bar().X, 32767);
    EXPECT_EQ(bar->Bar().Y, -32768);
}

}  // namespace
}  // namespace zk
