#include "ui/editing/mouse_editing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/ui/editing/editor_fixture.h"
#include "ui/editing/selection.h"

namespace zk {
namespace {

using Sel = std::vector<bool>;

class MouseEditingTest : public test::EditorTest {
protected:
    MouseEditingTest()
    {
        canvas.Resize(300, 200);
        EditingHooks.Label = &canvas;
        EditingHooks.RefreshCanvas = [this] { canvas.Clear(); };
        EditingHooks.EditFigure = [this](TFigure& figure) { edited.push_back(&figure); };
        EditingHooks.DrawFigure = [this](std::uint8_t tool, TPoint start, TPoint end) {
            drawn.push_back({tool, start, end});
        };
    }

    // Bars 20 x 20 at x = 0, 40, 80, 120, y = 0.
    void FourBars(std::uint8_t selectedMask)
    {
        for (int i = 0; i < 4; ++i) {
            Add(Bar(static_cast<std::int16_t>(40 * i), 0, 20, 20),
                (selectedMask >> i) & 1 ? FigureFlag::Selected : 0);
        }
    }

    static std::vector<int> BarXs()
    {
        std::vector<int> xs;
        for (const TFigure* f : Figures()) {
            xs.push_back(f->Bar().X);
        }
        return xs;
    }

    int CanvasPixels(std::uint32_t colour) const
    {
        return static_cast<int>(
            std::count(canvas.Bits(), canvas.Bits() + canvas.Width() * canvas.Height(), colour));
    }

    struct Drawn {
        std::uint8_t tool;
        TPoint start;
        TPoint end;
    };

    TLabelImage canvas;
    std::vector<TFigure*> edited;
    std::vector<Drawn> drawn;
};

TEST_F(MouseEditingTest, DragFromASelectedFigureMovesTheWholeSelection)
{
    FourBars(0b0111);
    EditorMouseDown(TMouseButton::Left, false, 45, 10);
    EXPECT_EQ(Selection(), (Sel{true, true, true, false}));
    EditorMouseMove(50, 12);
    EditorMouseMove(55, 17);
    EXPECT_EQ(redraws, 0);
    EditorMouseUp(55, 17);
    EXPECT_EQ(BarXs(), (std::vector<int>{10, 50, 90, 120}));
    for (const TFigure* f : Figures()) {
        EXPECT_EQ(f->Bar().Y, f->Bar().X == 120 ? 0 : 7);
    }
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(EditorState.Moving, 0);
}

TEST_F(MouseEditingTest, MoveFeedbackFollowsTheSelection)
{
    FourBars(0b0001);
    EditorMouseDown(TMouseButton::Left, false, 5, 5);
    EXPECT_EQ(canvas.Pixel(20, 20), Red);
    EditorMouseMove(35, 45);
    EXPECT_EQ(canvas.Pixel(20, 20), White);
    EXPECT_EQ(canvas.Pixel(50, 60), Red);
    EXPECT_EQ(canvas.Pixel(29, 39), Red);
}

TEST_F(MouseEditingTest, ShiftClickAddsAndStartsNoDrag)
{
    FourBars(0b0001);
    EditorMouseDown(TMouseButton::Left, true, 85, 5);
    EXPECT_EQ(Selection(), (Sel{true, false, true, false}));
    EXPECT_EQ(EditorState.Moving, 0);
    EXPECT_EQ(EditorState.RubberBand, 0);
    EditorMouseMove(95, 25);
    EditorMouseUp(95, 25);
    EXPECT_EQ(BarXs(), (std::vector<int>{0, 40, 80, 120}));
}

TEST_F(MouseEditingTest, BandFromAnEmptyPlaceReplacesOrWithShiftAdds)
{
    struct Case {
        const char* name;
        bool shift;
        Sel after;
    };
    const Case cases[] = {
        {"plain drag replaces", false, {false, true, true, false}},
        {"shift drag adds", true, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        FourBars(0b0001);
        EditorMouseDown(TMouseButton::Left, c.shift, 90, 100);
        EXPECT_EQ(EditorState.RubberBand, 1);
        EditorMouseMove(60, 50);
        EXPECT_GT(CanvasPixels(Black), 0);
        EditorMouseMove(50, 10);
        EditorMouseUp(50, 10);
        EXPECT_EQ(EditorState.BandRect, (TEditRect{50, 10, 90, 100}));
        EXPECT_EQ(Selection(), c.after);
        EXPECT_EQ(EditorState.RubberBand, 0);
        // The dotted band is gone; only red frames remain.
        EXPECT_EQ(CanvasPixels(Black), 0);
    }
}

TEST_F(MouseEditingTest, ClickInsideABoxStartsABand)
{
    TFigure* box = Add(Box(10, 10, 110, 90));
    EditorMouseDown(TMouseButton::Left, false, 60, 50);
    EXPECT_EQ(EditorState.RubberBand, 1);
    EditorMouseUp(62, 52);
    EXPECT_FALSE(box->IsSelected());
}

TEST_F(MouseEditingTest, ResizeByAHandleKeepsTheSelection)
{
    TFigure* bar = Add(Bar(10, 10, 20, 20), FigureFlag::Selected);
    EditorMouseDown(TMouseButton::Left, false, 30, 30);
    EXPECT_EQ(EditorState.ResizeHandle, 4);
    EXPECT_FALSE(bar->IsSelected());
    EditorMouseMove(40, 35);
    EditorMouseMove(50, 60);
    EditorMouseUp(50, 60);
    EXPECT_EQ(bar->Bar().Width, 40);
    EXPECT_EQ(bar->Bar().Height, 50);
    EXPECT_TRUE(bar->IsSelected());
    EXPECT_EQ(EditorState.ResizeHandle, 0);
}

TEST_F(MouseEditingTest, EscDuringAResizeRestores)
{
    TFigure* bar = Add(Bar(10, 10, 20, 20), FigureFlag::Selected);
    EditorMouseDown(TMouseButton::Left, false, 10, 10);
    EditorMouseMove(0, 0);
    EditorState.CancelResize = 1;  // Esc
    EditorMouseMove(-5, 3);
    EditorMouseUp(-5, 3);
    EXPECT_EQ(bar->Bar().X, 10);
    EXPECT_EQ(bar->Bar().Width, 20);
    EXPECT_TRUE(bar->IsSelected());
}

TEST_F(MouseEditingTest, RightPressEditsTheFigureHitAndCancelsAResize)
{
    Add(Bar(0, 0, 20, 20));
    TFigure* second = Add(Bar(100, 100, 20, 20), FigureFlag::Selected);
    Add(SoftFont("A", 20));
    EditorMouseDown(TMouseButton::Right, false, 110, 110);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], second);
    EXPECT_EQ(EditorState.CancelResize, 1);
    EXPECT_EQ(Selection(), (Sel{false, true, false}));
    EditorMouseDown(TMouseButton::Right, false, 250, 150);
    EXPECT_EQ(edited.size(), 1u);
}

TEST_F(MouseEditingTest, DrawingDragOpensTheToolsDialogInLabelDots)
{
    LabelSetup.LeftMargin = 8;
    LabelSetup.TopMargin = 4;
    const auto before = std::vector<std::uint32_t>(canvas.Bits(), canvas.Bits() + 300 * 200);
    EditorState.DrawingTool = 4;
    EditorMouseDown(TMouseButton::Left, false, 20, 30);
    EditorMouseMove(60, 50);
    EXPECT_EQ(canvas.Pixel(60, 50), Red);
    EditorMouseMove(80, 90);
    EXPECT_EQ(canvas.Pixel(60, 50), White);
    EditorMouseUp(81, 91);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].tool, 4);
    EXPECT_EQ(drawn[0].start, (TPoint{12, 26}));
    EXPECT_EQ(drawn[0].end, (TPoint{73, 87}));
    EXPECT_EQ(std::vector<std::uint32_t>(canvas.Bits(), canvas.Bits() + 300 * 200), before);
    EXPECT_EQ(EditorState.DrawingTool, SelectionTool);
    EXPECT_EQ(EditorState.Drawing, 0);
}

TEST_F(MouseEditingTest, EveryReleaseWithADrawingToolChosenOpensItsDialog)
{
    LabelSetup.LeftMargin = 8;
    LabelSetup.TopMargin = 4;
    // Chosen while the button was down: no drag started, so the figure is
    // made at the release point.
    for (const std::uint8_t tool : {0, 1, 2, 3, 4, 5, 7}) {
        SCOPED_TRACE(static_cast<int>(tool));
        drawn.clear();
        EditorState.DrawingTool = tool;
        EditorMouseUp(40, 40);
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].tool, tool);
        EXPECT_EQ(drawn[0].start, (TPoint{32, 36}));
        EXPECT_EQ(drawn[0].end, (TPoint{32, 36}));
        EXPECT_EQ(EditorState.DrawingTool, SelectionTool);
    }
    EXPECT_EQ(CanvasPixels(White), 300 * 200);
}

TEST_F(MouseEditingTest, RightClickWithADrawingToolMakesTheFigureAtTheReleasePoint)
{
    EditorState.DrawingTool = 4;
    EditorMouseDown(TMouseButton::Left, false, 20, 30);
    EditorMouseMove(80, 90);
    EditorMouseUp(80, 90);
    ASSERT_EQ(drawn.size(), 1u);

    // A right press edits what it hits and starts no drag: the earlier
    // drag's corners play no part.
    EditorState.DrawingTool = 2;
    EditorMouseDown(TMouseButton::Right, false, 150, 120);
    EXPECT_TRUE(edited.empty());
    EditorMouseUp(150, 120);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].tool, 2);
    EXPECT_EQ(drawn[1].start, (TPoint{150, 120}));
    EXPECT_EQ(drawn[1].end, (TPoint{150, 120}));
    EXPECT_EQ(EditorState.DrawingTool, SelectionTool);
    EXPECT_EQ(CanvasPixels(White), 300 * 200);
}

TEST_F(MouseEditingTest, TextToolShowsNoFeedback)
{
    EditorState.DrawingTool = 0;
    EditorMouseDown(TMouseButton::Left, false, 20, 30);
    EditorMouseMove(60, 50);
    EXPECT_EQ(CanvasPixels(White), 300 * 200);
    EditorMouseUp(60, 50);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].tool, 0);
}

}  // namespace
}  // namespace zk
