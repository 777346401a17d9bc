#include "ui/focus_hand_back.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "ui/window_stacking.h"

namespace zk {

namespace {

// A window that becomes the active window when it shows: not a tool
// window, a popup or a window shown without activation.
bool TakesTheKeysWhenShown(const QWidget& window)
{
    const Qt::WindowType type = window.windowType();
    return type != Qt::Tool && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen &&
           !window.testAttribute(Qt::WA_ShowWithoutActivating);
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
            const QWidget* owner = closed->parentWidget();
            m_owner = owner != nullptr ? owner->window() : nullptr;
            // Handed on once the closing is over: Qt activates the closed
            // window's transient parent itself, and a window closed right
            // after (the list a box was asked from) would take the focus
            // along with it.
            if (!m_pending) {
                m_pending = true;
                m_shownSince = nullptr;
                QTimer::singleShot(0, this, &TFocusHandBack::HandBack);
            }
        }
    } else if (event->type() == QEvent::Show && m_pending && watched->isWidgetType()) {
        auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && TakesTheKeysWhenShown(*shown)) {
            m_shownSince = shown;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFocusHandBack::HandBack()
{
    m_pending = false;
    if (QWidget* next = NextWindow()) {
        next->activateWindow();
    }
    m_owner = nullptr;
    m_shownSince = nullptr;
}

QWidget* TFocusHandBack::NextWindow() const
{
    if (QWidget* window = WindowForKeys()) {
        return window;
    }
    // A window the program showed as the other one closed takes the keys
    // itself; handing them to the owner would take them away from it.
    if (m_shownSince != nullptr && m_shownSince->isVisible()) {
        return nullptr;
    }
    if (m_owner != nullptr && m_owner->isVisible()) {
        return m_owner;
    }
    return m_mainWindow.isVisible() ? &m_mainWindow : nullptr;
}

}  // namespace zk
