#pragma once
// "Print using Windows driver": prints the rendered label on a printer of
// the desktop's print system, sets x copies pages, each label dot one
// printer dot at the printer's own resolution. Its creation hides the main
// menu's entry for it (the F5 shortcut still opens it); the new-values
// dialog prints through it too. The print system is asked only when the
// dialog shows or prints, never at its creation, and never without a bound.

#include <QDialog>
#include <QString>

#include <vector>

#include "ui/print/label_job.h"
#include "ui/print/printer_description.h"

class QComboBox;
class QPushButton;
class QSpinBox;

namespace zk {

class PrintSystemClient;

class TViaDrvDlg : public QDialog {
    Q_OBJECT

public:
    explicit TViaDrvDlg(QWidget* parent = nullptr);

    // Prints with the dialog's printer, sets and copies; the counters
    // advance by one step after each set, unless the print system did not
    // take the job (a job that may have printed keeps them advanced).
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
    // The printers the print system listed, the chosen one kept (even when
    // no longer listed: a print then says so); nothing chosen shows the
    // default printer. A list that didn't come leaves the last one.
    void ShowPrinters(const PrinterList& list);
    void ShowChosenPrinter();
    // Disabled while a print runs; Printer Setup and Print also while the
    // print system's last list named no printer.
    void UpdateButtons();
    // Draws the job on the page and hands it to the printer's queue.
    void PrintOn(const std::string& printer, const JobPage& page);
    // Tells the user why nothing was printed, or that it may have been.
    void ReportOutcome(PrintSystemAnswer answer, const std::string& printer, const std::string& detail);

    PrintSystemClient* m_printSystem;
    std::vector<PrinterDescription> m_printers;
    // How many printers the print system's last list named; -1 before one came.
    int m_listedPrinters = -1;
    QString m_chosenPrinter;
    QString m_defaultPrinter;
    PrinterSettings m_settings;
    bool m_printing = false;
};

}  // namespace zk
