// Picture figures: run-length rows decoded and ANDed onto the label, and
// blocks that are missing or end early.

#include "engine/render/picture_figure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/shape_figures.h"
#include "tests/engine/render/render_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using test::PictureFigure;
using test::Pixels;

class PictureFigureTest : public test::EngineTest {
protected:
    PictureFigureTest() { LabelImage.Resize(18, 6); }
};

// Literals, runs and a row narrower than its bytes: the dots past Width are
// not drawn.
TEST_F(PictureFigureTest, DecodesLiteralsAndRunsRowByRow)
{
    DrawPictureFigure(PictureFigure(12, 3, 2,
                                    {
                                        0x0F, 0xC1, 0xFF,  // row 0: four black dots (0xFF itself is a count)
                                        0xC2, 0x00,        // row 1: a run of two black bytes
                                        0xAA, 0xC1, 0x55,  // row 2: alternating dots
                                    }));
    EXPECT_EQ(Pixels(0, 0, 17, 4),
              "####.............\n"
              "############.....\n"
              ".#.#.#.##.#......\n"
              ".................\n");
}

TEST_F(PictureFigureTest, RunCountIsNotCarriedIntoTheNextRow)
{
    DrawPictureFigure(PictureFigure(8, 2, 1, {0xC3, 0x00, 0x0F}));
    EXPECT_EQ(Pixels(0, 0, 9, 2),
              "########.\n"
              "####.....\n");
}

TEST_F(PictureFigureTest, WhiteLeavesTheLabelAloneAndTheReferencePointMovesIt)
{
    LabelSetup.LeftMargin = 4;
    LabelSetup.TopMargin = 1;
    DrawBarFigure(-4, 0, 18, 1, ShapeBlack);
    DrawPictureFigure(PictureFigure(8, 2, 1, {0xC1, 0xF0, 0x0F}));
    EXPECT_EQ(Pixels(0, 0, 14, 3),
              "..............\n"
              "##############\n"
              "....####......\n");
}

TEST_F(PictureFigureTest, ClipsAtTheImageEdges)
{
    TPictureFigure figure = PictureFigure(16, 8, 2, {0xC8, 0x00, 0xC8, 0x00});
    figure.X = -12;
    figure.Y = 4;
    DrawPictureFigure(figure);
    EXPECT_EQ(test::CountPixels(Black), 8);
    figure.X = INT16_MAX;
    figure.Y = INT16_MIN;
    LabelSetup.LeftMargin = 607;
    DrawPictureFigure(figure);
    EXPECT_EQ(test::CountPixels(Black), 8);
}

TEST_F(PictureFigureTest, PictureWithoutDataDrawsNothing)
{
    TPictureFigure figure = PictureFigure(8, 2, 1, {0x00, 0x00});
    figure.Data.reset();
    DrawPictureFigure(figure);
    DrawPictureFigure(PictureFigure(8, 2, 0, {0x00, 0x00}));
    DrawPictureFigure(PictureFigure(8, 2, 1, {}));
    EXPECT_EQ(test::CountPixels(Black), 0);
}

TEST_F(PictureFigureTest, BlockEndingEarlyStopsThePictureAfterItsWholeRows)
{
    struct Case {
        std::vector<std::uint8_t> rows;
        int blackDots;
    };
    for (const Case& c : {
             Case{{0x00, 0x00, 0x00}, 16},  // third row missing a byte
             Case{{0x00, 0x00, 0xC2}, 16},  // run count without its value
             Case{{0xC2, 0x00, 0x00}, 16},  // run of the first row, second row short
             Case{{0x00}, 0},               // first row short
         }) {
        LabelImage.Clear();
        DrawPictureFigure(PictureFigure(16, 4, 2, c.rows));
        EXPECT_EQ(test::CountPixels(Black), c.blackDots);
    }
}

}  // namespace
}  // namespace zk
