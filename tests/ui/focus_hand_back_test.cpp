// Handing the keys on when a window closes must not take them from a
// window the program showed as the other one closed.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"

namespace zk::test {
namespace {

class FocusHandBackTest : public MainWindowTest {};

TEST_F(FocusHandBackTest, AWindowShownAsAnotherClosesKeepsTheKeys)
{
    WriteConfiguration("Port=0\n");
    TZKedit& main = StartWindow();
    QDialog closing(&main);
    QDialog shown(&main);
    closing.show();
    closing.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&closing] { return QGuiApplication::focusWindow() == closing.windowHandle(); }));
    closing.hide();
    shown.show();
    shown.activateWindow();
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), &shown);
}

}  // namespace
}  // namespace zk::test
