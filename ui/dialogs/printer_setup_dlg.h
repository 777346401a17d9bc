#pragma once
// "Printer Setup": the printer a driver print goes to and its settings,
// the paper size and, where the printer offers several, the resolution.
// The number of copies is the driver print dialog's own. The lists come
// from the print system without waiting for it: they fill when it answers.

#include <QDialog>

#include <vector>

#include "ui/print/label_job.h"
#include "ui/print/printer_description.h"

class QComboBox;
class QPushButton;

namespace zk {

class PrintSystemClient;

class TPrinterSetupDlg : public QDialog {
    Q_OBJECT

public:
    // known: the printers as last listed; chosen: the settings to start from.
    TPrinterSetupDlg(PrintSystemClient& printSystem, std::vector<PrinterDescription> known, PrinterSettings chosen,
                     QWidget* parent);

    // The printer and settings shown.
    PrinterSettings Settings() const;

    QComboBox* PrinterName;
    QComboBox* PaperSize;
    QComboBox* Resolution;
    QPushButton* OkBt;
    QPushButton* CancelBt;

private:
    void ShowPrinters(const PrinterList& list);
    void FillPrinterNames();
    // Paper and resolution of the printer shown, as chosen before for it or its defaults.
    void FillPrinterSettings();
    const PrinterDescription* ShownPrinter() const;

    std::vector<PrinterDescription> m_printers;
    PrinterSettings m_chosen;
};

}  // namespace zk
