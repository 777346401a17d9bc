// The floating toolbar: its buttons and cells, the drawing tools it
// chooses, its status line, and that it never keeps the keyboard focus.

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/model/label_setup.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/editor_globals.h"
#include "ui/label_canvas.h"
#include "ui/toolbar.h"

namespace zk {
namespace {

class ToolbarTest : public test::MainWindowTest {
protected:
    // The window with its toolbar, started as the program starts it.
    TZKToolbar& Start()
    {
        TZKedit& w = MakeWindow();
        toolbar = new TZKToolbar(w);  // owned by the window
        window->show();
        auto* timer = w.findChild<QTimer*>("StartTimer");
        EXPECT_TRUE(QTest::qWaitFor([timer] { return !timer->isActive(); }));
        return *toolbar;
    }

    QToolButton* Button(const char* name) const { return toolbar->findChild<QToolButton*>(name); }

    TZKToolbar* toolbar = nullptr;
};

const struct ButtonRow {
    const char* name;
    const char* hint;
    int column, row;
    int tool;  // -1: not a drawing tool
} BUTTONS[] = {
    {"TextBt", "Draw text", 0, 0, 0},
    {"BarcBt", "Draw barcode", 0, 1, 1},
    {"RectBt", "Draw rectangle", 0, 2, 2},
    {"LineBt", "Draw diagonal line", 0, 3, 3},
    {"BoxBt", "Draw box", 0, 4, 4},
    {"PictBt", "Draw picture", 0, 5, 5},
    {"AlignBt", "Grid size and alignment", 0, 6, -1},
    {"FilesBt", "Files and forms", 1, 0, -1},
    {"SetupBt", "Label setup", 1, 1, -1},
    {"TPrintBt", "Test print", 1, 2, -1},
    {"PrintBt", "Print", 1, 3, -1},
    {"VarBt", "Define variables and counters", 1, 4, -1},
    {"NewValuesBt", "Update variables and counters", 1, 5, -1},
    {"SettingsBt", "Settings and diagnostic", 1, 6, -1},
};

TEST_F(ToolbarTest, IsAFramelessToolWindowOnTopShownByTheStartTimer)
{
    TZKToolbar& t = Start();
    EXPECT_TRUE(t.isVisible());
    const Qt::WindowFlags flags = t.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(t.objectName().toStdString(), "ZKToolbar");
    ASSERT_NE(t.findChild<QWidget*>("Panel1"), nullptr);
    EXPECT_EQ(t.Panel1->geometry(), t.rect());
}

TEST_F(ToolbarTest, StatusLineIsARaisedPanelAlongTheBottom)
{
    TZKToolbar& t = Start();
    ASSERT_EQ(t.findChild<QLabel*>("StatusLn"), t.StatusLn);
    EXPECT_EQ(t.size(), QSize(64, 224 + 24));
    EXPECT_EQ(t.StatusLn->geometry(), QRect(0, 224, 64, 24));
    EXPECT_EQ(t.StatusLn->frameShadow(), QFrame::Raised);
}

TEST_F(ToolbarTest, ButtonsSitInTheirCellsWithTheirHintsAndNeverTakeTheFocus)
{
    Start();
    ASSERT_EQ(toolbar->findChildren<QToolButton*>().size(), static_cast<qsizetype>(std::size(BUTTONS)));
    for (const ButtonRow& row : BUTTONS) {
        SCOPED_TRACE(row.name);
        QToolButton* button = Button(row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip().toStdString(), row.hint);
        EXPECT_EQ(button->geometry(), QRect(32 * row.column, 32 * row.row, 32, 32));
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->isEnabled()) << row.name;  // every button has its command
    }
    EXPECT_EQ(toolbar->focusPolicy(), Qt::NoFocus);
}

TEST_F(ToolbarTest, DrawingButtonsChooseTheirToolAndTheDrawingCursor)
{
    Start();
    for (const ButtonRow& row : BUTTONS) {
        if (row.tool < 0) {
            continue;
        }
        SCOPED_TRACE(row.name);
        DrawingTool = SelectionTool;
        window->Label()->setCursor(Qt::CrossCursor);
        QTest::mouseClick(Button(row.name), Qt::LeftButton);
        EXPECT_EQ(DrawingTool, row.tool);
        EXPECT_EQ(window->Label()->cursor().shape(), Qt::DragCopyCursor);
        EXPECT_FALSE(toolbar->isAncestorOf(QApplication::focusWidget()));
    }
}

TEST_F(ToolbarTest, ToolChosenOnTheToolbarDrawsOnTheCanvas)
{
    Start();
    int tool = -1;
    EditingHooks.DrawFigure = [&tool](std::uint8_t t, TPoint, TPoint) { tool = t; };
    QTest::mouseClick(Button("BoxBt"), Qt::LeftButton);
    QTest::mousePress(window->Label(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(window->Label(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(tool, 4);
}

TEST_F(ToolbarTest, StatusLineShowsTheCursorOverTheCanvasInLabelDots)
{
    Start();
    LabelSetup.LeftMargin = 10;
    LabelSetup.TopMargin = 5;
    QTest::mouseMove(window->Label(), QPoint(30, 40));
    EXPECT_EQ(toolbar->StatusLn->text().toStdString(), "20,35");
}

TEST_F(ToolbarTest, ShowsInsideTheMainWindowAtTheRightEdgeOfTheClientArea)
{
    Start();
    const QPoint clientTopRight = window->ClientOrigin() + QPoint(window->ClientSize().width(), 0);
    EXPECT_EQ(toolbar->frameGeometry().right() + 1, clientTopRight.x() - 4);
    EXPECT_EQ(toolbar->frameGeometry().top(), clientTopRight.y() + 4);
}

TEST_F(ToolbarTest, ClicksOnTheStatusLineOrTheFormGiveTheFocusBackToTheMainWindow)
{
    Start();
    for (QWidget* target : {static_cast<QWidget*>(toolbar->StatusLn), static_cast<QWidget*>(toolbar)}) {
        SCOPED_TRACE(target->objectName().toStdString());
        toolbar->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == toolbar; }));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
    }
}

TEST_F(ToolbarTest, TheViewMenuHidesAndShowsIt)
{
    Start();
    window->MenuItem("ToolbarM")->trigger();
    EXPECT_FALSE(toolbar->isVisible());
    window->MenuItem("ToolbarM")->trigger();
    EXPECT_TRUE(toolbar->isVisible());
}

}  // namespace
}  // namespace zk
