#include "ui/focus_hand_back.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace zk {

namespace {

// A window that can take the focus in closed's place.
bool CanTakeFocus(const QWidget* window, const QWidget& closed)
{
    return window != nullptr && window != &closed && window->isVisible();
}

}  // namespace

TFocusHandBack::TFocusHandBack(QWidget& mainWindow) : QObject(&mainWindow), m_mainWindow(mainWindow)
{
    QApplication::instance()->installEventFilter(this);
}

bool TFocusHandBack::eventFilter(QObject* watched, QEvent* event)
{
    // Only a window the program hides while it has the focus (the window
    // system's view: QApplication forgets its active window before the
    // Hide event); a window the window system hides (minimised) is the
    // window system's business.
    if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType()) {
        auto* closed = static_cast<QWidget*>(watched);
        if (closed->isWindow() && closed->windowHandle() != nullptr &&
            closed->windowHandle() == QGuiApplication::focusWindow()) {
            if (QWidget* next = NextWindow(*closed)) {
                next->activateWindow();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget* TFocusHandBack::NextWindow(const QWidget& closed) const
{
    // A closed modal window has already left the list of running ones.
    if (QWidget* modal = QApplication::activeModalWidget(); CanTakeFocus(modal, closed)) {
        return modal;
    }
    if (const QWidget* owner = closed.parentWidget(); owner != nullptr && CanTakeFocus(owner->window(), closed)) {
        return owner->window();
    }
    return CanTakeFocus(&m_mainWindow, closed) ? &m_mainWindow : nullptr;
}

}  // namespace zk
