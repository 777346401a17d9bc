#pragma once
// The order of the program's windows, kept by the program itself: without
// a window manager nothing else raises a window. From the bottom: the main
// window, its toolbar, the modeless windows left open (the label setup),
// the running modal dialogs (each above the one it was opened over), and on
// top the message boxes (the busy window, error boxes, questions), which
// stay above windows shown later.

#include <QObject>

class QWidget;

namespace zk {

// Raises the visible message boxes, the one that takes input now last.
void RaiseMessageBoxes();

// Raises the main window and what belongs above it, in the order above;
// other windows keep their places.
void RestackWindows(QWidget& mainWindow, QWidget* toolbar);

// The window that should have the keys now: the running modal dialog,
// else a message box on screen, else none.
QWidget* WindowForKeys();

// Raises the message boxes again whenever another window of the program
// shows, so a window opened later never covers them.
class TMessageBoxesOnTop : public QObject {
public:
    // Watches every window of the program; a child of owner.
    explicit TMessageBoxesOnTop(QObject& owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zk
