#pragma once
// How the X server stacks the program's windows. Without a window manager
// the windows are children of the root window, which lists them bottom to
// top; nothing but the program changes that order.

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace zk::test {

// The root window's children, bottom first, as the server holds them now.
inline std::vector<xcb_window_t> StackingOrder()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    std::vector<xcb_window_t> order;
    if (tree != nullptr) {
        const xcb_window_t* children = xcb_query_tree_children(tree);
        order.assign(children, children + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return order;
}

// True when upper's window stands above lower's.
inline bool StacksAbove(const QWidget& upper, const QWidget& lower)
{
    const std::vector<xcb_window_t> order = StackingOrder();
    const auto at = [&order](const QWidget& w) {
        return std::find(order.begin(), order.end(), static_cast<xcb_window_t>(w.winId())) - order.begin();
    };
    const auto upperAt = at(upper);
    const auto lowerAt = at(lower);
    return upperAt < static_cast<std::ptrdiff_t>(order.size()) && lowerAt < upperAt;
}

}  // namespace zk::test
