#pragma once
// Answers the modal window that the code under test is about to open: once
// it is the active modal widget, the action runs on it (a click, a key).

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <functional>
#include <memory>

namespace zk::test {

inline void WhenModalShows(std::function<void(QWidget*)> action, int attemptsLeft = 500)
{
    QTimer::singleShot(10, [action = std::move(action), attemptsLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal->isVisible()) {
            action(modal);
        } else if (attemptsLeft > 0) {
            WhenModalShows(std::move(action), attemptsLeft - 1);
        }
    });
}

// Clicks the modal window's button of that objectName.
inline void ClickInModal(const char* buttonName)
{
    WhenModalShows([buttonName](QWidget* modal) {
        if (auto* button = modal->findChild<QPushButton*>(buttonName)) {
            button->click();
        }
    });
}

inline void PressEscapeInModal()
{
    WhenModalShows([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
}

}  // namespace zk::test
