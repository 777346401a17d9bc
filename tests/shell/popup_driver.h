#pragma once
// Acts on the popup menu or modal box the code under test is about to
// show, once it is up (its event loop then runs). The polling stops with
// the context object, so nothing is left to act on a later test's windows.

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <functional>

namespace zk::test {

inline void WhenPopupShows(QObject* context, std::function<void(QMenu*)> action, int attemptsLeft = 500)
{
    QTimer::singleShot(10, context, [context, action = std::move(action), attemptsLeft]() mutable {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); menu != nullptr) {
            action(menu);
        } else if (attemptsLeft > 0) {
            WhenPopupShows(context, std::move(action), attemptsLeft - 1);
        }
    });
}

inline void WhenMessageShows(QObject* context, std::function<void(QMessageBox*)> action, int attemptsLeft = 500)
{
    QTimer::singleShot(10, context, [context, action = std::move(action), attemptsLeft]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            action(box);
        } else if (attemptsLeft > 0) {
            WhenMessageShows(context, std::move(action), attemptsLeft - 1);
        }
    });
}

}  // namespace zk::test
