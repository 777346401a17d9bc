#pragma once
// "Print using Windows driver": prints the rendered label on a printer of
// the desktop's print system, sets x copies pages, each label dot one
// printer pixel. Its creation hides the main menu's entry for it (the F5
// shortcut still opens it); the new-values dialog prints through it too.

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace zk {

class TViaDrvDlg : public QDialog {
    Q_OBJECT

public:
    explicit TViaDrvDlg(QWidget* parent = nullptr);

    // Prints with the dialog's printer, sets and copies; the counters
    // advance by one step after each set.
    void PrintViaDriver();

    QPushButton* PrintBt;
    QComboBox* PrList;
    // Each box and its up-down are one spin box, named after the up-down.
    QSpinBox* SetsUD;
    QSpinBox* SetsBox;
    QSpinBox* CopiesUD;
    QSpinBox* CopiesBox;
    QPushButton* PrSetupBt;
    QPushButton* VarBt;
    QPushButton* CancelBt;

public slots:
    void PrintBtClick();
    void PrSetupBtClick();
    void VarBtClick();
    void CancelBtClick();
    void CanBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    // The desktop's printers, the chosen one kept; nothing chosen means
    // the default printer.
    void FillPrinterList();
    void SetPrintButtonsEnabled(bool enabled);

    // At the printer's own resolution, so that a label dot is a printer
    // pixel. Replaced after a job the print system refused to start: Qt
    // holds such a printer as busy, refusing every later change and job.
    std::unique_ptr<QPrinter> m_printer = MakePrinter();

    static std::unique_ptr<QPrinter> MakePrinter();
};

// Runs on the job's printer after the dialog has chosen it; tests send the
// pages to a PDF file here.
extern std::function<void(QPrinter&)> DriverPrinterHook;

}  // namespace zk
