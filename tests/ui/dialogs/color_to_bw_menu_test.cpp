// The Tools menu opens the one converter form of the program modally, fresh
// each time.

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/color_to_bw.h"

namespace zk {
namespace {

class ColorToBWMenuTest : public test::MainWindowTest {};

TEST_F(ColorToBWMenuTest, ToolsItemShowsTheConverterModallyOverTheMainWindow)
{
    TZKedit& w = StartWindow();
    QAction* item = w.MenuItem("ColorBWM");
    ASSERT_TRUE(item->isEnabled());
    struct Seen {
        std::string name;
        QWidget* parent = nullptr;
        QString title;
        bool convertEnabled = true;
    };
    const auto openAndEscape = [item] {
        Seen seen;
        test::WhenModalShows([&seen](QWidget* modal) {
            seen.name = modal->objectName().toStdString();
            seen.parent = modal->parentWidget();
            seen.title = modal->windowTitle();
            seen.convertEnabled = modal->findChild<QPushButton*>("ConvertBt")->isEnabled();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        item->trigger();
        return seen;
    };
    const Seen first = openAndEscape();
    EXPECT_EQ(first.name, "ColorToBW");
    EXPECT_EQ(first.parent, &w);
    EXPECT_EQ(first.title, "Color to Black & White Converter");
    EXPECT_FALSE(first.convertEnabled);
    EXPECT_FALSE(ColorToBW().isVisible());

    const Seen second = openAndEscape();
    EXPECT_EQ(second.name, "ColorToBW");
    EXPECT_FALSE(ColorToBW().isVisible());
}

}  // namespace
}  // namespace zk
