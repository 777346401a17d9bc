// Where the message box and the busy window open over the main window: a
// quarter of the free height down from the label image, following the
// canvas's scroll position.

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "engine/report/reporting.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/program_main.h"
#include "ui/qt_ui_services.h"

namespace zk::test {
namespace {

class MsgBoxAnchorTest : public MainWindowTest {
protected:
    MsgBoxAnchorTest() { SetUiServices(&services); }
    ~MsgBoxAnchorTest() override { SetUiServices(&ui); }

    QtUiServices services;
};

TEST_F(MsgBoxAnchorTest, TheBoxFollowsTheCanvasScrollAndTheLabelTop)
{
    TZKedit& main = StartWindow();
    AnchorMessageBoxToMainWindow(services, main);
    // A label larger than the window, scrolled right and down.
    LabelSetup.LabelWidth = 608;
    LabelSetup.LabelLength = 2000;
    main.SizeLabelCanvas();
    main.resize(500, 400);
    auto* area = main.findChild<QScrollArea*>("ClientArea");
    ASSERT_TRUE(QTest::qWaitFor([area] { return area->horizontalScrollBar()->maximum() >= 100; }));
    area->horizontalScrollBar()->setValue(100);
    area->verticalScrollBar()->setValue(200);
    ASSERT_EQ(main.ScrollPosition(), QPoint(100, 200));

    ShowCommunicating("Receiving form list");
    const QRect frame = main.frameGeometry();
    const QSize box = services.MsgBoxDlg().frameGeometry().size();
    // The label image sits 4 below the top of the client area, scrolled up
    // by 200; the scroll position is added back.
    const int labelTop = 4 - 200;
    const QPoint expected(frame.left() + (frame.width() - box.width()) / 2 + 100,
                          frame.top() + labelTop + (frame.height() - box.height()) / 4 + 200 + 16);
    EXPECT_EQ(services.MsgBoxDlg().frameGeometry().topLeft(), expected);
    ReportNoResponse();
}

}  // namespace
}  // namespace zk::test
