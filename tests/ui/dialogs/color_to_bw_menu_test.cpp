// The Tools menu opens the one converter form of the program, fresh each time.

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"
#include "ui/dialogs/color_to_bw.h"

namespace zk {
namespace {

class ColorToBWMenuTest : public test::MainWindowTest {};

TEST_F(ColorToBWMenuTest, ToolsItemShowsTheConverterBesideTheMainWindow)
{
    TZKedit& w = StartWindow();
    QAction* item = w.MenuItem("ColorBWM");
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    TColorToBW& form = ColorToBW();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.parentWidget(), &w);
    EXPECT_EQ(form.windowTitle(), "Color to Black & White Converter");
    EXPECT_FALSE(form.ConvertBt->isEnabled());
    form.close();
    item->trigger();
    EXPECT_EQ(&ColorToBW(), &form);
    EXPECT_TRUE(form.isVisible());
    form.close();
}

}  // namespace
}  // namespace zk
