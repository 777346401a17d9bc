#include <QApplication>
#include <QMainWindow>
#include <gtest/gtest.h>

namespace {

TEST(UiSmokeTest, AWindowOpensOffscreen)
{
    int argc = 1;
    char name[] = "ui_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
