// Edit > Rotate Clockwise: the label turned, the canvas sized to the turned
// label and scrolled back to its top left.

#include <gtest/gtest.h>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/label_canvas.h"

namespace zk::test {
namespace {

class RotateCommandTest : public MainWindowTest {
};

TEST_F(RotateCommandTest, TurnsTheLabelResizesTheCanvasAndScrollsHome)
{
    TZKedit& w = StartWindow();
    LabelSetup.LabelWidth = 600;
    LabelSetup.LabelLength = 608;
    w.SizeLabelCanvas();
    ASSERT_EQ(AppendFigure(TBarFigure{0, 0, 100, 20, 0}), 0);
    auto* area = w.findChild<QScrollArea*>("ClientArea");
    ASSERT_NE(area, nullptr);
    QTest::qWait(0);
    ASSERT_GT(area->verticalScrollBar()->maximum(), 0);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());

    w.MenuItem("RotateCWM")->trigger();

    EXPECT_EQ(LabelSetup.LabelWidth, 608);
    EXPECT_EQ(LabelSetup.LabelLength, 600);
    EXPECT_EQ(w.Label()->size(), QSize(608, 600));
    EXPECT_EQ(LabelImage.Width(), 608);
    const TBarFigure& bar = FigureList.FigureHead->Bar();
    EXPECT_EQ(bar.X, 608 - 20);
    EXPECT_EQ(w.Label()->Picture().pixel(607, 99), Black);
    EXPECT_EQ(w.Label()->Picture().pixel(587, 100), White);
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    EXPECT_EQ(area->horizontalScrollBar()->value(), 0);
}

TEST_F(RotateCommandTest, TooLongALabelIsRefusedWithItsMessage)
{
    TZKedit& w = StartWindow();
    LabelSetup.LabelLength = 609;
    w.SizeLabelCanvas();

    w.MenuItem("RotateCWM")->trigger();

    EXPECT_EQ(ui.OnlyMessage(), "Can't rotate. Label too long");
    EXPECT_EQ(w.Label()->size(), QSize(384, 609));
}

}  // namespace
}  // namespace zk::test
