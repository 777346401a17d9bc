#pragma once
// Answers the modal window that the code under test is about to open: once
// it is the active modal widget, the action runs on it (a click, a key).
// A wait that ends without its window fails the test and closes whatever
// modal window is up then or shows up later in the test, so the exec()
// that waits for an answer returns instead of blocking the run. Every
// answer ends with the test that armed it, and one never used fails that
// test (armed_answers.h).

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "tests/support/armed_answers.h"

namespace zk::test {

// How long a modal window may take to show.
inline constexpr std::chrono::milliseconds ModalWait{20000};

inline void CloseModal(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

// Closes every modal window that shows up until the running test ends.
inline void CloseModalsForTheRestOfTheTest(const ::testing::TestInfo* test)
{
    QTimer::singleShot(10, [test] {
        if (::testing::UnitTest::GetInstance()->current_test_info() != test) {
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
            CloseModal(modal);
        }
        CloseModalsForTheRestOfTheTest(test);
    });
}

// Notes and closes every modal window that shows while it lives: for the
// tests of actions that must open none.
class ModalWatch {
public:
    ModalWatch()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_shown = true;
                CloseModal(modal);
            }
        });
        m_timer.start();
    }
    bool Shown() const { return m_shown; }

private:
    QTimer m_timer;
    bool m_shown = false;
};

// The test fails for the reason given and stops waiting for answers.
inline void GiveUpOnModals(const std::string& reason)
{
    ADD_FAILURE() << reason;
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
        CloseModal(modal);
    }
    CloseModalsForTheRestOfTheTest(::testing::UnitTest::GetInstance()->current_test_info());
}

namespace detail {
inline void PollModal(std::shared_ptr<ArmedAnswer> answer, std::function<bool(QWidget*)> match,
                      std::function<void(QWidget*)> action, QDeadlineTimer deadline, int delayMs)
{
    QTimer::singleShot(delayMs, [answer = std::move(answer), match = std::move(match), action = std::move(action),
                                 deadline]() mutable {
        if (answer->Cancelled()) {
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && match(modal)) {
            answer->Settle();
            action(modal);
        } else if (!deadline.hasExpired()) {
            PollModal(std::move(answer), std::move(match), std::move(action), deadline, 10);
        } else {
            answer->Settle();
            GiveUpOnModals("the " + answer->What() + " did not show up");
        }
    });
}
}  // namespace detail

// Runs action on the active modal widget as soon as one that match accepts is up.
// what names the window in the test's failure when it never shows.
inline void WhenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action,
                      std::chrono::milliseconds wait = ModalWait, std::string what = "modal window to answer")
{
    detail::PollModal(ArmAnswer(std::move(what)), std::move(match), std::move(action), QDeadlineTimer(wait), 0);
}

inline void WhenModalShows(std::function<void(QWidget*)> action, std::string what = "modal window to answer")
{
    WhenModal([](QWidget*) { return true; }, std::move(action), ModalWait, std::move(what));
}

// The same for the modal widget of that objectName.
inline void WhenModalNamed(const QString& name, std::function<void(QWidget*)> action)
{
    WhenModal([name](QWidget* w) { return w->objectName() == name; }, std::move(action), ModalWait,
              "modal window " + name.toStdString());
}

// Clicks the modal window's button of that objectName.
inline void ClickInModal(const char* buttonName)
{
    WhenModalShows(
        [buttonName](QWidget* modal) {
            if (auto* button = modal->findChild<QPushButton*>(buttonName)) {
                button->click();
            } else {
                GiveUpOnModals(std::string("the modal window has no button ") + buttonName);
            }
        },
        std::string("modal window to click ") + buttonName + " in");
}

inline void PressEscapeInModal()
{
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); },
                   "modal window to press Escape in");
}

}  // namespace zk::test
