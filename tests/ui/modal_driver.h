#pragma once
// Answers the modal window that the code under test is about to open: once
// it is the active modal widget, the action runs on it (a click, a key).
// A wait that ends without its window fails the test and closes whatever
// modal window is up then or shows up later in the test, so the exec()
// that waits for an answer returns instead of blocking the run.

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
#include <string>

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
inline void PollModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action,
                      QDeadlineTimer deadline, int delayMs)
{
    QTimer::singleShot(delayMs, [match = std::move(match), action = std::move(action), deadline]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && match(modal)) {
            action(modal);
        } else if (!deadline.hasExpired()) {
            PollModal(std::move(match), std::move(action), deadline, 10);
        } else {
            GiveUpOnModals("the modal window to answer did not show up");
        }
    });
}
}  // namespace detail

// Runs action on the active modal widget as soon as one that match accepts is up.
inline void WhenModal(std::function<bool(QWidget*)> match, std::function<void(QWidget*)> action,
                      std::chrono::milliseconds wait = ModalWait)
{
    detail::PollModal(std::move(match), std::move(action), QDeadlineTimer(wait), 0);
}

inline void WhenModalShows(std::function<void(QWidget*)> action)
{
    WhenModal([](QWidget*) { return true; }, std::move(action));
}

// The same for the modal widget of that objectName.
inline void WhenModalNamed(const QString& name, std::function<void(QWidget*)> action)
{
    WhenModal([name](QWidget* w) { return w->objectName() == name; }, std::move(action));
}

// Clicks the modal window's button of that objectName.
inline void ClickInModal(const char* buttonName)
{
    WhenModalShows([buttonName](QWidget* modal) {
        if (auto* button = modal->findChild<QPushButton*>(buttonName)) {
            button->click();
        } else {
            GiveUpOnModals(std::string("the modal window has no button ") + buttonName);
        }
    });
}

inline void PressEscapeInModal()
{
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
}

}  // namespace zk::test
