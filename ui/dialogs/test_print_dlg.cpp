#include "ui/dialogs/test_print_dlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/print/printing.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/number_field.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/form_order.h"
#include "ui/editor_hooks.h"

namespace zk {

namespace {

constexpr int TestPrintHelpContext = 123;
constexpr int MaxCopies = 999;

}  // namespace

TTestPrintDlg::TTestPrintDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("TestPrintDlg");
    FollowFormOrder(*this);
    setWindowTitle("Test Print");

    TmpCopies = new QLineEdit("1", this);
    TmpCopies->setObjectName("TmpCopies");
    VariablesBt = new QPushButton("Variables", this);
    VariablesBt->setObjectName("VariablesBt");
    VariablesBt->setAutoDefault(false);
    PrintBt = new QPushButton("Print", this);
    PrintBt->setObjectName("PrintBt");
    PrintBt->setDefault(true);
    QPushButton* canBt = AddHiddenCanBt(*this);

    auto* fields = new QFormLayout;
    fields->addRow("Copies:", TmpCopies);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(VariablesBt);
    buttons->addWidget(PrintBt);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TmpCopies, &QLineEdit::editingFinished, this, &TTestPrintDlg::TmpCopiesExit);
    connect(VariablesBt, &QPushButton::clicked, this, &TTestPrintDlg::VariablesBtClick);
    connect(PrintBt, &QPushButton::clicked, this, &TTestPrintDlg::PrintBtClick);
    connect(canBt, &QPushButton::clicked, this, &TTestPrintDlg::CanBtClick);
    FormCreate();
}

void TTestPrintDlg::showEvent(QShowEvent* event)
{
    FormCreate();
    QDialog::showEvent(event);
}

void TTestPrintDlg::FormCreate() { SetFormHelp(*this, TestPrintHelpContext); }

void TTestPrintDlg::PrepareTestPrintDialog()
{
    PlacePrintDialog(this);
    ShowNumber(TmpCopies, Settings.PrintCopies);
}

void TTestPrintDlg::TmpCopiesExit() { TakeBoundedNumber(TmpCopies, 1, MaxCopies, Settings.PrintCopies); }

void TTestPrintDlg::VariablesBtClick() { ShowNewValuesForPrinting(1, 0, false); }

void TTestPrintDlg::PrintBtClick()
{
    // A second click while the first print still sends would interleave two streams.
    if (RefuseDuringExchange()) {
        return;
    }
    TakeBoundedNumber(TmpCopies, 1, MaxCopies, Settings.PrintCopies);
    TExchangeGuard exchange;
    // A print that went out reported and advanced the counters itself.
    PrintLabel();
    if (CommLink.WriteAborted != 0) {
        ReportNoResponse();
    }
    ClosePort();
}

void TTestPrintDlg::CanBtClick() { reject(); }

}  // namespace zk
