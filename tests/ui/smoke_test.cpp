#include <QMainWindow>
#include <gtest/gtest.h>

namespace {

TEST(UiSmokeTest, AWindowOpensOffscreen)
{
    QMainWindow window;
    window.show();
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
