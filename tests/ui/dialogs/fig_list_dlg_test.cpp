// The figure list dialog: its form, the grid it fills, and every operation
// on its rows (delete, reorder, select, edit), driven through its buttons
// and the mouse on the grid.

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/render/label_image.h"
#include "tests/ui/editing/editor_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/fig_list_dlg.h"
#include "ui/dialogs/fig_list_rows.h"
#include "ui/editing/selection.h"

namespace zk {
namespace {

class FigListDlgTest : public test::EditorTest {
protected:
    // The dialog as the main window opens it: rows filled, grid set up.
    TFigListDlg& Open()
    {
        dialog = std::make_unique<TFigListDlg>();
        dialog->FillFigureListRows();
        dialog->SetupFigureListGrid();
        return *dialog;
    }

    // Shown, so that the grid has its geometry for mouse events.
    TFigListDlg& OpenShown()
    {
        Open().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }

    std::string Cell(int row, int column) const
    {
        const QTableWidgetItem* item = dialog->Obj->item(row - 1, column);
        return item != nullptr ? item->text().toStdString() : "<none>";
    }

    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 1; row < dialog->GridRowCount(); ++row) {
            texts.push_back(Cell(row, column));
        }
        return texts;
    }

    // The centre of a figure row's cell in the grid's viewport.
    QPoint CellCentre(int row, int column = 2) const
    {
        return dialog->Obj->visualItemRect(dialog->Obj->item(row - 1, column)).center();
    }

    // Press, release and the double-click press, as a user's double click
    // arrives; QTest::mouseDClick does not make the table signal a double
    // click.
    static void DoubleClick(QWidget* widget, QPoint at)
    {
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QMouseEvent press(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(widget, &press);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }

    // The bars' X values in list order; soft fonts show as -1.
    static std::vector<int> Order()
    {
        std::vector<int> xs;
        for (const TFigure* figure : Figures()) {
            xs.push_back(figure->Is(TFigureKind::Bar) ? figure->Bar().X : -1);
        }
        return xs;
    }

    std::unique_ptr<TFigListDlg> dialog;
};

TEST_F(FigListDlgTest, FormCarriesItsNamedControlsAndCaptions)
{
    Add(Bar(1, 1, 4, 4));
    TFigListDlg& d = Open();
    EXPECT_EQ(d.objectName().toStdString(), "FigListDlg");
    EXPECT_EQ(d.windowTitle().toStdString(), "Object List");
    EXPECT_EQ(d.property("HelpContext").toInt(), 122);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"SelBt", "Selection"}, {"EditBt", "Edit"}, {"DelBt", "Delete"},
                   {"UpBt", "Move Up"},    {"DownBt", "Move Down"}, {"CanBt", "C"}};
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = d.findChild<QPushButton*>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), b.caption);
    }
    auto* sureDel = d.findChild<QCheckBox*>("SureDel");
    ASSERT_EQ(sureDel, d.SureDel);
    EXPECT_EQ(sureDel->text().toStdString(), "Confirm Delete:");
    EXPECT_TRUE(sureDel->isChecked());
    EXPECT_EQ(sureDel->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(sureDel->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(d.findChild<QTableWidget*>("Obj"), d.Obj);
    // The cancel button lies outside the form, so only Esc reaches it.
    EXPECT_FALSE(d.rect().intersects(d.CanBt->geometry()));
}

TEST_F(FigListDlgTest, GridHasItsTitlesWidthsAndEightVisibleRows)
{
    Add(Bar(1, 1, 4, 4));
    TFigListDlg& d = Open();
    const struct {
        const char* title;
        int width;
    } columns[] = {{" No", 35}, {"", 20}, {"Type", 265}, {"X", 44}, {"Y", 44}, {"Rotation", 72}, {"Data", 244}};
    ASSERT_EQ(d.Obj->columnCount(), 8);
    for (int column = 0; column < 7; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(d.Obj->horizontalHeaderItem(column)->text().toStdString(), columns[column].title);
        EXPECT_EQ(d.Obj->columnWidth(column), columns[column].width);
    }
    EXPECT_EQ(d.Obj->horizontalHeaderItem(7)->text().toStdString(), "");
    EXPECT_EQ(d.Obj->width(), 726);
    const int rowHeight = d.Obj->verticalHeader()->defaultSectionSize();
    EXPECT_EQ(d.Obj->horizontalHeader()->height(), rowHeight);
    EXPECT_EQ(d.Obj->height(), rowHeight * 8 + 3);
    EXPECT_EQ(d.height(), d.Obj->height() + 64);
    for (QPushButton* button : {d.SelBt, d.EditBt, d.DelBt, d.UpBt, d.DownBt}) {
        EXPECT_EQ(button->y(), d.height() - 35);
    }
    EXPECT_EQ(d.Obj->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(d.Obj->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(d.Obj->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(FigListDlgTest, TheDataColumnShowsWholeWithOrWithoutAScrollBar)
{
    // The title row takes one of the eight rows: seven figure rows show,
    // and an eighth brings the scroll bar.
    for (int figures : {1, 7, 8, 9, 12}) {
        SCOPED_TRACE(figures);
        while (ListedFigureCount() < figures) {
            Add(Bar(ListedFigureCount() + 1, 1, 4, 4));
        }
        TFigListDlg& d = OpenShown();
        const int rowHeight = d.Obj->verticalHeader()->defaultSectionSize();
        EXPECT_EQ(d.Obj->verticalScrollBar()->isVisible(), figures * rowHeight > d.Obj->viewport()->height());
        EXPECT_EQ(d.Obj->verticalScrollBar()->isVisible(), figures > 7);
        const int dataRight = d.Obj->columnViewportPosition(6) + d.Obj->columnWidth(6);
        EXPECT_LE(dataRight, d.Obj->viewport()->width());
        EXPECT_TRUE(d.rect().contains(d.Obj->geometry()));
    }
}

TEST_F(FigListDlgTest, RowsListEveryFigureButSoftFontsInListOrder)
{
    Add(SoftFont("A", 20));
    Add(Bar(11, 22, 33, 44), FigureFlag::Selected);
    TTextFigure text;
    text.X = 5;
    text.Y = 6;
    text.Font = 2;
    text.Data = "M\x81nchen";  // code page 437 u-umlaut
    Add(text);
    Add(SoftFont("B", 20));
    Add(Box(100, 80, 40, 20));
    TFigListDlg& d = Open();
    EXPECT_EQ(d.GridRowCount(), 4);
    EXPECT_EQ(Column(0), (std::vector<std::string>{" 1", " 2", " 3"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"#", "", ""}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"Rectangle  (Size 33x44)", "Text  (Font 2)", "Box  (Size 60x60)"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"11", "5", "40"}));
    EXPECT_EQ(Column(4), (std::vector<std::string>{"22", "6", "20"}));
    EXPECT_EQ(Column(5), (std::vector<std::string>{"", "None", ""}));
    EXPECT_EQ(Column(6), (std::vector<std::string>{"", "M\u00FCnchen", ""}));
    EXPECT_EQ(d.SelectedRow(), 1);  // a grid always starts on its first row
}

TEST_F(FigListDlgTest, OnlySoftFontsLeaveTheGridWithItsTitleRowAlone)
{
    Add(SoftFont("A", 20));
    TFigListDlg& d = Open();
    EXPECT_EQ(d.GridRowCount(), 1);
    EXPECT_EQ(d.SelectedRow(), 0);
}

struct DeleteCase {
    const char* name;
    bool sureDel;
    std::uint8_t answer;
    bool asked;
    bool deleted;
};

class FigListDeleteTest : public FigListDlgTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(FigListDeleteTest, DeleteAsksThenDeletesTheSelectedRowsFigure)
{
    const DeleteCase& c = GetParam();
    Add(Bar(1, 1, 4, 4));
    Add(SoftFont("A", 20));
    TFigure* second = Add(Bar(2, 1, 33, 44));
    Add(Bar(3, 1, 4, 4));
    TFigListDlg& d = Open();
    d.SelectRow(2);
    d.SureDel->setChecked(c.sureDel);
    ui.answers = {c.answer};
    d.DelBt->click();

    if (c.asked) {
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].caption, "Delete Rectangle  (Size 33x44)");
        EXPECT_EQ(ui.messageBoxes[0].text, "Are You sure ?");
        EXPECT_TRUE(ui.messageBoxes[0].yesNo);
    } else {
        EXPECT_TRUE(ui.messageBoxes.empty());
    }
    if (c.deleted) {
        EXPECT_EQ(Order(), (std::vector<int>{1, -1, 3}));
        EXPECT_EQ(Column(0), (std::vector<std::string>{" 1", " 2"}));
        EXPECT_EQ(Column(3), (std::vector<std::string>{"1", "3"}));
        EXPECT_EQ(redraws, 1);
    } else {
        EXPECT_EQ(FigureOfListRow(2), second);
        EXPECT_EQ(d.GridRowCount(), 4);
        EXPECT_EQ(redraws, 0);
    }
}

const DeleteCase DELETE_CASES[] = {
    {"ConfirmedYes", true, 1, true, true},
    {"ConfirmedNo", true, 0, true, false},
    {"UnconfirmedDoesNothing", false, 1, false, false},
};

INSTANTIATE_TEST_SUITE_P(Answers, FigListDeleteTest, ::testing::ValuesIn(DELETE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FigListDlgTest, DeletingTheLastListedFigureSaysNoMoreFiguresAndCloses)
{
    Add(SoftFont("A", 20));
    Add(Bar(1, 1, 4, 4));
    TFigListDlg& d = Open();
    ui.answers = {1};
    test::ClickInModal("DelBt");
    EXPECT_EQ(d.exec(), QDialog::Rejected);

    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[1].caption, "Object list");
    EXPECT_EQ(ui.messageBoxes[1].text, "No more figures");
    EXPECT_FALSE(ui.messageBoxes[1].yesNo);
    EXPECT_GT(ui.processMessagesCalls, 0);
    EXPECT_EQ(Order(), (std::vector<int>{-1}));  // the soft font stays
    EXPECT_EQ(d.GridRowCount(), 1);
}

TEST_F(FigListDlgTest, DeletingAFigureOfSeveralKeepsTheListOpen)
{
    Add(Bar(1, 1, 4, 4));
    Add(Bar(2, 1, 4, 4));
    TFigListDlg& d = OpenShown();
    d.DeleteFigureFromList(1);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(Order(), (std::vector<int>{2}));
    EXPECT_EQ(d.SelectedRow(), 1);
}

struct MoveCase {
    const char* name;
    bool up;
    int row;
    std::vector<int> order;  // bar X values in list order, -1 the soft font
    int selectedAfter;
};

class FigListMoveTest : public FigListDlgTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(FigListMoveTest, MoveButtonsTradeTheFiguresOfNeighbouringRows)
{
    const MoveCase& c = GetParam();
    Add(Bar(1, 1, 4, 4));
    Add(SoftFont("A", 20));
    Add(Bar(2, 1, 4, 4), FigureFlag::Selected);
    Add(Bar(3, 1, 4, 4));
    const std::vector<const TFigure*> nodes = Nodes();
    const std::vector<int> before = Order();
    TFigListDlg& d = Open();
    d.SelectRow(c.row);
    (c.up ? d.UpBt : d.DownBt)->click();

    EXPECT_EQ(Order(), c.order);
    EXPECT_EQ(Nodes(), nodes);  // contents moved, nodes stayed
    EXPECT_EQ(d.SelectedRow(), c.selectedAfter);
    const bool changed = c.order != before;
    EXPECT_EQ(redraws, changed ? 1 : 0);
    // The rows show the new order, the selection mark travels with its figure.
    std::vector<std::string> xs;
    std::vector<std::string> marks;
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Bar)) {
            xs.push_back(std::to_string(figure->Bar().X));
            marks.push_back(figure->IsSelected() ? "#" : "");
        }
    }
    EXPECT_EQ(Column(3), xs);
    EXPECT_EQ(Column(1), marks);
    // The selection follows the figure that moved (bar X = its first row).
    EXPECT_EQ(FigureOfListRow(c.selectedAfter)->Bar().X, c.row);
}

const MoveCase MOVE_CASES[] = {
    {"UpOnTheFirstRowDoesNothing", true, 1, {1, -1, 2, 3}, 1},
    {"UpOnRowTwoPassesTheSoftFont", true, 2, {2, -1, 1, 3}, 1},
    {"UpOnTheLastRow", true, 3, {1, -1, 3, 2}, 2},
    {"DownOnTheFirstRow", false, 1, {2, -1, 1, 3}, 2},
    {"DownOnRowTwo", false, 2, {1, -1, 3, 2}, 3},
    {"DownOnTheLastRowDoesNothing", false, 3, {1, -1, 2, 3}, 3},
};

INSTANTIATE_TEST_SUITE_P(Rows, FigListMoveTest, ::testing::ValuesIn(MOVE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FigListDlgTest, MovesDoNothingWithASingleFigure)
{
    Add(Bar(1, 1, 4, 4));
    TFigListDlg& d = Open();
    d.UpBt->click();
    d.DownBt->click();
    EXPECT_EQ(Order(), (std::vector<int>{1}));
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(d.SelectedRow(), 1);
}

TEST_F(FigListDlgTest, SelectionButtonTogglesTheFigureAndItsMark)
{
    Add(Bar(1, 1, 4, 4));
    TFigure* second = Add(Bar(2, 1, 4, 4));
    TFigListDlg& d = Open();
    d.SelectRow(2);
    d.SelBt->click();
    EXPECT_TRUE(second->IsSelected());
    EXPECT_EQ(Column(1), (std::vector<std::string>{"", "#"}));
    d.SelBt->click();
    EXPECT_FALSE(second->IsSelected());
    EXPECT_EQ(Column(1), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false}));
}

TEST_F(FigListDlgTest, ToggleRedrawsTheCanvasFramesForTheNewSelection)
{
    TLabelImage canvas;
    canvas.Resize(100, 60);
    EditingHooks.Label = &canvas;
    Add(Bar(10, 10, 20, 20), FigureFlag::Selected);
    Add(Bar(50, 10, 20, 20));
    XorSelectionFrames(canvas);  // the canvas as the last redraw left it
    TFigListDlg& d = Open();
    d.ToggleSelectionFromList(2);

    TLabelImage expected;
    expected.Resize(100, 60);
    XorSelectionFrames(expected);  // now both figures are framed
    EXPECT_EQ(Selection(), (std::vector<bool>{true, true}));
    EXPECT_TRUE(std::equal(canvas.Bits(), canvas.Bits() + 100 * 60, expected.Bits()));
    EXPECT_NE(canvas.Pixel(49, 9), White);
}

TEST_F(FigListDlgTest, DoubleClickOnARowTogglesItAndOnTheTitleRowNothing)
{
    Add(Bar(1, 1, 4, 4));
    TFigure* second = Add(Bar(2, 1, 4, 4));
    TFigListDlg& d = OpenShown();
    DoubleClick(d.Obj->viewport(), CellCentre(2));
    EXPECT_TRUE(second->IsSelected());
    EXPECT_EQ(d.SelectedRow(), 2);
    EXPECT_EQ(Cell(2, 1), "#");

    QHeaderView* titleRow = d.Obj->horizontalHeader();
    DoubleClick(titleRow->viewport(), {100, titleRow->height() / 2});
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true}));
}

TEST_F(FigListDlgTest, RightPressSelectsTheRowAndEditsItsFigureThroughTheHook)
{
    Add(Bar(1, 1, 4, 4));
    Add(SoftFont("A", 20));
    TFigure* second = Add(Bar(2, 1, 4, 4));
    std::vector<TFigure*> edited;
    EditingHooks.EditFigure = [&edited](TFigure& figure) {
        edited.push_back(&figure);
        figure.Bar().Width = 99;  // what an accepted dialog leaves
    };
    TFigListDlg& d = OpenShown();
    QTest::mousePress(d.Obj->viewport(), Qt::RightButton, {}, CellCentre(2));
    // Released as the user releases it: a button left down would reach
    // later tests as held.
    QTest::mouseRelease(d.Obj->viewport(), Qt::RightButton, {}, CellCentre(2));
    EXPECT_EQ(edited, std::vector<TFigure*>{second});
    EXPECT_EQ(d.SelectedRow(), 2);
    EXPECT_EQ(Cell(2, 2), "Rectangle  (Size 99x4)");
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));

    QTest::mousePress(d.Obj->viewport(), Qt::LeftButton, {}, CellCentre(1));
    QTest::mouseRelease(d.Obj->viewport(), Qt::LeftButton, {}, CellCentre(1));
    EXPECT_EQ(edited.size(), 1u);  // a left press only selects the row
    EXPECT_EQ(d.SelectedRow(), 1);
}

TEST_F(FigListDlgTest, EditButtonEditsTheSelectedRowsFigure)
{
    Add(Bar(1, 1, 4, 4));
    TFigure* second = Add(Line(0, 0, 10, 10));
    std::vector<TFigure*> edited;
    EditingHooks.EditFigure = [&edited](TFigure& figure) {
        edited.push_back(&figure);
        figure.Line().X2 = 70;
    };
    TFigListDlg& d = Open();
    d.SelectRow(2);
    d.EditBt->click();
    EXPECT_EQ(edited, std::vector<TFigure*>{second});
    EXPECT_EQ(Cell(2, 2), "Line  (0,0 to 70,10)");
}

TEST_F(FigListDlgTest, EscClosesTheListWithoutChanges)
{
    Add(Bar(1, 1, 4, 4));
    TFigListDlg& d = Open();
    test::PressEscapeInModal();
    EXPECT_EQ(d.exec(), QDialog::Rejected);
    EXPECT_EQ(Order(), (std::vector<int>{1}));
}

}  // namespace
}  // namespace zk
