#pragma once
// "Print": prints the form stored in the printer's memory (its active
// form) in sets and copies, lets the user pick another stored form, and
// advances the counters by the number of sets. Stays open for further
// prints.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zk {

class TWPrintDlg : public QDialog {
    Q_OBJECT

public:
    explicit TWPrintDlg(QWidget* parent = nullptr);

    // Placed beside the main window, showing the sets and copies last
    // accepted.
    void PreparePrintDialog();

    QLineEdit* TmpSets;
    QPushButton* SelFormBt;
    QPushButton* VariablesBt;
    QPushButton* PrintBt;
    QLineEdit* TmpCopies;

public slots:
    void TmpSetsExit();
    void VariablesBtClick();
    void PrintBtClick();
    void SelFormBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Help, and the caption naming the printer's active form.
    void FormCreate();
};

}  // namespace zk
