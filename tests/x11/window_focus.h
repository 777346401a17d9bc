#pragma once
// Which window the X server sends the keys to. Without a window manager
// nothing but the program moves the input focus.

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/uio.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdint>
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

namespace detail {

inline xcb_connection_t* X11Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The key code the server's keyboard map gives the key symbol, or 0.
inline xcb_keycode_t KeyCodeOf(xcb_keysym_t keysym)
{
    xcb_connection_t* connection = X11Connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
    xcb_keycode_t found = 0;
    if (map != nullptr) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int i = 0; i < count * map->keysyms_per_keycode && found == 0; ++i) {
            if (syms[i] == keysym) {
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / map->keysyms_per_keycode);
            }
        }
        std::free(map);
    }
    return found;
}

// One FakeInput request of the XTEST extension: a key event the server
// handles as if it came from its keyboard.
inline void FakeKeyEvent(std::uint8_t type, xcb_keycode_t keycode)
{
    static xcb_extension_t xtest = {"XTEST", 0};
    struct Request {
        std::uint8_t majorOpcode = 0;
        std::uint8_t minorOpcode = 0;
        std::uint16_t length = 0;
        std::uint8_t type = 0;
        std::uint8_t detail = 0;
        std::uint8_t pad0[2] = {};
        std::uint32_t time = 0;  // now
        xcb_window_t root = XCB_NONE;
        std::uint8_t pad1[8] = {};
        std::int16_t rootX = 0;
        std::int16_t rootY = 0;
        std::uint8_t pad2[7] = {};
        std::uint8_t deviceId = 0;
    } request;
    static_assert(sizeof(Request) == 36);
    request.type = type;
    request.detail = keycode;
    constexpr std::uint8_t FakeInputOpcode = 2;
    const xcb_protocol_request_t protocol = {1, &xtest, FakeInputOpcode, 1};
    iovec parts[3] = {};
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    xcb_send_request(X11Connection(), 0, parts + 2, &protocol);
}

}  // namespace detail

// Presses and releases the key on the X server, as the keyboard does: the
// key goes to the window that has the input focus now, not to a window the
// test picks.
inline void PressKeyOnServer(xcb_keysym_t keysym)
{
    const xcb_keycode_t keycode = detail::KeyCodeOf(keysym);
    ASSERT_NE(keycode, 0) << "no key for keysym " << keysym;
    detail::FakeKeyEvent(XCB_KEY_PRESS, keycode);
    detail::FakeKeyEvent(XCB_KEY_RELEASE, keycode);
    xcb_flush(detail::X11Connection());
}

// Key symbols of the keys the tests press.
inline constexpr xcb_keysym_t KeyReturn = 0xff0d;
inline constexpr xcb_keysym_t KeyEscape = 0xff1b;

}  // namespace zk::test
