#pragma once
// Moving the program's windows where they open, kept wholly on the screen:
// a window placed against a scrolled label or a window near the screen's
// edge would otherwise open partly or wholly out of sight.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <span>

class QWidget;

namespace zk {

// Moves window so that its frame, of the given size, stands at topLeft, or
// as near to it as the available area of the screen it lands on allows.
void MoveOnScreen(QWidget& window, QPoint topLeft, QSize frame);
// The same with the frame size the window has now.
void MoveOnScreen(QWidget& window, QPoint topLeft);
// The same for a window that opens over others (KeepInsideClearOf): it
// covers none of inSight, stepping down or up by step where it would.
void MoveOnScreenClearOf(QWidget& window, QPoint topLeft, std::span<const QRect> inSight, int step);

}  // namespace zk
