#pragma once
// "Test Print": sends the whole current label to the printer a chosen
// number of copies, optionally with new values for its variables first.
// The dialog stays open for further prints.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zk {

class TTestPrintDlg : public QDialog {
    Q_OBJECT

public:
    explicit TTestPrintDlg(QWidget* parent = nullptr);

    // Placed beside the main window, showing the copies last accepted.
    void PrepareTestPrintDialog();

    QLineEdit* TmpCopies;
    QPushButton* VariablesBt;
    QPushButton* PrintBt;

public slots:
    void TmpCopiesExit();
    void VariablesBtClick();
    void PrintBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
};

}  // namespace zk
