#pragma once
// "Update Variables and Counters": one grid row per defined variable, then
// counter, in slot order, with its prompt and an editable value. The row
// order is the only link between a row and its record. Depending on the
// mode flags (print_dialogs.h) OK only stores the values or also sends
// them, and Print test-prints, prints the stored form or prints through
// the system printer driver with them; after Print the dialog stays open
// showing the advanced counters.

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace zk {

class TNewVarDlg : public QDialog {
    Q_OBJECT

public:
    explicit TNewVarDlg(QWidget* parent = nullptr);

    // Sizes the form for rows rows (ten visible, the rest scroll), shows
    // the Print button only withPrint, and fills the grid.
    void PrepareNewValuesDialog(int rows, bool withPrint);
    // Column 1 of each row into the value of its record.
    void StoreNewValues();
    // Column 1 of each row from its record's current value.
    void FillVariableGrid();

    QTableWidget* VarGrid;
    QPushButton* OkBt;
    QPushButton* PrintBt;

public slots:
    void OkBtClick();
    void PrintBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    // Print in test-print mode: the whole label with the values just stored.
    void TestPrintWithNewValues();
};

}  // namespace zk
