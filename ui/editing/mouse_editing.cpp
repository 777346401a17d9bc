#include "ui/editing/mouse_editing.h"

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/figure_commands.h"
#include "ui/editing/resize.h"
#include "ui/editing/selection.h"
#include "ui/editing/xor_drawing.h"

namespace zk {

namespace {

bool IsDrawingTool(std::uint8_t tool)
{
    return tool <= 5 || tool == 7;
}

// Tools whose drag shows a rectangle (bar, box, PDF417) or a line.
bool ShowsRect(std::uint8_t tool)
{
    return tool == 2 || tool == 4 || tool == 7;
}
bool ShowsLine(std::uint8_t tool)
{
    return tool == 3;
}

// A drag that has not left its press point shows nothing: the first move
// then has nothing to erase.
void DrawToolFeedback()
{
    TLabelImage* label = EditingHooks.Label;
    const TEditorState& s = EditorState;
    if (label == nullptr || s.DragStart == s.DragCurrent) {
        return;
    }
    if (ShowsRect(s.DrawingTool)) {
        DrawXorRect(*label, s.DragStart.x, s.DragStart.y, s.DragCurrent.x, s.DragCurrent.y);
    } else if (ShowsLine(s.DrawingTool)) {
        DrawXorLine(*label, s.DragStart.x, s.DragStart.y, s.DragCurrent.x, s.DragCurrent.y);
    }
}

void DrawBand()
{
    if (EditingHooks.Label != nullptr && EditorState.BandAnchor != EditorState.LastPoint) {
        const TEditorState& s = EditorState;
        DrawBandFrame(*EditingHooks.Label, s.BandAnchor.x, s.BandAnchor.y, s.LastPoint.x, s.LastPoint.y);
    }
}

void DrawResize()
{
    if (EditingHooks.Label != nullptr) {
        DrawResizeFrame(*EditingHooks.Label);
    }
}

void StartResize(std::int32_t x, std::int32_t y)
{
    TFigure* figure = FindFigure(EditorState.ResizeFigure);
    EditorState.CancelResize = 0;
    EditorState.ResizeWasSelected = figure->IsSelected() ? 1 : 0;
    figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::Selected);
    if (EditorState.ResizeWasSelected) {
        DrawSelectionFrames(true);
    }
    DrawResize();
    EditorState.LastPoint = {x, y};
}

void PressLeft(bool shift, std::int32_t x, std::int32_t y)
{
    TEditorState& s = EditorState;
    if (IsDrawingTool(s.DrawingTool)) {
        s.Drawing = 1;
        s.DragStart = s.DragCurrent = {x, y};
        return;
    }
    if (s.DrawingTool != SelectionTool) {
        return;
    }
    if (shift) {
        ClickSelect(x, y, true);
    } else {
        FindResizeHandle(x, y);
        if (s.ResizeHandle != 0) {
            StartResize(x, y);
            return;
        }
        ClickSelect(x, y, false);
        s.Moving = 1;
        s.LastPoint = {x, y};
    }
    if (s.HitCount == 0) {
        s.RubberBand = 1;
        s.Moving = 0;
        s.BandAnchor = s.LastPoint = {x, y};
    }
}

}  // namespace

void EditorMouseDown(TMouseButton button, bool shift, std::int32_t x, std::int32_t y)
{
    if (button == TMouseButton::Right) {
        EditorState.CancelResize = 1;
        EditFigureAt(x, y);
    } else if (button == TMouseButton::Left) {
        PressLeft(shift, x, y);
    }
}

void EditorMouseMove(std::int32_t x, std::int32_t y)
{
    TEditorState& s = EditorState;
    if (s.Drawing) {
        DrawToolFeedback();
        s.DragCurrent = {x, y};
        DrawToolFeedback();
    } else if (s.Moving) {
        DrawSelectionFrames(false);
        MoveSelected(x - s.LastPoint.x, y - s.LastPoint.y);
        s.LastPoint = {x, y};
        DrawSelectionFrames(false);
    } else if (s.RubberBand) {
        DrawBand();
        s.LastPoint = {x, y};
        DrawBand();
    } else if (s.ResizeHandle != 0) {
        // A figure gone with its label takes its frame along: the canvas
        // shows the new label, there is nothing to erase or resize.
        if (FindFigure(s.ResizeFigure) == nullptr) {
            EndMouseOperation();
            return;
        }
        DrawResize();
        MoveResizeHandle(x - s.LastPoint.x, y - s.LastPoint.y);
        s.LastPoint = {x, y};
        DrawResize();
    }
}

void EditorMouseUp(std::int32_t x, std::int32_t y)
{
    TEditorState& s = EditorState;
    s.DragEnd = {x, y};
    if (s.Moving) {
        s.Moving = 0;
        RedrawLabel(RedrawEditor);
    } else if (s.RubberBand) {
        s.RubberBand = 0;
        DrawBand();
        s.BandRect = TEditRect{s.BandAnchor.x, s.BandAnchor.y, s.LastPoint.x, s.LastPoint.y}.Normalised();
        SelectInBand();
    } else if (s.ResizeHandle != 0 && FindFigure(s.ResizeFigure) != nullptr) {
        DrawResize();
        EndResize();
    }
    s.Moving = 0;
    s.RubberBand = 0;
    s.ResizeHandle = 0;
    s.ResizeFigure = 0;

    // Every release with a drawing tool chosen opens the tool's dialog. When
    // no drawing drag started (a right press edits and starts none, a tool
    // chosen with the button already down found none), the figure is made at
    // the release point and no feedback is left to erase.
    if (IsDrawingTool(s.DrawingTool)) {
        if (!s.Drawing) {
            s.DragStart = s.DragCurrent = s.DragEnd;
        }
        DrawToolFeedback();
        const TPoint origin{LabelSetup.LeftMargin, LabelSetup.TopMargin};
        const TPoint start{s.DragStart.x - origin.x, s.DragStart.y - origin.y};
        const TPoint end{s.DragEnd.x - origin.x, s.DragEnd.y - origin.y};
        if (EditingHooks.DrawFigure) {
            EditingHooks.DrawFigure(s.DrawingTool, start, end);
        }
    }
    s.DrawingTool = SelectionTool;
    s.Drawing = 0;
}

bool MouseOperationInProgress()
{
    const TEditorState& s = EditorState;
    return s.Drawing != 0 || s.Moving != 0 || s.RubberBand != 0 || s.ResizeHandle != 0;
}

void EndMouseOperation()
{
    TEditorState& s = EditorState;
    s.Drawing = 0;
    s.Moving = 0;
    s.RubberBand = 0;
    s.ResizeHandle = 0;
    s.ResizeFigure = 0;
    s.DrawingTool = SelectionTool;
}

void EditFigureAt(std::int32_t x, std::int32_t y)
{
    for (TFigure* figure : Figures()) {
        figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::HitMark);
    }
    HitTestFigures(x, y);
    for (TFigure* figure : Figures()) {
        if ((figure->Flags & FigureFlag::HitMark) != 0 && !figure->Is(TFigureKind::Font)) {
            if (EditingHooks.EditFigure) {
                EditingHooks.EditFigure(*figure);
            }
            return;
        }
    }
}

}  // namespace zk
