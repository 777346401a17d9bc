// Bars, boxes and diagonal lines: exact dots, the reference point, the
// inverse mode and clipping.

#include "engine/render/shape_figures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/engine/render/render_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using test::Pixels;

class ShapeFiguresTest : public test::EngineTest {
protected:
    ShapeFiguresTest() { LabelImage.Resize(12, 8); }
};

TEST_F(ShapeFiguresTest, BarModesFillInvertAndClear)
{
    DrawBarFigure(1, 1, 6, 3, ShapeBlack);
    DrawBarFigure(4, 2, 4, 3, ShapeInverse);
    DrawBarFigure(2, 1, 1, 1, ShapeWhite);
    EXPECT_EQ(Pixels(0, 0, 9, 6),
              ".........\n"
              ".#.####..\n"
              ".###...#.\n"
              ".###...#.\n"
              "....####.\n"
              ".........\n");
}

TEST_F(ShapeFiguresTest, InverseBarTwiceRestoresTheLabel)
{
    DrawBarFigure(0, 0, 5, 5, ShapeBlack);
    const std::string before = Pixels(0, 0, 12, 8);
    DrawBarFigure(3, 3, 6, 4, ShapeInverse);
    DrawBarFigure(3, 3, 6, 4, ShapeInverse);
    EXPECT_EQ(Pixels(0, 0, 12, 8), before);
}

TEST_F(ShapeFiguresTest, FiguresAreMovedByTheReferencePoint)
{
    LabelSetup.LeftMargin = 3;
    LabelSetup.TopMargin = -2;
    DrawBarFigure(0, 4, 2, 1, ShapeBlack);
    DrawBoxFigure(5, 3, 1, 7, 5);
    DrawDiagonalLine(0, 7, 4, 7, 1, ShapeBlack);
    EXPECT_EQ(Pixels(0, 0, 12, 6),
              "............\n"
              "........##..\n"
              "...##...##..\n"
              "............\n"
              "............\n"
              "...####.....\n");
}

TEST_F(ShapeFiguresTest, BarsClipAtTheImageEdgeAndAtTheFieldLimits)
{
    DrawBarFigure(10, 6, 5, 5, ShapeBlack);
    EXPECT_EQ(test::CountPixels(Black), 4);
    LabelImage.Clear();
    LabelSetup.LeftMargin = 607;
    LabelSetup.TopMargin = 1999;
    DrawBarFigure(INT16_MAX, INT16_MAX, INT16_MAX, INT16_MAX, ShapeBlack);
    EXPECT_EQ(test::CountPixels(Black), 0);
    LabelSetup.LeftMargin = -607;
    LabelSetup.TopMargin = -1999;
    DrawBarFigure(INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX, ShapeBlack);
    EXPECT_EQ(test::CountPixels(Black), 0);
    DrawBarFigure(INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX, ShapeInverse);
    EXPECT_EQ(test::CountPixels(Black), 0);
    LabelSetup = TLabelSetup{};
    DrawBarFigure(-20000, -20000, INT16_MAX, INT16_MAX, ShapeBlack);
    EXPECT_EQ(test::CountPixels(Black), 12 * 8);
}

TEST_F(ShapeFiguresTest, BarsWithoutAreaDrawNothing)
{
    for (const auto& [w, h] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{-3, 3}, std::pair{3, -3}}) {
        DrawBarFigure(5, 4, w, h, ShapeBlack);
    }
    EXPECT_EQ(test::CountPixels(Black), 0);
}

TEST_F(ShapeFiguresTest, BoxIsFourStripsInsideItsCorners)
{
    DrawBoxFigure(1, 1, 2, 8, 7);
    EXPECT_EQ(Pixels(0, 0, 10, 8),
              "..........\n"
              ".#######..\n"
              ".#######..\n"
              ".##...##..\n"
              ".##...##..\n"
              ".#######..\n"
              ".#######..\n"
              "..........\n");
}

TEST_F(ShapeFiguresTest, BoxCornersMayComeInAnyOrder)
{
    DrawBoxFigure(1, 1, 2, 8, 7);
    const std::string ordered = Pixels(0, 0, 12, 8);
    struct Corners {
        int x1, y1, x2, y2;
    };
    for (const Corners& c : {Corners{8, 1, 1, 7}, Corners{1, 7, 8, 1}, Corners{8, 7, 1, 1}}) {
        LabelImage.Clear();
        DrawBoxFigure(c.x1, c.y1, 2, c.x2, c.y2);
        EXPECT_EQ(Pixels(0, 0, 12, 8), ordered) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST_F(ShapeFiguresTest, BoxThickerThanItsSizeFillsItAndThicknessZeroDrawsNothing)
{
    DrawBoxFigure(2, 2, 0, 6, 6);
    EXPECT_EQ(test::CountPixels(Black), 0);
    DrawBoxFigure(2, 2, 9, 6, 6);
    EXPECT_EQ(test::CountPixels(Black), 16);
    EXPECT_EQ(Pixels(1, 1, 6, 6),
              "......\n"
              ".####.\n"
              ".####.\n"
              ".####.\n"
              ".####.\n"
              "......\n");
}

TEST_F(ShapeFiguresTest, BoxAtTheFieldLimitsClips)
{
    DrawBoxFigure(INT16_MIN, INT16_MIN, 3, INT16_MAX, INT16_MAX);
    EXPECT_EQ(test::CountPixels(Black), 0);
    DrawBoxFigure(INT16_MIN, 2, 3, 5, INT16_MAX);
    EXPECT_EQ(Pixels(0, 0, 12, 4),
              "............\n"
              "............\n"
              "#####.......\n"
              "#####.......\n");
}

TEST_F(ShapeFiguresTest, FlatLineIsOffsetAcrossY)
{
    DrawDiagonalLine(1, 3, 9, 3, 3, ShapeBlack);
    EXPECT_EQ(Pixels(0, 1, 11, 5),
              "...........\n"
              ".########..\n"
              ".########..\n"
              ".########..\n"
              "...........\n");
}

TEST_F(ShapeFiguresTest, LineAtFortyFiveDegreesUsesTheVerticalForm)
{
    LabelImage.Resize(12, 12);
    DrawDiagonalLine(2, 2, 8, 8, 3, ShapeBlack);
    EXPECT_EQ(Pixels(0, 0, 11, 10),
              "...........\n"
              "...........\n"
              ".###.......\n"
              "..###......\n"
              "...###.....\n"
              "....###....\n"
              ".....###...\n"
              "......###..\n"
              "...........\n"
              "...........\n");
}

TEST_F(ShapeFiguresTest, SteepLineIsOffsetAcrossXAndFlatterOneAcrossY)
{
    LabelImage.Resize(12, 12);
    DrawDiagonalLine(4, 1, 6, 9, 2, ShapeBlack);
    EXPECT_EQ(Pixels(0, 0, 9, 10),
              ".........\n"
              "...##....\n"
              "...##....\n"
              "....##...\n"
              "....##...\n"
              "....##...\n"
              "....##...\n"
              ".....##..\n"
              ".....##..\n"
              ".........\n");
}

TEST_F(ShapeFiguresTest, InverseLineTurnsTheDotsUnderIt)
{
    DrawBarFigure(0, 0, 6, 8, ShapeBlack);
    DrawDiagonalLine(2, 4, 10, 4, 2, ShapeInverse);
    EXPECT_EQ(Pixels(0, 2, 12, 4),
              "######......\n"
              "##....####..\n"
              "##....####..\n"
              "######......\n");
    DrawDiagonalLine(2, 4, 10, 4, 2, ShapeInverse);
    EXPECT_EQ(test::CountPixels(Black), 48);
}

TEST_F(ShapeFiguresTest, WhiteLineClearsAndDegenerateLinesDrawNothing)
{
    DrawBarFigure(0, 0, 12, 8, ShapeBlack);
    DrawDiagonalLine(0, 4, 12, 4, 1, ShapeWhite);
    EXPECT_EQ(test::CountPixels(Black), 12 * 7);
    LabelImage.Clear();
    DrawDiagonalLine(5, 5, 5, 5, 4, ShapeBlack);
    DrawDiagonalLine(1, 1, 9, 1, 0, ShapeBlack);
    EXPECT_EQ(test::CountPixels(Black), 0);
}

TEST_F(ShapeFiguresTest, LineAcrossTheWholeFieldRangeClips)
{
    LabelImage.Resize(12, 12);
    LabelSetup.LeftMargin = -607;
    LabelSetup.TopMargin = -1999;
    DrawDiagonalLine(INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX, 3, ShapeBlack);
    LabelSetup = TLabelSetup{};
    DrawDiagonalLine(INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX, 3, ShapeBlack);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(LabelImage.Pixel(i, i), Black) << i;
    }
    EXPECT_EQ(LabelImage.Pixel(11, 0), White);
}

}  // namespace
}  // namespace zk
