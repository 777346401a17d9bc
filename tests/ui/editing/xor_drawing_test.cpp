#include "ui/editing/xor_drawing.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class XorDrawingTest : public test::EditorTest {
protected:
    XorDrawingTest()
    {
        canvas.Resize(60, 40);
        // Paper, ink and a stray colour, so that restoring is checked on each.
        canvas.FillRect(0, 0, 20, 40, Black);
        canvas.FillRect(40, 0, 20, 40, 0xFF123456u);
    }

    std::vector<std::uint32_t> Pixels() const
    {
        return {canvas.Bits(), canvas.Bits() + canvas.Width() * canvas.Height()};
    }

    TLabelImage canvas;
};

TEST_F(XorDrawingTest, DrawingTwiceRestoresTheImage)
{
    ASSERT_EQ(AppendFigure(TLineFigure{}), 0);
    const TFigureId line = FigureList.FigureTail->Id;
    ASSERT_EQ(AppendFigure(TBarFigure{}), 0);
    const TFigureId bar = FigureList.FigureTail->Id;
    const std::pair<const char*, std::function<void()>> drawings[] = {
        {"rect", [&] { DrawXorRect(canvas, 5, 5, 50, 30); }},
        {"rect drawn backwards", [&] { DrawXorRect(canvas, 50, 30, 5, 5); }},
        {"rect past the edges", [&] { DrawXorRect(canvas, -10, -10, 50, 30); }},
        {"point rect", [&] { DrawXorRect(canvas, 30, 20, 30, 20); }},
        {"line", [&] { DrawXorLine(canvas, 0, 39, 59, 0); }},
        {"band", [&] { DrawBandFrame(canvas, 2, 3, 57, 36); }},
        {"resize frame of a line", [&] {
             EditorState.ResizeFigure = line;
             DrawResizeFrame(canvas);
         }},
        {"resize frame of a bar", [&] {
             EditorState.ResizeFigure = bar;
             DrawResizeFrame(canvas);
         }},
    };
    LabelSetup.LeftMargin = 7;
    LabelSetup.TopMargin = -3;
    EditorState.ResizeRect = {0, 10, 40, 30};
    for (const auto& [name, draw] : drawings) {
        SCOPED_TRACE(name);
        const auto before = Pixels();
        draw();
        EXPECT_NE(Pixels(), before);
        draw();
        EXPECT_EQ(Pixels(), before);
    }
}

TEST_F(XorDrawingTest, RedPenTurnsPaperRedAndCoversCornersOnce)
{
    XorFrame(canvas, 25, 5, 35, 15, TXorPen{RedPenMask, 1, PenStyle::Solid});
    EXPECT_EQ(canvas.Pixel(25, 5), Red);
    EXPECT_EQ(canvas.Pixel(35, 15), Red);
    EXPECT_EQ(canvas.Pixel(30, 15), Red);
    EXPECT_EQ(canvas.Pixel(30, 10), White);
    EXPECT_EQ(canvas.Pixel(24, 5), White);
}

TEST_F(XorDrawingTest, WidePenCoversOneDotEachSide)
{
    DrawXorRect(canvas, 25, 10, 35, 30);
    EXPECT_EQ(canvas.Pixel(24, 9), Red);
    EXPECT_EQ(canvas.Pixel(26, 20), Red);
    EXPECT_EQ(canvas.Pixel(27, 20), White);
    EXPECT_EQ(canvas.Pixel(23, 20), White);
}

TEST_F(XorDrawingTest, BandFrameIsDottedAndInverts)
{
    DrawBandFrame(canvas, 22, 5, 38, 20);
    EXPECT_EQ(canvas.Pixel(22, 5), Black);
    EXPECT_EQ(canvas.Pixel(24, 5), Black);
    EXPECT_EQ(canvas.Pixel(25, 5), White);
    EXPECT_EQ(canvas.Pixel(28, 5), Black);
}

TEST_F(XorDrawingTest, ResizeFrameAddsTheReferencePoint)
{
    LabelSetup.LeftMargin = 20;
    LabelSetup.TopMargin = 5;
    ASSERT_EQ(AppendFigure(TLineFigure{}), 0);
    EditorState.ResizeFigure = FigureList.FigureTail->Id;
    EditorState.ResizeRect = {5, 5, 15, 5};
    DrawResizeFrame(canvas);
    EXPECT_EQ(canvas.Pixel(25, 10), Red);
    EXPECT_EQ(canvas.Pixel(35, 10), Red);
    EXPECT_EQ(canvas.Pixel(30, 12), White);
}

}  // namespace
}  // namespace zk
