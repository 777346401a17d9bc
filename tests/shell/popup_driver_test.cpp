// The menu and message box driver never leaves a test blocked in exec(): a
// wait that ends without its window fails the test and closes the window.

#include "tests/shell/popup_driver.h"

#include <QAbstractButton>
#include <QtTest/QTest>
#include <gtest/gtest-spi.h>

namespace zk::test {
namespace {

using std::chrono_literals::operator""ms;

TEST(PopupDriverTest, AMenuShowingAfterTheWaitIsClosedAndTheTestFails)
{
    EXPECT_NONFATAL_FAILURE(
        {
            QObject context;
            WhenPopupShows(&context, [](QMenu*) {}, 20ms);
            QTest::qWait(100);
            QMenu late;
            late.addAction("Late");
            late.exec(QPoint(0, 0));
        },
        "the menu to answer did not show up");
}

TEST(PopupDriverTest, AMessageBoxShowingAfterTheWaitIsClosedAndTheTestFails)
{
    EXPECT_NONFATAL_FAILURE(
        {
            QObject context;
            WhenMessageShows(&context, [](QMessageBox*) {}, 20ms);
            QTest::qWait(100);
            QMessageBox late(QMessageBox::Information, "Late", "Late");
            late.exec();
        },
        "the message box to answer did not show up");
}

TEST(PopupDriverTest, TheAwaitedWindowsAreAnswered)
{
    QObject context;
    QMenu menu;
    QAction* chosen = menu.addAction("Chosen");
    WhenPopupShows(&context, [chosen](QMenu* shown) {
        shown->setActiveAction(chosen);
        QTest::keyClick(shown, Qt::Key_Return);
    });
    EXPECT_EQ(menu.exec(QPoint(0, 0)), chosen);

    QMessageBox box(QMessageBox::Question, "Question", "Question", QMessageBox::Yes | QMessageBox::No);
    WhenMessageShows(&context, [](QMessageBox* shown) { shown->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(box.exec(), QMessageBox::Yes);
}

}  // namespace
}  // namespace zk::test
