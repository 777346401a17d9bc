#include "ui/dialogs/wprint_dlg.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/label_setup.h"
#include "engine/print/printing.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/number_field.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/form_order.h"
#include "ui/editor_hooks.h"

namespace zk {

namespace {

constexpr int PrintHelpContext = 124;
constexpr int MaxSetsOrCopies = 999;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeCount(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit("1", parent);
    edit->setObjectName(name);
    return edit;
}

}  // namespace

TWPrintDlg::TWPrintDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("WPrintDlg");
    FollowFormOrder(*this);
    QPushButton* canBt = AddHiddenCanBt(*this);
    TmpSets = MakeCount(this, "TmpSets");
    SelFormBt = MakeButton(this, "SelFormBt", "Select Form");
    VariablesBt = MakeButton(this, "VariablesBt", "Variables");
    PrintBt = MakeButton(this, "PrintBt", "Print");
    PrintBt->setDefault(true);
    TmpCopies = MakeCount(this, "TmpCopies");

    auto* fields = new QFormLayout;
    fields->addRow("Sets:", TmpSets);
    fields->addRow("Copies:", TmpCopies);
    auto* buttons = new QGridLayout;
    buttons->addWidget(SelFormBt, 0, 0);
    buttons->addWidget(VariablesBt, 0, 1);
    buttons->addWidget(PrintBt, 1, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TmpSets, &QLineEdit::editingFinished, this, &TWPrintDlg::TmpSetsExit);
    connect(SelFormBt, &QPushButton::clicked, this, &TWPrintDlg::SelFormBtClick);
    connect(VariablesBt, &QPushButton::clicked, this, &TWPrintDlg::VariablesBtClick);
    connect(PrintBt, &QPushButton::clicked, this, &TWPrintDlg::PrintBtClick);
    connect(canBt, &QPushButton::clicked, this, &TWPrintDlg::CanBtClick);
    FormCreate();
}

void TWPrintDlg::showEvent(QShowEvent* event)
{
    FormCreate();
    QDialog::showEvent(event);
}

void TWPrintDlg::FormCreate()
{
    SetFormHelp(*this, PrintHelpContext);
    setWindowTitle(FromCp1252(PrintDialogCaption));
}

void TWPrintDlg::PreparePrintDialog()
{
    PlacePrintDialog(this);
    ShowNumber(TmpSets, Settings.PrintSets);
    ShowNumber(TmpCopies, Settings.PrintCopies);
}

void TWPrintDlg::TmpSetsExit()
{
    TakeBoundedNumber(TmpSets, 1, MaxSetsOrCopies, Settings.PrintSets);
    TakeBoundedNumber(TmpCopies, 1, MaxSetsOrCopies, Settings.PrintCopies);
}

void TWPrintDlg::VariablesBtClick() { ShowNewValuesForPrinting(0, 0, false); }

void TWPrintDlg::PrintBtClick()
{
    if (ActiveFormName.empty()) {
        ShowMessageBox("Error", "No form is selected");
        return;
    }
    if (RefuseDuringExchange()) {
        return;
    }
    TmpSetsExit();
    const bool sent = PrintStoredForm(ActiveFormName.str());
    if (sent && CommLink.LinkError == 0 && CommLink.WriteAborted == 0) {
        IncrementCounters(Settings.PrintSets);
        // Texts may show the counters.
        RedrawLabel(RedrawEditor);
    }
}

void TWPrintDlg::SelFormBtClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    ReceiveObjectList(ObjectKindForm);
    if (CommLink.LinkError != 0) {
        return;
    }
    StoreAsSelectMode = 1;
    StoreAsDlg.ObjName.clear();
    // Picking a form there makes it the printer's active form and reads its variables.
    Ui().ShowStoreAsDialog();
    StoreAsSelectMode = 0;
    setWindowTitle(FromCp1252(PrintDialogCaption));
    // Texts may show the new form's variables.
    RedrawLabel(RedrawEditor);
}

void TWPrintDlg::CanBtClick() { reject(); }

}  // namespace zk
