#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "tests/ui/editing/editor_fixture.h"
#include "ui/editing/selection.h"

namespace zk {
namespace {

class HitTest : public test::EditorTest {};

struct HitCase {
    const char* name;
    TFigurePayload payload;
    TPoint point;
    bool hit;
};

TLineFigure LineOf(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int16_t thickness)
{
    return TLineFigure{x1, y1, x2, y2, thickness, 0};
}

TTextFigure TextAt(std::int16_t x, std::int16_t y)
{
    TTextFigure text;
    text.X = x;
    text.Y = y;
    text.Font = 3;
    text.RenderedWidth = 50;
    return text;
}

TEST_F(HitTest, ContainmentByKind)
{
    const HitCase cases[] = {
        // A line is hit within max(thickness / 2, 4) dots of its course.
        {"line 4 above", LineOf(10, 50, 100, 50, 2), {50, 46}, true},
        {"line 5 above", LineOf(10, 50, 100, 50, 2), {50, 45}, false},
        {"line 4 below", LineOf(10, 50, 100, 50, 2), {50, 54}, true},
        {"line 5 below", LineOf(10, 50, 100, 50, 2), {50, 55}, false},
        {"line start", LineOf(10, 50, 100, 50, 2), {10, 50}, true},
        {"line before start", LineOf(10, 50, 100, 50, 2), {9, 50}, false},
        {"line end", LineOf(10, 50, 100, 50, 2), {100, 50}, true},
        {"line past end", LineOf(10, 50, 100, 50, 2), {101, 50}, false},
        {"line drawn backwards", LineOf(100, 50, 10, 50, 2), {50, 46}, true},
        {"thick line 6 above", LineOf(10, 50, 100, 50, 12), {50, 44}, true},
        {"thick line 7 above", LineOf(10, 50, 100, 50, 12), {50, 43}, false},
        {"vertical line 4 right", LineOf(20, 10, 20, 100, 1), {24, 50}, true},
        {"vertical line 5 right", LineOf(20, 10, 20, 100, 1), {25, 50}, false},
        {"vertical line 4 left", LineOf(20, 10, 20, 100, 1), {16, 50}, true},
        {"vertical line above start", LineOf(20, 10, 20, 100, 1), {20, 9}, false},
        {"flat diagonal on course", LineOf(0, 0, 100, 50, 1), {40, 20}, true},
        {"flat diagonal 4 off", LineOf(0, 0, 100, 50, 1), {40, 24}, true},
        {"flat diagonal 5 off", LineOf(0, 0, 100, 50, 1), {40, 25}, false},
        {"steep diagonal 4 off", LineOf(0, 0, 50, 100, 1), {24, 40}, true},
        {"steep diagonal 5 off", LineOf(0, 0, 50, 100, 1), {25, 40}, false},
        {"45 degrees", LineOf(0, 0, 60, 60, 1), {30, 34}, true},
        // Both ends in one place: a point with the tolerance around it.
        {"point line centre", LineOf(30, 30, 30, 30, 2), {30, 30}, true},
        {"point line corner", LineOf(30, 30, 30, 30, 2), {34, 26}, true},
        {"point line 5 off", LineOf(30, 30, 30, 30, 2), {35, 30}, false},
        // A box is hit only on its outline band of max(thickness, 4) dots.
        {"box interior", TBoxFigure{10, 10, 110, 60, 2}, {60, 35}, false},
        {"box top band", TBoxFigure{10, 10, 110, 60, 2}, {60, 14}, true},
        {"box inside top band", TBoxFigure{10, 10, 110, 60, 2}, {60, 15}, false},
        {"box left band", TBoxFigure{10, 10, 110, 60, 2}, {14, 35}, true},
        {"box inside left band", TBoxFigure{10, 10, 110, 60, 2}, {15, 35}, false},
        {"box right band", TBoxFigure{10, 10, 110, 60, 2}, {106, 35}, true},
        {"box inside right band", TBoxFigure{10, 10, 110, 60, 2}, {105, 35}, false},
        {"box corner", TBoxFigure{10, 10, 110, 60, 2}, {10, 10}, true},
        {"box outside", TBoxFigure{10, 10, 110, 60, 2}, {9, 10}, false},
        {"box far corner", TBoxFigure{10, 10, 110, 60, 2}, {110, 60}, true},
        {"thick box band", TBoxFigure{10, 10, 110, 60, 8}, {60, 18}, true},
        {"thick box inside band", TBoxFigure{10, 10, 110, 60, 8}, {60, 19}, false},
        {"box stored backwards", TBoxFigure{110, 60, 10, 10, 2}, {60, 12}, true},
        // Other kinds: the whole rectangle, edges included.
        {"bar inside", TBarFigure{10, 10, 20, 10, 0}, {20, 15}, true},
        {"bar far edge", TBarFigure{10, 10, 20, 10, 0}, {30, 20}, true},
        {"bar past edge", TBarFigure{10, 10, 20, 10, 0}, {31, 20}, false},
        {"text cell", TextAt(10, 10), {60, 30}, true},
        {"text below cell", TextAt(10, 10), {60, 31}, false},
        {"soft font", TSoftFontFigure{}, {0, 0}, false},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        TFigure* figure = Add(c.payload);
        EXPECT_EQ(HitTestFigures(c.point.x, c.point.y), c.hit ? 1 : 0);
        EXPECT_EQ(EditorState.HitCount, c.hit ? 1 : 0);
        EXPECT_EQ((figure->Flags & FigureFlag::HitMark) != 0, c.hit);
    }
}

TEST_F(HitTest, PointsAreCanvasPixelsLessTheReferencePoint)
{
    LabelSetup.LeftMargin = 100;
    LabelSetup.TopMargin = -20;
    Add(Bar(10, 10, 20, 10));
    EXPECT_EQ(HitTestFigures(115, -5), 1);
    ClearFigureList();
    Add(Bar(10, 10, 20, 10));
    EXPECT_EQ(HitTestFigures(15, 15), 0);
}

TEST_F(HitTest, OverlappingFiguresTheEarlierWins)
{
    TFigure* first = Add(Bar(0, 0, 50, 50));
    TFigure* second = Add(Bar(20, 20, 50, 50));
    EXPECT_EQ(HitTestFigures(30, 30), 1);
    EXPECT_NE(first->Flags & FigureFlag::HitMark, 0);
    EXPECT_EQ(second->Flags & FigureFlag::HitMark, 0);
}

TEST_F(HitTest, SoftFontsAreSkippedNotStoppedAt)
{
    Add(SoftFont("A", 20));
    TFigure* bar = Add(Bar(0, 0, 10, 10));
    EXPECT_EQ(HitTestFigures(0, 0), 1);
    EXPECT_NE(bar->Flags & FigureFlag::HitMark, 0);
}

}  // namespace
}  // namespace zk
