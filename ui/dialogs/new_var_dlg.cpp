#include "ui/dialogs/new_var_dlg.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/model/variables.h"
#include "engine/print/new_values.h"
#include "engine/print/printing.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/dialogs/via_drv_dlg.h"
#include "ui/form_order.h"
#include "ui/editor_hooks.h"

namespace zk {

namespace {

constexpr int NewVarHelpContext = 126;
constexpr int PromptColumnWidth = 180;
constexpr int RowHeight = 22;
constexpr int VisibleRows = 10;
constexpr int GridLeft = 8;
constexpr int GridTop = 8;
constexpr int GridWidth = 400;
constexpr int ClientWidth = GridLeft + GridWidth + 8;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
// A value holds 63 characters, one byte each in the printer's code page.
constexpr int ValueCapacity = 63;

// The value cells take no more than a value holds.
class TValueDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setMaxLength(ValueCapacity);
        }
        return editor;
    }
};

// Every defined variable, then counter, in slot order: the grid's rows.
template <typename Visit>
void ForEachDefinedRecord(Visit visit)
{
    int row = 0;
    for (TVariable& variable : Variables) {
        if (variable.Defined != 0) {
            visit(row++, variable);
        }
    }
    for (TVariable& counter : Counters) {
        if (counter.Defined != 0) {
            visit(row++, counter);
        }
    }
}

}  // namespace

TNewVarDlg::TNewVarDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("NewVarDlg");
    FollowFormOrder(*this);
    setWindowTitle("Update Variables and Counters");

    VarGrid = new QTableWidget(this);
    VarGrid->setObjectName("VarGrid");
    VarGrid->setColumnCount(2);
    VarGrid->horizontalHeader()->hide();
    VarGrid->verticalHeader()->hide();
    VarGrid->horizontalHeader()->setDefaultSectionSize(PromptColumnWidth);
    VarGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    VarGrid->verticalHeader()->setDefaultSectionSize(RowHeight);
    VarGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    VarGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    VarGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    VarGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    VarGrid->setItemDelegateForColumn(1, new TValueDelegate(VarGrid));
    QPalette white = VarGrid->palette();
    white.setColor(QPalette::Base, Qt::white);
    VarGrid->setPalette(white);

    OkBt = new QPushButton("OK", this);
    OkBt->setObjectName("OkBt");
    OkBt->setDefault(true);
    PrintBt = new QPushButton("Print", this);
    PrintBt->setObjectName("PrintBt");
    PrintBt->setAutoDefault(false);
    QPushButton* canBt = AddHiddenCanBt(*this);

    connect(OkBt, &QPushButton::clicked, this, &TNewVarDlg::OkBtClick);
    connect(PrintBt, &QPushButton::clicked, this, &TNewVarDlg::PrintBtClick);
    connect(canBt, &QPushButton::clicked, this, &TNewVarDlg::CanBtClick);
}

void TNewVarDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TNewVarDlg::FormShow() { SetFormHelp(*this, NewVarHelpContext); }

void TNewVarDlg::PrepareNewValuesDialog(int rows, bool withPrint)
{
    const int gridHeight = rows > VisibleRows - 1 ? VisibleRows * RowHeight + 13 : rows * (RowHeight + 1) + 3;
    const int clientHeight = gridHeight + GridTop + 50;
    VarGrid->setGeometry(GridLeft, GridTop, GridWidth, gridHeight);
    // The value column takes the rest of the grid inside its frame and,
    // when the rows scroll, beside the scroll bar.
    const int scrollBar = rows > VisibleRows ? VarGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    VarGrid->setColumnWidth(1, GridWidth - PromptColumnWidth - 2 * VarGrid->frameWidth() - scrollBar);
    setFixedSize(ClientWidth, clientHeight);
    const int buttonTop = clientHeight - 35;
    OkBt->setGeometry(withPrint ? 136 : 200, buttonTop, ButtonWidth, ButtonHeight);
    PrintBt->setGeometry(216, buttonTop, ButtonWidth, ButtonHeight);
    PrintBt->setVisible(withPrint);
    // Placed at the size it now has.
    PlacePrintDialog(this);

    VarGrid->clearContents();
    VarGrid->setRowCount(rows);
    ForEachDefinedRecord([this, rows](int row, const TVariable& record) {
        if (row >= rows) {
            return;
        }
        auto* prompt = new QTableWidgetItem(PrinterTextToWidget(record.Prompt.view()));
        // The grid's fixed column: shown, never edited.
        prompt->setFlags(Qt::ItemIsEnabled);
        prompt->setBackground(palette().button());
        VarGrid->setItem(row, 0, prompt);
        VarGrid->setItem(row, 1, new QTableWidgetItem(PrinterTextToWidget(record.Value.view())));
    });
    VarGrid->setCurrentCell(0, 1);
}

void TNewVarDlg::StoreNewValues()
{
    // A cell still being edited holds the newest text.
    if (QWidget* editor = VarGrid->indexWidget(VarGrid->currentIndex()); editor != nullptr) {
        QMetaObject::invokeMethod(VarGrid, "commitData", Q_ARG(QWidget*, editor));
    }
    ForEachDefinedRecord([this](int row, TVariable& record) {
        if (const QTableWidgetItem* cell = VarGrid->item(row, 1)) {
            record.Value = WidgetTextToPrinter(cell->text());
        }
    });
}

void TNewVarDlg::FillVariableGrid()
{
    ForEachDefinedRecord([this](int row, const TVariable& record) {
        if (QTableWidgetItem* cell = VarGrid->item(row, 1)) {
            cell->setText(PrinterTextToWidget(record.Value.view()));
        }
    });
}

void TNewVarDlg::OkBtClick()
{
    const bool sends = TestPrintMode == 0 && UpdateOnlyMode == 0;
    // A print from here shows no busy window over the dialog; the values
    // can't go out inside it, so OK keeps them typed until it is over.
    if (sends && RefuseDuringExchange()) {
        return;
    }
    StoreNewValues();
    if (sends) {
        SendNewValues();
    }
    accept();
}

void TNewVarDlg::PrintBtClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    StoreNewValues();
    if (DriverPrintMode != 0) {
        ViaDrvDlg().PrintViaDriver();
        FillVariableGrid();
    } else if (TestPrintMode != 0) {
        TestPrintWithNewValues();
    } else if (ActiveFormName.empty()) {
        ShowMessageBox("Error", "No form is selected");
    } else if (PrintFormWithNewValues(ActiveFormName.str())) {
        FillVariableGrid();
    }
}

void TNewVarDlg::TestPrintWithNewValues()
{
    TExchangeGuard exchange;
    // A print that went out reported and advanced the counters itself.
    if (PrintLabel()) {
        FillVariableGrid();
        return;
    }
    // The user's refusal to retry was the report; unlike the test print
    // dialog, this one adds none, only ends the exchange.
    ClosePort();
    if (CommLink.WriteAborted != 0 && StatusBoxEnabled == 1) {
        Ui().CloseBusyWindow();
    }
}

void TNewVarDlg::CanBtClick() { reject(); }

}  // namespace zk
