#pragma once
// Which window the X server sends the keys to. Without a window manager
// nothing but the program moves the input focus.

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>

namespace zk::test {

// The window holding the input focus as the server sees it now.
inline xcb_window_t InputFocus()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    xcb_window_t focus = XCB_NONE;
    if (reply != nullptr) {
        focus = reply->focus;
        std::free(reply);
    }
    return focus;
}

// Waits (letting events run) until the keys go to window's top level: the
// server sends them there and the program has taken note of it.
inline bool KeysGoTo(const QWidget& window)
{
    return QTest::qWaitFor(
        [&window] {
            return InputFocus() == static_cast<xcb_window_t>(window.winId()) &&
                   QGuiApplication::focusWindow() == window.windowHandle();
        },
        2000);
}

}  // namespace zk::test
