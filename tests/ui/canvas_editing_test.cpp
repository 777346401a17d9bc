// The mouse on the main window's canvas and the Edit menu's selection
// commands, driven as a user would: synthesised mouse events on the canvas
// and triggered menu items.

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/editing/editor_state.h"
#include "ui/editor_globals.h"
#include "ui/label_canvas.h"

namespace zk {
namespace {

class CanvasEditingTest : public test::MainWindowTest {
protected:
    // A started window with a label of bars; margins as given.
    TZKedit& Start(int leftMargin = 0, int topMargin = 0)
    {
        TZKedit& w = StartWindow();
        LabelSetup.LeftMargin = leftMargin;
        LabelSetup.TopMargin = topMargin;
        canvas = w.Label();
        return w;
    }

    static TFigure* AddBar(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h, bool selected = false)
    {
        EXPECT_EQ(AppendFigure(TBarFigure{x, y, w, h, 0}), 0);
        FigureList.FigureTail->Flags = selected ? FigureFlag::Selected : 0;
        return FigureList.FigureTail;
    }

    // The drawing tool's dialog opened by a release: its tool and corners.
    struct Drawn {
        int tool;
        TPoint start, end;
    };
    void RecordDrawnFigures()
    {
        EditingHooks.DrawFigure = [this](std::uint8_t tool, TPoint start, TPoint end) {
            drawn.push_back({tool, start, end});
        };
    }
    std::vector<Drawn> drawn;

    static std::vector<bool> Selection()
    {
        std::vector<bool> selected;
        for (const TFigure* figure : Figures()) {
            selected.push_back(figure->IsSelected());
        }
        return selected;
    }

    static std::vector<std::pair<int, int>> BarPositions()
    {
        std::vector<std::pair<int, int>> positions;
        for (const TFigure* figure : Figures()) {
            positions.emplace_back(figure->Bar().X, figure->Bar().Y);
        }
        return positions;
    }

    void Press(QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(canvas, button, mods, p);
    }
    void Move(QPoint p) { QTest::mouseMove(canvas, p); }
    void Release(QPoint p, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseRelease(canvas, button, mods, p);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        Press(from, Qt::LeftButton, mods);
        Move((from + to) / 2);
        Move(to);
        Release(to, Qt::LeftButton, mods);
    }

    // Counts the label redraws from now on, keeping the window's own step.
    void CountRedraws()
    {
        redraws = 0;
        CanvasRedrawHook = [this, shown = CanvasRedrawHook] {
            ++redraws;
            shown();
        };
    }

    QRgb Shown(int x, int y) const { return canvas->Picture().pixel(x, y); }

    TLabelCanvas* canvas = nullptr;
    int redraws = 0;
};

using Sel = std::vector<bool>;
using Positions = std::vector<std::pair<int, int>>;

TEST_F(CanvasEditingTest, TheShownPictureIsTheCanvasImageItself)
{
    Start();
    for (QSize size : {QSize(300, 120), QSize(608, 400)}) {
        SCOPED_TRACE(size.width());
        LabelImage.Resize(size.width(), size.height());
        LabelImage.SetPixel(7, 5, Black);
        canvas->ShowImage(LabelImage);
        EXPECT_EQ(canvas->Picture().size(), size);
        EXPECT_EQ(canvas->size(), size);
        EXPECT_EQ(canvas->Picture().format(), QImage::Format_RGB32);
        EXPECT_EQ(Shown(7, 5), Black);
        canvas->Image().SetPixel(9, 6, Red);
        EXPECT_EQ(Shown(9, 6), Red);
        EXPECT_EQ(LabelImage.Pixel(9, 6), White);
    }
}

TEST_F(CanvasEditingTest, ClickOnASelectedFigureKeepsTheSelectionAndADragMovesItAll)
{
    Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20, true);
    AddBar(90, 10, 20, 20, true);
    AddBar(130, 10, 20, 20);
    RedrawLabel(RedrawEditor);
    CountRedraws();

    Press({55, 15});
    EXPECT_EQ(Selection(), (Sel{true, true, true, false}));
    Move({60, 20});
    Move({67, 24});
    // Until the release only the frames move, by (12, 9) so far.
    EXPECT_EQ(Shown(21, 35), Red);  // the moved frame's left side, below the black bar
    EXPECT_EQ(Shown(9, 9), White);
    EXPECT_EQ(redraws, 0);
    Release({67, 24});
    EXPECT_EQ(BarPositions(), (Positions{{22, 19}, {62, 19}, {102, 19}, {130, 10}}));
    EXPECT_EQ(Shown(21, 35), Red);  // the moved frame's left side, below the black bar  // frame at (X - 1, Y - 1)
    EXPECT_EQ(Shown(9, 9), White);
}

TEST_F(CanvasEditingTest, ShiftClickAddsTheFigureAndDoesNotDrag)
{
    Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20);
    RedrawLabel(RedrawEditor);

    Press({55, 15}, Qt::LeftButton, Qt::ShiftModifier);
    Move({80, 40});
    Release({80, 40}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (Sel{true, true}));
    EXPECT_EQ(BarPositions(), (Positions{{10, 10}, {50, 10}}));
}

TEST_F(CanvasEditingTest, ABandFromAnEmptyPlaceReplacesTheSelectionOrWithShiftAddsToIt)
{
    Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20);
    AddBar(90, 10, 20, 20);
    RedrawLabel(RedrawEditor);

    Drag({45, 60}, {75, 25});
    EXPECT_EQ(Selection(), (Sel{false, true, false}));
    Drag({120, 60}, {105, 25}, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (Sel{false, true, true}));
    // The band frame is gone: only the selection frames are red.
    EXPECT_EQ(Shown(120, 60), White);
    EXPECT_EQ(Shown(49, 9), Red);
}

TEST_F(CanvasEditingTest, TheBandFrameShowsWhileDraggingAndLeavesNoTrace)
{
    TZKedit& w = Start();
    w.MenuItem("MarginsM")->setChecked(false);
    AddBar(10, 10, 20, 20);
    RedrawLabel(RedrawEditor);
    const QImage before = canvas->Picture().copy();

    Press({150, 150});
    Move({200, 180});
    EXPECT_NE(canvas->Picture(), before);
    Move({220, 190});
    EXPECT_NE(canvas->Picture(), before);
    Release({220, 190});
    EXPECT_EQ(canvas->Picture(), before);
}

TEST_F(CanvasEditingTest, DraggingACornerHandleResizesABarAndKeepsItSelected)
{
    Start(20, 10);
    AddBar(30, 40, 40, 20, true);
    RedrawLabel(RedrawEditor);

    // The bottom-right corner, label (70, 60), is canvas (90, 70).
    Press({92, 71});
    Move({100, 75});
    Move({112, 83});
    Release({112, 83});
    const TBarFigure& bar = FigureList.FigureHead->Bar();
    EXPECT_EQ(bar.X, 30);
    EXPECT_EQ(bar.Y, 40);
    EXPECT_EQ(bar.Width, 60);
    EXPECT_EQ(bar.Height, 32);
    EXPECT_TRUE(FigureList.FigureHead->IsSelected());
}

TEST_F(CanvasEditingTest, EscDuringAResizeLeavesTheFigureAsItWas)
{
    TZKedit& w = Start();
    AddBar(30, 40, 40, 20, true);
    RedrawLabel(RedrawEditor);
    const QImage before = canvas->Picture().copy();

    Press({70, 60});
    Move({100, 90});
    QTest::keyClick(&w, Qt::Key_Escape);
    Move({120, 100});
    Release({120, 100});
    const TBarFigure& bar = FigureList.FigureHead->Bar();
    EXPECT_EQ((std::vector<int>{bar.X, bar.Y, bar.Width, bar.Height}), (std::vector<int>{30, 40, 40, 20}));
    EXPECT_TRUE(FigureList.FigureHead->IsSelected());
    EXPECT_EQ(canvas->Picture(), before);
}

TEST_F(CanvasEditingTest, RightClickEditsTheFigureUnderTheMouseWithoutSelectingIt)
{
    Start(10, 0);
    AddBar(10, 10, 20, 20);
    TFigure* second = AddBar(50, 10, 20, 20);
    RedrawLabel(RedrawEditor);
    std::vector<TFigure*> edited;
    EditingHooks.EditFigure = [&edited](TFigure& figure) { edited.push_back(&figure); };

    Press({65, 15}, Qt::RightButton);
    Release({65, 15}, Qt::RightButton);
    Press({200, 150}, Qt::RightButton);
    Release({200, 150}, Qt::RightButton);
    EXPECT_EQ(edited, std::vector<TFigure*>{second});
    EXPECT_EQ(Selection(), (Sel{false, false}));
}

TEST_F(CanvasEditingTest, ADrawingDragReachesTheToolsDialogInLabelDotsAndShowsItsRectangle)
{
    TZKedit& w = Start(20, 10);
    RecordDrawnFigures();
    const QImage before = canvas->Picture().copy();

    w.MenuItem("RectangleM")->trigger();
    Press({40, 30});
    Move({70, 50});
    EXPECT_EQ(Shown(70, 40), Red);  // the XOR rectangle's right edge
    Move({90, 60});
    EXPECT_EQ(Shown(70, 40), before.pixel(70, 40));
    Release({90, 60});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].tool, 2);
    EXPECT_EQ(drawn[0].start, (TPoint{20, 20}));
    EXPECT_EQ(drawn[0].end, (TPoint{70, 50}));
    EXPECT_EQ(canvas->Picture(), before);
    EXPECT_EQ(DrawingTool, SelectionTool);
    EXPECT_EQ(canvas->cursor().shape(), Qt::CrossCursor);
}

// The tool's dialog runs inside the release: while it is up the screen
// shows the canvas without the drag's rectangle, already taken off.
TEST_F(CanvasEditingTest, TheDragsRectangleIsOffTheScreenWhileTheToolsDialogRuns)
{
    TZKedit& w = Start();
    const QPoint edge = canvas->mapTo(&w, QPoint(70, 40));  // on the rectangle's right edge
    const auto onScreen = [&w, edge] { return w.screen()->grabWindow(w.winId()).toImage().pixel(edge); };
    const QRgb before = onScreen();
    QRgb whileDialogRuns = before;
    EditingHooks.DrawFigure = [&](std::uint8_t, TPoint, TPoint) {
        // What a modal dialog's event loop does first.
        QCoreApplication::processEvents();
        whileDialogRuns = onScreen();
    };

    w.MenuItem("RectangleM")->trigger();
    Press({40, 30});
    Move({70, 50});
    QCoreApplication::processEvents();
    ASSERT_NE(onScreen(), before);  // the drag shows its rectangle
    Release({70, 50});
    EXPECT_EQ(whileDialogRuns, before);
}

TEST_F(CanvasEditingTest, EveryReleaseWithADrawingToolChosenOpensItsDialog)
{
    TZKedit& w = Start(20, 10);
    RecordDrawnFigures();
    RedrawLabel(RedrawEditor);  // with the margins set above
    const QImage before = canvas->Picture().copy();

    Press({100, 100});
    w.MenuItem("BoxM")->trigger();  // chosen while the button is down
    Release({120, 120});
    // A right click with a tool chosen: the press edits nothing here and
    // starts no drag; the release makes the figure where it happens.
    w.MenuItem("TextM")->trigger();
    Press({60, 70}, Qt::RightButton);
    Release({60, 70}, Qt::RightButton);

    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].tool, 4);
    EXPECT_EQ(drawn[0].start, (TPoint{100, 110}));
    EXPECT_EQ(drawn[0].end, (TPoint{100, 110}));
    EXPECT_EQ(drawn[1].tool, 0);
    EXPECT_EQ(drawn[1].start, (TPoint{40, 60}));
    EXPECT_EQ(drawn[1].end, (TPoint{40, 60}));
    EXPECT_EQ(DrawingTool, SelectionTool);
    EXPECT_EQ(canvas->Picture(), before);
}

class EditMenuTest : public CanvasEditingTest {};

TEST_F(EditMenuTest, SelectAllFramesEveryFigureAndUnselectAllClearsThem)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20);
    AddBar(50, 10, 20, 20);
    RedrawLabel(RedrawEditor);

    w.MenuItem("SelectAllM")->trigger();
    EXPECT_EQ(Selection(), (Sel{true, true}));
    EXPECT_EQ(Shown(9, 9), Red);
    EXPECT_EQ(Shown(49, 30), Red);
    w.MenuItem("UnselectM")->trigger();
    EXPECT_EQ(Selection(), (Sel{false, false}));
    EXPECT_EQ(Shown(9, 9), White);
}

TEST_F(EditMenuTest, CopyMarksTheSelectionAndPutsTheLabelOnTheClipboard)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20);
    RedrawLabel(RedrawEditor);
    LabelImage.FillRect(10, 10, 20, 20, Black);  // the drawn bar
    QApplication::clipboard()->clear();

    w.MenuItem("CopyM")->trigger();
    EXPECT_EQ(FigureList.FigureHead->PasteMark, 1);
    EXPECT_EQ(FigureList.FigureTail->PasteMark, 0);
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(LabelSetup.LabelWidth, LabelSetup.LabelLength));
    EXPECT_EQ(copied.pixel(15, 15), Black);
    EXPECT_EQ(copied.pixel(9, 9), White);  // the label, not the canvas with its frames
}

TEST_F(EditMenuTest, PastingTwiceLeavesTwoCopiesAndMovesTheOriginal48Dots)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20, true);
    RedrawLabel(RedrawEditor);

    w.MenuItem("CopyM")->trigger();
    w.MenuItem("PasteM")->trigger();
    w.MenuItem("PasteM")->trigger();
    EXPECT_EQ(BarPositions(), (Positions{{34, 34}, {10, 10}, {58, 58}}));
    EXPECT_EQ(Selection(), (Sel{false, false, true}));
    EXPECT_EQ(Shown(57, 57), Red);
    EXPECT_EQ(Shown(33, 33), White);
}

// 260 bars, Select All, Copy, Paste would make 520 figures, more than a
// label can save: Paste refuses and names the limit, and File > Open Label
// still opens the browser.
TEST_F(EditMenuTest, PasteNeverBuildsALabelThatCanNotBeSavedOrOpenedFrom)
{
    TZKedit& w = Start();
    for (std::int16_t i = 0; i < 260; ++i) {
        AddBar(static_cast<std::int16_t>(i % 20 * 20), static_cast<std::int16_t>(i / 20 * 20), 10, 10);
    }
    RedrawLabel(RedrawEditor);

    w.MenuItem("SelectAllM")->trigger();
    w.MenuItem("CopyM")->trigger();
    w.MenuItem("PasteM")->trigger();
    EXPECT_EQ(CountFigures(), 260u);
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");

    ui.messageBoxes.clear();
    w.MenuItem("LoadLabelM")->trigger();
    EXPECT_EQ(ui.openLabelBrowserCalls, 1);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(CountFigures(), 260u);
}

TEST_F(EditMenuTest, DeleteAsksAndYesRemovesTheSelectedFigures)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20);
    AddBar(90, 10, 20, 20, true);
    RedrawLabel(RedrawEditor);

    ui.answers = {0};
    w.MenuItem("DeleteM")->trigger();
    EXPECT_EQ(CountFigures(), 3u);
    ui.answers = {1};
    w.MenuItem("DeleteM")->trigger();
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const auto& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "Delete 2 objects");
        EXPECT_EQ(box.text, "Are you sure ?");
        EXPECT_TRUE(box.yesNo);
    }
    EXPECT_EQ(BarPositions(), (Positions{{50, 10}}));
    EXPECT_EQ(Shown(9, 9), White);  // their frames went with them
}

TEST_F(EditMenuTest, CommandsThatNeedASelectionSayWhatIsWrong)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20);
    AddBar(50, 10, 20, 20);
    RedrawLabel(RedrawEditor);

    const struct {
        const char* item;
        Sel selection;
        const char* message;
    } rows[] = {
        {"DeleteM", {false, false}, "Nothing is selected"},
        {"MovetoTopM", {false, false}, "Nothing is selected"},
        {"MovetoBottomM", {true, true}, "Too many objects selected"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.item);
        ui.messageBoxes.clear();
        FigureList.FigureHead->Flags = row.selection[0] ? FigureFlag::Selected : 0;
        FigureList.FigureTail->Flags = row.selection[1] ? FigureFlag::Selected : 0;
        w.MenuItem(row.item)->trigger();
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
        EXPECT_EQ(ui.messageBoxes[0].text, row.message);
        EXPECT_EQ(CountFigures(), 2u);
    }
}

TEST_F(EditMenuTest, MoveToTopAndBottomReorderTheSingleSelectedFigure)
{
    TZKedit& w = Start();
    AddBar(10, 10, 20, 20, true);
    AddBar(50, 10, 20, 20);
    AddBar(90, 10, 20, 20);
    RedrawLabel(RedrawEditor);

    w.MenuItem("MovetoTopM")->trigger();
    EXPECT_EQ(BarPositions(), (Positions{{50, 10}, {90, 10}, {10, 10}}));
    w.MenuItem("MovetoBottomM")->trigger();
    EXPECT_EQ(BarPositions(), (Positions{{10, 10}, {50, 10}, {90, 10}}));
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(EditMenuTest, SelectionItemsAreEnabled)
{
    TZKedit& w = Start();
    for (const char* name :
         {"SelectAllM", "UnselectM", "CopyM", "PasteM", "DeleteM", "MovetoTopM", "MovetoBottomM"}) {
        EXPECT_TRUE(w.MenuItem(name)->isEnabled()) << name;
    }
}

}  // namespace
}  // namespace zk
