#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "ui/window_geometry.h"

namespace zk {

namespace {

// The screen the window would mostly land on; off every screen, the one
// it is on now.
const QScreen* TargetScreen(const QWidget& window, QRect frame)
{
    if (const QScreen* screen = QGuiApplication::screenAt(frame.center())) {
        return screen;
    }
    if (const QScreen* screen = window.screen()) {
        return screen;
    }
    return QGuiApplication::primaryScreen();
}

}  // namespace

void MoveOnScreen(QWidget& window, QPoint topLeft, QSize frame)
{
    const QScreen* screen = TargetScreen(window, QRect(topLeft, frame));
    window.move(screen != nullptr ? KeepInside(topLeft, frame, screen->availableGeometry()) : topLeft);
}

void MoveOnScreen(QWidget& window, QPoint topLeft)
{
    MoveOnScreen(window, topLeft, window.frameGeometry().size());
}

void MoveOnScreenClearOf(QWidget& window, QPoint topLeft, std::span<const QRect> inSight, int step)
{
    const QSize frame = window.frameGeometry().size();
    const QScreen* screen = TargetScreen(window, QRect(topLeft, frame));
    window.move(screen != nullptr ? KeepInsideClearOf(topLeft, frame, screen->availableGeometry(), inSight, step)
                                  : topLeft);
}

}  // namespace zk
