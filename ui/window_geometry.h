#pragma once
// Where the main window, its dialogs, its toolbar and its canvas go. Plain
// arithmetic over screen and client coordinates, kept apart from the widgets
// so each rule can be checked on its own.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <span>

namespace zk {

// The first window: three quarters of the desktop, an eighth in from its
// top-left corner.
QRect InitialWindowGeometry(QSize desktop);

// A dialog's top-left corner. origin is the screen position of the main
// window's client (0, 0). x = -1 centres the dialog horizontally and puts it
// a quarter of the free height down, or 24 in from the origin on an axis
// where less than 24 is free; any other x places it at (x, y) of the
// scrolled client area.
QPoint DialogPosition(QPoint origin, QSize client, QSize dialog, int x, int y, QPoint scroll);

// The floating toolbar's top-left corner. clientTopRight is the screen
// position of the main window's client point (client width, 0). Docked at
// the left (toolbarPos 1) it stands outside the main window when there is
// room, else inside at the right edge as when floating.
QPoint ToolbarPosition(int mainWindowLeft, QPoint clientTopRight, int toolbarWidth, int toolbarPos);

// The toolbar's client size for a status line of the given height.
QSize ToolbarClientSize(int statusLineHeight);

// Where the canvas sits in the client area: right of a toolbar docked
// inside the left edge, else 4 in from the corner.
QPoint LabelCanvasPosition(int mainWindowLeft, int toolbarPos);

// Where a window whose frame has that size and would open at topLeft
// opens instead to lie wholly inside area: moved in as little as it takes,
// and to area's left or top edge where it is larger than area.
QPoint KeepInside(QPoint topLeft, QSize frame, QRect area);

// The same for a window that opens over others: it covers none of the
// rectangles in sight (what the windows below it must keep showing). Where
// the kept-inside place covers one, the window moves a whole number of
// steps down or up, the nearest place first, each kept inside area; the
// kept-inside place when no step clears them all.
QPoint KeepInsideClearOf(QPoint topLeft, QSize frame, QRect area, std::span<const QRect> inSight, int step);

// The smallest client area the main window keeps.
inline constexpr QSize MinimumClientSize{400, 300};

}  // namespace zk
