#include "ui/dialogs/fig_list_dlg.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "engine/config/program_paths.h"
#include "engine/model/figure_list.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "platform/code_pages.h"
#include "ui/dialogs/fig_list_rows.h"
#include "ui/editing/editor_state.h"
#include "ui/editing/selection.h"
#include "ui/form_order.h"
#include "ui/label_canvas.h"
#include "ui/main_window.h"

namespace zk {

namespace {

constexpr int GridColumns = 8;
constexpr int GridLeft = 8;
constexpr int GridTop = 8;
constexpr int GridWidth = 726;
constexpr int RowHeight = 24;
// The grid is as high as eight rows, its title row among them.
constexpr int VisibleRows = 8;
constexpr int ClientWidth = GridLeft + GridWidth + 8;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 25;

struct ColumnRow {
    const char* title;
    int width;
};

// The eighth column has no title and lies beyond the grid's width.
const ColumnRow GRID_COLUMNS[GridColumns] = {
    {" No", 35}, {"", 20}, {"Type", 265}, {"X", 44}, {"Y", 44}, {"Rotation", 72}, {"Data", 244}, {"", 64},
};

QString FromCp1252(const std::string& text)
{
    return QString::fromStdString(platform::Cp1252ToUtf8(text));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(left, 0, ButtonWidth, ButtonHeight);
    return button;
}

}  // namespace

TFigListDlg::TFigListDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("FigListDlg");
    FollowFormOrder(*this);
    setWindowTitle(tr("Object List"));
    setProperty("HelpContext", 122);
    QFont dialogFont(QStringLiteral("Sans"));
    dialogFont.setPixelSize(13);
    setFont(dialogFont);

    Obj = new QTableWidget(0, GridColumns, this);
    Obj->setObjectName("Obj");
    Obj->setSelectionBehavior(QAbstractItemView::SelectRows);
    Obj->setSelectionMode(QAbstractItemView::SingleSelection);
    Obj->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Obj->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Obj->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Obj->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    Obj->verticalHeader()->hide();
    Obj->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Obj->verticalHeader()->setMinimumSectionSize(1);
    Obj->verticalHeader()->setDefaultSectionSize(RowHeight);
    Obj->horizontalHeader()->setFixedHeight(RowHeight);
    Obj->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Obj->horizontalHeader()->setSectionsClickable(false);
    Obj->horizontalHeader()->setHighlightSections(false);
    Obj->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Obj->horizontalHeader()->setMinimumSectionSize(1);
    Obj->viewport()->installEventFilter(this);
    connect(Obj, &QTableWidget::cellDoubleClicked, this, &TFigListDlg::ObjDblClick);

    // Tab order follows creation: the selection button first.
    SelBt = MakeButton(this, "SelBt", tr("Selection"), 8);
    EditBt = MakeButton(this, "EditBt", tr("Edit"), 96);
    DelBt = MakeButton(this, "DelBt", tr("Delete"), 184);
    UpBt = MakeButton(this, "UpBt", tr("Move Up"), 568);
    DownBt = MakeButton(this, "DownBt", tr("Move Down"), 656);
    SureDel = new QCheckBox(tr("Confirm Delete:"), this);
    SureDel->setObjectName("SureDel");
    SureDel->setLayoutDirection(Qt::RightToLeft);  // the text left of the box
    SureDel->setChecked(true);
    SureDel->setFocusPolicy(Qt::NoFocus);
    SureDel->setGeometry(280, 0, 130, ButtonHeight);
    // Outside the visible area: Esc works through it without a visible button.
    CanBt = new QPushButton(tr("C"), this);
    CanBt->setObjectName("CanBt");
    CanBt->setAutoDefault(false);
    CanBt->setGeometry(ClientWidth + 40, 0, 20, 20);

    connect(SelBt, &QPushButton::clicked, this, &TFigListDlg::SelBtClick);
    connect(EditBt, &QPushButton::clicked, this, &TFigListDlg::EditBtClick);
    connect(DelBt, &QPushButton::clicked, this, &TFigListDlg::DelBtClick);
    connect(UpBt, &QPushButton::clicked, this, &TFigListDlg::UpBtClick);
    connect(DownBt, &QPushButton::clicked, this, &TFigListDlg::DownBtClick);
    connect(CanBt, &QPushButton::clicked, this, &TFigListDlg::CanBtClick);

    SetupFigureListGrid();
}

int TFigListDlg::GridRowCount() const
{
    return Obj->rowCount() + 1;
}

int TFigListDlg::SelectedRow() const
{
    const QModelIndexList rows = Obj->selectionModel()->selectedRows();
    int top = -1;
    for (const QModelIndex& index : rows) {
        top = top < 0 ? index.row() : std::min(top, index.row());
    }
    return top + 1;
}

void TFigListDlg::SelectRow(int row)
{
    if (row < 1 || row >= GridRowCount()) {
        return;
    }
    Obj->setCurrentCell(row - 1, 0);
    Obj->selectRow(row - 1);
    Obj->scrollToItem(Obj->item(row - 1, 0), QAbstractItemView::EnsureVisible);
}

void TFigListDlg::FillFigureListRows()
{
    const int keptRow = SelectedRow();
    const int count = ListedFigureCount();
    Obj->setRowCount(count);
    int row = 0;
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font)) {
            continue;
        }
        ++row;
        const TFigureListCells cells = FigureListCells(*figure, row);
        for (int column = 0; column < GridColumns; ++column) {
            const QString text = column < FigureListColumns ? FromCp1252(cells[static_cast<std::size_t>(column)]) : "";
            if (QTableWidgetItem* item = Obj->item(row - 1, column)) {
                item->setText(text);
            } else {
                Obj->setItem(row - 1, column, new QTableWidgetItem(text));
            }
        }
    }
    // The grid always has a row selected, the first one to begin with; a
    // row that went away leaves the selection on the last row.
    if (count > 0) {
        SelectRow(keptRow > 0 ? std::min(keptRow, count) : 1);
    }
}

void TFigListDlg::SetupFigureListGrid()
{
    for (int column = 0; column < GridColumns; ++column) {
        auto* title = new QTableWidgetItem(GRID_COLUMNS[column].title);
        Obj->setHorizontalHeaderItem(column, title);
        Obj->setColumnWidth(column, GRID_COLUMNS[column].width);
    }
    const int gridHeight = RowHeight * VisibleRows + 3;
    Obj->setGeometry(GridLeft, GridTop, GridWidth, gridHeight);
    // Figure rows beyond those that show whole below the title row bring the
    // scroll bar: the grid widens by it, so that it never covers the Data
    // column.
    const int rowsShown = (Obj->height() - 2 * Obj->frameWidth() - Obj->horizontalHeader()->height()) / RowHeight;
    const int scrollBar =
        Obj->rowCount() > rowsShown ? Obj->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Obj) : 0;
    Obj->setGeometry(GridLeft, GridTop, GridWidth + scrollBar, gridHeight);
    const int clientHeight = gridHeight + 64;
    setFixedSize(ClientWidth + scrollBar, clientHeight);
    for (QPushButton* button : {SelBt, EditBt, DelBt, UpBt, DownBt}) {
        button->move(button->x(), clientHeight - 35);
    }
    SureDel->move(SureDel->x(), clientHeight - 35);
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
}

void TFigListDlg::EditFigureFromList(int row)
{
    TFigure* figure = FigureOfListRow(row);
    if (figure == nullptr) {
        return;
    }
    // The hook runs the whole edit of the figure's dialog and redraws the
    // label when the dialog was accepted; the rows show the result.
    if (EditingHooks.EditFigure) {
        EditingHooks.EditFigure(*figure);
    }
    FillFigureListRows();
}

void TFigListDlg::DeleteFigureFromList(int row)
{
    TFigure* figure = FigureOfListRow(row);
    if (figure == nullptr) {
        return;
    }
    DeleteFigure(figure);
    RedrawLabel(RedrawEditor);
    FillFigureListRows();
    if (ListedFigureCount() == 0) {
        Ui().ProcessMessages();
        ShowMessageBox("Object list", "No more figures");
        reject();
    }
}

void TFigListDlg::ToggleSelectionFromList(int row)
{
    TFigure* figure = FigureOfListRow(row);
    if (figure == nullptr) {
        return;
    }
    DrawSelectionFrames(false);
    figure->Flags ^= FigureFlag::Selected;
    if (QTableWidgetItem* mark = Obj->item(row - 1, 1)) {
        mark->setText(figure->IsSelected() ? "#" : "");
    }
    DrawSelectionFrames(false);
    RepaintCanvas();
}

void TFigListDlg::MoveFigureUpInList(int row)
{
    if (GridRowCount() < 3 || row < 2) {
        return;
    }
    TFigure* above = FigureOfListRow(row - 1);
    TFigure* figure = FigureOfListRow(row);
    if (above == nullptr || figure == nullptr) {
        return;
    }
    SwapFigureContents(*above, *figure);
    RedrawLabel(RedrawEditor);
    FillFigureListRows();
}

void TFigListDlg::MoveFigureDownInList(int row)
{
    if (GridRowCount() <= 2 || row >= GridRowCount() - 1) {
        return;
    }
    TFigure* figure = FigureOfListRow(row);
    TFigure* below = FigureOfListRow(row + 1);
    if (figure == nullptr || below == nullptr) {
        return;
    }
    SwapFigureContents(*figure, *below);
    RedrawLabel(RedrawEditor);
    FillFigureListRows();
}

void TFigListDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFigListDlg::FormShow()
{
    setProperty("HelpFile", QString::fromStdString(ProgramPaths.HelpFileName));
}

void TFigListDlg::EditBtClick()
{
    if (const int row = SelectedRow(); row > 0) {
        EditFigureFromList(row);
    }
}

void TFigListDlg::SelBtClick()
{
    if (const int row = SelectedRow(); row > 0) {
        ToggleSelectionFromList(row);
    }
}

void TFigListDlg::DelBtClick()
{
    const int row = SelectedRow();
    const TFigure* figure = FigureOfListRow(row);
    if (figure == nullptr || !SureDel->isChecked()) {
        return;
    }
    const std::string caption = "Delete " + FigureListCells(*figure, row)[2];
    if (ShowMessageBox(caption, "Are You sure ?", true) == 1) {
        DeleteFigureFromList(row);
    }
}

void TFigListDlg::UpBtClick()
{
    const int row = SelectedRow();
    if (row <= 0) {
        return;
    }
    MoveFigureUpInList(row);
    if (row > 1) {
        SelectRow(row - 1);
    }
}

void TFigListDlg::DownBtClick()
{
    const int row = SelectedRow();
    if (row <= 0) {
        return;
    }
    MoveFigureDownInList(row);
    if (row + 1 < GridRowCount()) {
        SelectRow(row + 1);
    }
}

void TFigListDlg::CanBtClick()
{
    reject();
}

void TFigListDlg::ObjDblClick()
{
    if (const int row = SelectedRow(); row > 0) {
        ToggleSelectionFromList(row);
    }
}

bool TFigListDlg::ObjMouseDown(Qt::MouseButton button, QPoint position)
{
    if (button != Qt::RightButton) {
        return false;
    }
    const int tableRow = Obj->rowAt(position.y());
    if (tableRow >= 0) {
        SelectRow(tableRow + 1);
        EditFigureFromList(tableRow + 1);
    }
    return true;
}

bool TFigListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Obj->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (ObjMouseDown(mouse->button(), mouse->position().toPoint())) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFigListDlg::RepaintCanvas()
{
    if (ZKedit != nullptr) {
        ZKedit->Label()->update();
    }
}

}  // namespace zk
