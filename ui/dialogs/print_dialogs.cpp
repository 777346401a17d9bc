#include "ui/dialogs/print_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "engine/config/translation.h"
#include "engine/model/variables.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "ui/dialogs/new_var_dlg.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/dialogs/test_print_dlg.h"
#include "ui/dialogs/var_cnt_dlg.h"
#include "ui/dialogs/via_drv_dlg.h"
#include "ui/dialogs/wprint_dlg.h"
#include "ui/editing/field_checks.h"
#include "ui/main_window.h"

namespace zk {

std::uint8_t UpdateOnlyMode = 0;
std::uint8_t TestPrintMode = 0;
std::uint8_t DriverPrintMode = 0;

void ResetPrintDialogModes()
{
    UpdateOnlyMode = 0;
    TestPrintMode = 0;
    DriverPrintMode = 0;
}

QPushButton* AddHiddenCanBt(QDialog& form)
{
    auto* cancel = new QPushButton("C", &form);
    cancel->setObjectName("CanBt");
    cancel->setAutoDefault(false);
    cancel->setFocusPolicy(Qt::NoFocus);
    cancel->hide();
    return cancel;
}

void TakeBoundedNumber(const QLineEdit* field, std::int32_t min, std::int32_t max, std::int32_t& value)
{
    const std::string text = field->text().toStdString();
    if (CheckIntRange(text, min, max, value)) {
        value = TextToIntDef(text, value);
    }
}

QString PrinterTextToWidget(std::string_view printerText)
{
    return FromCp1252(TranslateToAnsi(printerText));
}

std::string WidgetTextToPrinter(const QString& text)
{
    return TranslateToOem(ToCp1252(text));
}

void PlacePrintDialog(QWidget* form)
{
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, form);
    }
}

void ShowNewValuesForPrinting(std::uint8_t testPrintMode, std::uint8_t driverPrintMode, bool standardBox)
{
    const std::size_t count = CountDefinedVarsCounters();
    if (count == 0) {
        if (standardBox) {
            QMessageBox box(QMessageBox::NoIcon, "Error", "No variables or counters defined", QMessageBox::Ok,
                            QApplication::activeWindow());
            box.exec();
        } else {
            ShowMessageBox("Error", "No variables or counters defined");
        }
        return;
    }
    UpdateOnlyMode = 0;
    DriverPrintMode = driverPrintMode;
    TNewVarDlg& form = NewVarDlg();
    form.PrepareNewValuesDialog(static_cast<int>(count), true);
    TestPrintMode = testPrintMode;
    form.exec();
    RedrawLabel(RedrawEditor);
}

namespace {

QPointer<QWidget> FormsParent;

template <typename Form>
Form& LivingForm(QPointer<Form>& form)
{
    if (form == nullptr) {
        form = new Form(FormsParent != nullptr ? FormsParent.data() : ZKedit);
    }
    return *form;
}

QPointer<TTestPrintDlg> TestPrintForm;
QPointer<TWPrintDlg> WPrintForm;
QPointer<TVarCntDlg> VarCntForm;
QPointer<TNewVarDlg> NewVarForm;
QPointer<TViaDrvDlg> ViaDrvForm;

}  // namespace

TTestPrintDlg& TestPrintDlg() { return LivingForm(TestPrintForm); }
TWPrintDlg& WPrintDlg() { return LivingForm(WPrintForm); }
TVarCntDlg& VarCntDlg() { return LivingForm(VarCntForm); }
TNewVarDlg& NewVarDlg() { return LivingForm(NewVarForm); }
TViaDrvDlg& ViaDrvDlg() { return LivingForm(ViaDrvForm); }

void InstallPrintDialogs(QWidget* parent)
{
    FormsParent = parent;
    TestPrintDlg();
    WPrintDlg();
    VarCntDlg();
    NewVarDlg();
    ViaDrvDlg();
}

}  // namespace zk
