// The main window's side of the mouse editing: the canvas's mouse events
// and the Edit menu's selection commands, run by the editing layer on the
// visible canvas image.

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>

#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "ui/canvas_layer.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/figure_commands.h"
#include "ui/editing/mouse_editing.h"
#include "ui/editing/selection.h"
#include "ui/editor_globals.h"
#include "ui/editor_hooks.h"
#include "ui/label_canvas.h"
#include "ui/main_window.h"

namespace zk {

namespace {

TMouseButton EditorButton(Qt::MouseButton button)
{
    switch (button) {
        case Qt::LeftButton: return TMouseButton::Left;
        case Qt::RightButton: return TMouseButton::Right;
        default: return TMouseButton::Middle;
    }
}

QPoint CanvasPoint(const QMouseEvent* event)
{
    return event->position().toPoint();
}

}  // namespace

void TZKedit::ConnectCanvasEditing()
{
    EditingHooks.Label = &m_label->Image();
    EditingHooks.RefreshCanvas = [this] { RefreshCanvas(); };
    if (!EditorHooks.CancelResize) {
        EditorHooks.CancelResize = [] { EditorState.CancelResize = 1; };
    }
}

void TZKedit::LabelMouseDown(QMouseEvent* event)
{
    const QPoint p = CanvasPoint(event);
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const TMouseButton button = EditorButton(event->button());
    EditorMouseDown(button, shift, p.x(), p.y());
    if (button == TMouseButton::Left) {
        SetSelectionCursors();
    }
    m_label->update();
}

void TZKedit::LabelMouseMove(QMouseEvent* event)
{
    // A drag whose release went to a modal window that opened meanwhile
    // ends here, as the release would have ended it.
    if (MouseOperationInProgress() && (event->buttons() & Qt::LeftButton) == 0) {
        LabelMouseUp(event);
        return;
    }
    const QPoint p = CanvasPoint(event);
    EditorMouseMove(p.x(), p.y());
    m_label->update();
    ShowCursorPosition(p.x(), p.y());
}

void TZKedit::LabelMouseUp(QMouseEvent* event)
{
    const QPoint p = CanvasPoint(event);
    EditorMouseUp(p.x(), p.y());
    SetSelectionCursors();
    m_label->update();
}

void TZKedit::SelectAllMClick()
{
    SelectAllFigures();
    m_label->update();
}

void TZKedit::UnselectMClick()
{
    UnselectAll();
    m_label->update();
}

// The selected figures are marked for Paste; the label as drawn goes to the
// clipboard as a picture for other programs.
void TZKedit::CopyMClick()
{
    if (MarkFiguresForPaste()) {
        QApplication::clipboard()->setImage(BackLabel().copy());
    }
}

void TZKedit::PasteMClick()
{
    PasteFigures();
}

void TZKedit::DeleteMClick()
{
    DeleteSelected();
}

void TZKedit::MovetoTopMClick()
{
    MoveSelectedToTop();
}

void TZKedit::MovetoBottomMClick()
{
    MoveSelectedToBottom();
}

}  // namespace zk
