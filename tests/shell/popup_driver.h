#pragma once
// Acts on the popup menu or message box the code under test is about to
// show, once it is up (its event loop then runs). The polling stops with
// the context object or the test that armed it, whichever ends first, so
// nothing is left to act on a later test's windows; an answer never used
// fails its test (armed_answers.h).
// A wait that ends without its window fails the test and closes whatever
// menu or modal window is up then or shows up later in the test, so the
// exec() that waits for an answer returns instead of blocking the run.

#include <QApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

#include "tests/ui/modal_driver.h"

namespace zk::test {

// How long a menu or message box may take to show.
inline constexpr std::chrono::milliseconds PopupWait{20000};

namespace detail {

// Closes every popup menu that shows up until the running test ends.
inline void ClosePopupsForTheRestOfTheTest(const ::testing::TestInfo* test)
{
    QTimer::singleShot(10, [test] {
        if (::testing::UnitTest::GetInstance()->current_test_info() != test) {
            return;
        }
        if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
            popup->close();
        }
        ClosePopupsForTheRestOfTheTest(test);
    });
}

template <class Window>
void PollFor(std::shared_ptr<ArmedAnswer> answer, QObject* context, std::function<Window*()> find,
             std::function<void(Window*)> action, QDeadlineTimer deadline)
{
    auto poll = [answer, context, find = std::move(find), action = std::move(action), deadline]() mutable {
        if (answer->Cancelled()) {
            return;
        }
        if (Window* window = find(); window != nullptr) {
            answer->Settle();
            action(window);
        } else if (!deadline.hasExpired()) {
            PollFor(std::move(answer), context, std::move(find), std::move(action), deadline);
        } else {
            answer->Settle();
            GiveUpOnModals("the " + answer->What() + " did not show up");
            if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
                popup->close();
            }
            ClosePopupsForTheRestOfTheTest(::testing::UnitTest::GetInstance()->current_test_info());
        }
    };
    QTimer::singleShot(10, context, std::move(poll));
}

}  // namespace detail

inline void WhenPopupShows(QObject* context, std::function<void(QMenu*)> action,
                           std::chrono::milliseconds wait = PopupWait)
{
    detail::PollFor<QMenu>(
        ArmAnswer("menu to answer"), context,
        [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }, std::move(action),
        QDeadlineTimer(wait));
}

inline void WhenMessageShows(QObject* context, std::function<void(QMessageBox*)> action,
                             std::chrono::milliseconds wait = PopupWait)
{
    detail::PollFor<QMessageBox>(
        ArmAnswer("message box to answer"), context,
        [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box != nullptr && box->isVisible() ? box : nullptr;
        },
        std::move(action), QDeadlineTimer(wait));
}

// Closes every popup menu that shows while it lives, and tells whether one did.
class PopupsRefused {
public:
    PopupsRefused()
    {
        m_closer.callOnTimeout([this] {
            if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
                m_shown = true;
                popup->close();
            }
        });
        m_closer.start(10);
    }

    bool AnyShown() const { return m_shown; }

private:
    QTimer m_closer;
    bool m_shown = false;
};

}  // namespace zk::test
