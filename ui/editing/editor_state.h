#pragma once
// The state of the mouse editing on the label canvas: what drag is under
// way, where it started and what it works on. Plain data of the editor; the
// engine never reads it. Positions are canvas pixels unless a field says
// label dots (a pixel shows dot pixel - reference point).

#include <cstdint>
#include <functional>

#include "engine/model/figures.h"

namespace zk {

class TLabelImage;

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Edges included; normalised (Left <= Right, Top <= Bottom) where a rule
// says so.
struct TEditRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const TEditRect&, const TEditRect&) = default;

    TEditRect Normalised() const;
    TEditRect Offset(std::int32_t dx, std::int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    bool Contains(TPoint p) const { return p.x >= Left && p.x <= Right && p.y >= Top && p.y <= Bottom; }
};

// The geometry of the figure being resized, in label dots.
struct TResizeRect {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    friend bool operator==(const TResizeRect&, const TResizeRect&) = default;
};

// The drawing tool that selects instead of drawing a figure kind.
inline constexpr std::uint8_t SelectionTool = 8;

struct TEditorState {
    std::uint8_t DrawingTool = SelectionTool;  // 0..5, 7 = figure kind to draw
    std::uint8_t Drawing = 0;
    std::uint8_t Moving = 0;
    std::uint8_t RubberBand = 0;
    std::int32_t ResizeHandle = 0;  // 0 none, 1..8 the handle being dragged
    // Set by Esc and by every right press, cleared when a resize starts: a
    // resize released while it is set changes nothing.
    std::uint8_t CancelResize = 0;
    TPoint DragStart;
    TPoint DragCurrent;
    TPoint DragEnd;
    TPoint LastPoint;
    TPoint BandAnchor;
    TEditRect BandRect;
    // The figure being resized, 0 for none. An id, not an address: the drag
    // spans turns of the event loop, in which the label may be replaced.
    TFigureId ResizeFigure = 0;
    TResizeRect ResizeRect;
    std::uint8_t ResizeWasSelected = 0;
    std::int32_t HitCount = 0;  // figures marked by the last hit test
};

extern TEditorState EditorState;

// What the editing operations need from the main window. Unset members do
// nothing, so the operations also run without a window.
struct TEditingHooks {
    // The on-screen label image that frames and drag feedback are drawn on.
    TLabelImage* Label = nullptr;
    // Copies the off-screen label image onto Label and adds the grid dots
    // and margin lines.
    std::function<void()> RefreshCanvas;
    // Refills the text dialog's font list after figures went away.
    std::function<void()> FillFontList;
    // Runs the edit dialog of an existing figure (right click).
    std::function<void(TFigure& figure)> EditFigure;
    // Runs the dialog of the drawing tool for a figure dragged from start
    // to end, in label dots.
    std::function<void(std::uint8_t tool, TPoint start, TPoint end)> DrawFigure;
};

extern TEditingHooks EditingHooks;

// Program-start values of the editing state and no hooks.
void ResetEditorState();

}  // namespace zk
