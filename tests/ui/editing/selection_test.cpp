#include "ui/editing/selection.h"

#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/ui/editing/editor_fixture.h"

namespace zk {
namespace {

class SelectionTest : public test::EditorTest {
protected:
    // Four bars side by side, 20 dots wide, at x = 0, 40, 80, 120.
    void FourBars(std::uint8_t selectedMask)
    {
        for (int i = 0; i < 4; ++i) {
            Add(Bar(static_cast<std::int16_t>(40 * i), 0, 20, 20),
                (selectedMask >> i) & 1 ? FigureFlag::Selected : 0);
        }
    }
};

using Sel = std::vector<bool>;

TEST_F(SelectionTest, ClickOnAMemberKeepsTheWholeSelection)
{
    FourBars(0b0111);
    ClickSelect(45, 10, false);
    EXPECT_EQ(Selection(), (Sel{true, true, true, false}));
    EXPECT_EQ(EditorState.HitCount, 1);
}

TEST_F(SelectionTest, ClickCases)
{
    struct Case {
        const char* name;
        std::uint8_t before;
        TPoint point;
        bool add;
        Sel after;
        int hitCount;
    };
    const Case cases[] = {
        {"click outside the selection", 0b0111, {125, 10}, false, {false, false, false, true}, 1},
        {"click on nothing", 0b0111, {30, 10}, false, {false, false, false, false}, 0},
        {"shift-click adds", 0b0011, {125, 10}, true, {true, true, false, true}, 1},
        {"shift-click on a selected figure", 0b0011, {5, 10}, true, {true, true, false, false}, 1},
        {"shift-click on nothing", 0b0011, {30, 10}, true, {true, true, false, false}, 0},
        {"click with nothing selected", 0b0000, {85, 10}, false, {false, false, true, false}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        FourBars(c.before);
        ClickSelect(c.point.x, c.point.y, c.add);
        EXPECT_EQ(Selection(), c.after);
        EXPECT_EQ(EditorState.HitCount, c.hitCount);
    }
}

TEST_F(SelectionTest, ClickLeavesOnlyTheSelectionBit)
{
    TFigure* stale = Add(Bar(0, 0, 20, 20), FigureFlag::Selected | FigureFlag::HitMark | FigureFlag::DataWritten);
    TFigure* other = Add(Bar(40, 0, 20, 20), FigureFlag::SavedSelection);
    ClickSelect(5, 5, false);
    EXPECT_EQ(stale->Flags, FigureFlag::Selected);
    EXPECT_EQ(other->Flags, 0);
}

TEST_F(SelectionTest, ClickRefreshesTheCanvasOnce)
{
    int refreshes = 0;
    EditingHooks.RefreshCanvas = [&] { ++refreshes; };
    FourBars(0);
    ClickSelect(5, 5, false);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(SelectionTest, BandSelectsFiguresWithACornerInside)
{
    struct Case {
        const char* name;
        TEditRect band;
        Sel after;
    };
    // Bars at (0, 0), (40, 0), (80, 0), (120, 0), each 20 x 20; the last is selected beforehand.
    const Case cases[] = {
        {"one corner", {15, 15, 25, 25}, {true, false, false, true}},
        {"corners of two figures", {20, 10, 40, 30}, {true, true, false, true}},
        {"drawn backwards", {40, 30, 20, 10}, {true, true, false, true}},
        {"edges included", {60, 20, 70, 30}, {false, true, false, true}},
        {"between figures", {21, 0, 39, 30}, {false, false, false, true}},
        {"wholly inside a figure", {85, 5, 95, 15}, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearFigureList();
        FourBars(0b1000);
        EditorState.BandRect = c.band;
        SelectInBand();
        EXPECT_EQ(Selection(), c.after);
    }
}

TEST_F(SelectionTest, BandCountsALineByItsEndsAndTextByItsTallerCell)
{
    Add(Line(10, 10, 200, 200));
    TTextFigure text;
    text.X = 300;
    text.Y = 10;
    text.Font = 3;  // 20 dots for a click, 25 for the band
    text.RenderedWidth = 50;
    Add(text);
    Add(SoftFont("A", 20));

    EditorState.BandRect = {90, 90, 110, 110};  // the middle of the line
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{false, false, false}));

    EditorState.BandRect = {190, 190, 210, 210};
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{true, false, false}));

    EditorState.BandRect = {345, 32, 360, 40};  // holds (350, 35), not (350, 30)
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{true, true, false}));

    EditorState.BandRect = {-5, -5, 5, 5};  // where a soft font would sit
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{true, true, false}));
}

TEST_F(SelectionTest, BandIsInCanvasPixels)
{
    LabelSetup.LeftMargin = 50;
    Add(Bar(10, 10, 20, 20));
    EditorState.BandRect = {15, 5, 25, 15};
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{false}));
    EditorState.BandRect = {55, 5, 65, 15};
    SelectInBand();
    EXPECT_EQ(Selection(), (Sel{true}));
}

TEST_F(SelectionTest, SelectAllSkipsSoftFontsAndUnselectClearsEverything)
{
    TFigure* bar = Add(Bar(0, 0, 5, 5), FigureFlag::HitMark);
    TFigure* font = Add(SoftFont("A", 20));
    TFigure* line = Add(Line(0, 0, 5, 5));
    SelectAllFigures();
    EXPECT_EQ(bar->Flags, FigureFlag::Selected);
    EXPECT_EQ(font->Flags, 0);
    EXPECT_EQ(line->Flags, FigureFlag::Selected);
    UnselectAll();
    EXPECT_EQ(Selection(), (Sel{false, false, false}));
}

TEST_F(SelectionTest, FramesOfTheSelectedFiguresInCanvasPixels)
{
    LabelSetup.LeftMargin = 10;
    LabelSetup.TopMargin = 20;
    Add(Bar(0, 0, 30, 10), FigureFlag::Selected);
    Add(Bar(100, 100, 5, 5));
    Add(Line(1, 2, 50, 60), FigureFlag::Selected);
    Add(SoftFont("A", 20), FigureFlag::Selected);
    Add(Box(40, 30, 5, 6), FigureFlag::Selected);
    const std::vector<TSelectionFrame> expected = {
        {false, {9, 19, 40, 30}},
        {true, {11, 22, 60, 80}},
        {false, {15, 26, 49, 49}},  // (39, 29)-(5, 6) put in order
    };
    EXPECT_EQ(SelectionFrames(), expected);
}

TEST_F(SelectionTest, FramesAreRedOnPaperAndDrawingThemTwiceRemovesThem)
{
    TLabelImage canvas;
    canvas.Resize(100, 80);
    canvas.FillRect(0, 0, 50, 80, Black);
    Add(Bar(10, 10, 60, 30), FigureFlag::Selected);
    Add(Line(5, 70, 90, 75), FigureFlag::Selected);
    const TLabelImage before = canvas;

    XorSelectionFrames(canvas);
    EXPECT_EQ(canvas.Pixel(70, 40), Red);       // the frame's far corner, on paper
    EXPECT_EQ(canvas.Pixel(30, 30), Black);     // inside the frame
    EXPECT_NE(canvas.Pixel(9, 9), Black);       // the frame's near corner, on ink
    EXPECT_NE(canvas.Pixel(90, 75), White);     // the line's end
    XorSelectionFrames(canvas);
    EXPECT_EQ(std::vector<std::uint32_t>(canvas.Bits(), canvas.Bits() + 100 * 80),
              std::vector<std::uint32_t>(before.Bits(), before.Bits() + 100 * 80));
}

TEST_F(SelectionTest, DrawSelectionFramesRefreshesOnlyWhenAsked)
{
    TLabelImage canvas;
    canvas.Resize(50, 50);
    int refreshes = 0;
    EditingHooks.Label = &canvas;
    EditingHooks.RefreshCanvas = [&] {
        ++refreshes;
        canvas.Clear();
    };
    Add(Bar(10, 10, 10, 10), FigureFlag::Selected);
    DrawSelectionFrames(true);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(canvas.Pixel(9, 9), Red);
    DrawSelectionFrames(false);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(canvas.Pixel(9, 9), White);
    DrawSelectionFrames(true);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(canvas.Pixel(9, 9), Red);
}

}  // namespace
}  // namespace zk
