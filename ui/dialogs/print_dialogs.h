#pragma once
// What the five variables and print forms share: the new-values dialog's
// mode flags, the hidden Esc button, bounded number fields, the texts
// between the model's printer bytes and the widgets, and the one form of
// each kind that lives for the whole run.

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zk {

class TTestPrintDlg;
class TWPrintDlg;
class TVarCntDlg;
class TNewVarDlg;
class TViaDrvDlg;

// 1: the new-values dialog was opened by "Update variables and counters";
// its OK only stores the values.
extern std::uint8_t UpdateOnlyMode;
// 1: its Print test-prints the whole label and its OK sends nothing;
// 0: its Print prints the stored form and its OK sends the values.
extern std::uint8_t TestPrintMode;
// 1: its Print goes through the system printer driver.
extern std::uint8_t DriverPrintMode;

// Program start: every flag 0.
void ResetPrintDialogModes();

// The hidden button CanBt "C", off the tab order, that Esc presses; the
// caller connects it to the form's CanBtClick.
QPushButton* AddHiddenCanBt(QDialog& form);

// The field's number when it is one within min..max; else value stays.
void TakeBoundedNumber(const QLineEdit* field, std::int32_t min, std::int32_t max, std::int32_t& value);

// Printer bytes shown in a widget, and a widget's text as printer bytes
// (through the chosen character translation).
QString PrinterTextToWidget(std::string_view printerText);
std::string WidgetTextToPrinter(const QString& text);

// Places form as every dialog of the program is placed, when the main
// window exists.
void PlacePrintDialog(QWidget* form);

// The Variables buttons of the print dialogs: the new-values dialog with
// its Print button in the given modes, then the label redrawn. With none
// defined, "No variables or counters defined" instead; standardBox shows it
// through the platform's message box rather than the program's.
void ShowNewValuesForPrinting(std::uint8_t testPrintMode, std::uint8_t driverPrintMode, bool standardBox);

// The forms, created beside the main window at its start (or on first use
// where there is none) and living as long as it does.
TTestPrintDlg& TestPrintDlg();
TWPrintDlg& WPrintDlg();
TVarCntDlg& VarCntDlg();
TNewVarDlg& NewVarDlg();
TViaDrvDlg& ViaDrvDlg();

// Creates all five; the driver dialog's creation hides its menu entry.
void InstallPrintDialogs(QWidget* parent);

}  // namespace zk
