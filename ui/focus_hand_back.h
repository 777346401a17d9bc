#pragma once
// Hands the keyboard focus on when the program closes the window that has
// it. A window manager does this on a desktop; without one the X server
// gives the focus to no window at all, and the main window's shortcuts stay
// dead until the user clicks somewhere. The focus goes where a window
// manager would put it: to the modal window still running, else to a
// message box still on screen, else to the closed window's owner, else to
// the main window.

#include <QObject>
#include <QPointer>

class QWidget;

namespace zk {

class TFocusHandBack : public QObject {
public:
    // Watches every window of the program; a child of mainWindow, which
    // takes the focus when no other window is there to take it.
    explicit TFocusHandBack(QWidget& mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Gives the focus to the window that should have it now.
    void HandBack();
    QWidget* NextWindow() const;

    QWidget& m_mainWindow;
    // The owner of the window closed last, while a hand-back is pending.
    QPointer<QWidget> m_owner;
    // A window shown while a hand-back is pending: it keeps the keys.
    QPointer<QWidget> m_shownSince;
    bool m_pending = false;
};

}  // namespace zk
