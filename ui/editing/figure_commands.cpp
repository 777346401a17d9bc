#include "ui/editing/figure_commands.h"

#include <string>
#include <type_traits>
#include <variant>

#include "engine/labelfile/figure_room.h"
#include "engine/model/figure_list.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/saturate.h"

namespace zk {

namespace {

// How far each paste moves the marked figures, right and down.
constexpr std::int32_t PasteStep = 24;

bool Editable(const TFigure& figure)
{
    return !figure.Is(TFigureKind::Font);
}

void Shift(std::int16_t& value, std::int32_t delta)
{
    value = SaturateI16(std::int64_t{value} + delta);
}

void MoveFigure(TFigure& figure, std::int32_t dx, std::int32_t dy)
{
    std::visit(
        [dx, dy](auto& payload) {
            using Payload = std::decay_t<decltype(payload)>;
            if constexpr (std::is_same_v<Payload, TLineFigure> || std::is_same_v<Payload, TBoxFigure>) {
                Shift(payload.X1, dx);
                Shift(payload.Y1, dy);
                Shift(payload.X2, dx);
                Shift(payload.Y2, dy);
            } else if constexpr (!std::is_same_v<Payload, TSoftFontFigure>) {
                Shift(payload.X, dx);
                Shift(payload.Y, dy);
            }
        },
        figure.Payload);
}

int CountSelected()
{
    int count = 0;
    for (const TFigure* figure : Figures()) {
        if (figure->IsSelected() && Editable(*figure)) {
            ++count;
        }
    }
    return count;
}

TFigure* FirstSelected()
{
    for (TFigure* figure : Figures()) {
        if (figure->IsSelected() && Editable(*figure)) {
            return figure;
        }
    }
    return nullptr;
}

void ReportNothingSelected()
{
    ShowMessageBox("Error", "Nothing is selected");
}

}  // namespace

void MoveSelected(std::int32_t dx, std::int32_t dy)
{
    for (TFigure* figure : Figures()) {
        if (figure->IsSelected() && Editable(*figure)) {
            MoveFigure(*figure, dx, dy);
        }
    }
}

bool MarkFiguresForPaste()
{
    bool any = false;
    for (TFigure* figure : Figures()) {
        if (Editable(*figure)) {
            figure->PasteMark = figure->IsSelected() ? 1 : 0;
            any = true;
        }
    }
    return any;
}

void PasteFigures()
{
    std::size_t marked = 0;
    for (const TFigure* figure : Figures()) {
        if (figure->PasteMark != 0 && Editable(*figure)) {
            ++marked;
        }
    }
    // All the copies or none, so that a paste never leaves half of them.
    if (!CheckRoomForFigures(marked)) {
        return;
    }
    for (TFigure* figure : Figures()) {
        if (figure->PasteMark == 0 || !Editable(*figure)) {
            continue;
        }
        // The copy is linked before the head, behind the walk, so it is not
        // visited again. It comes unselected and unmarked.
        if (InsertFigureAtHead(figure->Payload) != 0) {
            continue;
        }
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Data) {
            ++figure->Picture().Data->RefCount;
        }
        MoveFigure(*figure, PasteStep, PasteStep);
    }
    RedrawLabel(RedrawEditor);
}

void DeleteSelected()
{
    const int count = CountSelected();
    if (count == 0) {
        ReportNothingSelected();
        return;
    }
    const std::string caption = "Delete " + std::to_string(count) + " objects";
    if (ShowMessageBox(caption, "Are you sure ?", true) != 1) {
        return;
    }
    for (TFigure* figure : Figures()) {
        if (figure->IsSelected() && Editable(*figure)) {
            DeleteFigure(figure);
        }
    }
    RedrawLabel(RedrawEditor);
    if (EditingHooks.FillFontList) {
        EditingHooks.FillFontList();
    }
}

bool CheckSingleSelection()
{
    const int count = CountSelected();
    if (count == 0) {
        ReportNothingSelected();
        return false;
    }
    if (count > 1) {
        ShowMessageBox("Error", "Too many objects selected");
        return false;
    }
    return true;
}

void MoveSelectedToTop()
{
    if (!CheckSingleSelection()) {
        return;
    }
    TFigure* figure = FirstSelected();
    if (figure == FigureList.FigureTail) {
        return;
    }
    UnlinkFigure(figure);
    LinkFigureAtTail(figure);
    RedrawLabel(RedrawEditor);
}

void MoveSelectedToBottom()
{
    if (!CheckSingleSelection()) {
        return;
    }
    TFigure* figure = FirstSelected();
    if (figure == FigureList.FigureHead) {
        return;
    }
    UnlinkFigure(figure);
    LinkFigureAtHead(figure);
    RedrawLabel(RedrawEditor);
}

}  // namespace zk
