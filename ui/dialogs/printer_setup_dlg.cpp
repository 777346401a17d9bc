#include "ui/dialogs/printer_setup_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPoint>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/print/print_system_client.h"

namespace zk {

namespace {

QComboBox* MakeList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString MediaText(const PrinterMedia& media)
{
    return QString("%1 (%2 x %3 mm)")
        .arg(QString::fromStdString(media.name))
        .arg(media.widthHmm / 100.0, 0, 'g', 5)
        .arg(media.lengthHmm / 100.0, 0, 'g', 5);
}

QString ResolutionText(const PrinterResolution& resolution)
{
    return resolution.x == resolution.y ? QString("%1 dpi").arg(resolution.x)
                                        : QString("%1 x %2 dpi").arg(resolution.x).arg(resolution.y);
}

}  // namespace

TPrinterSetupDlg::TPrinterSetupDlg(PrintSystemClient& printSystem, std::vector<PrinterDescription> known,
                                   PrinterSettings chosen, QWidget* parent)
    : QDialog(parent), m_printers(std::move(known)), m_chosen(std::move(chosen))
{
    setObjectName("PrSetupDlg");
    setWindowTitle("Printer Setup");
    PrinterName = MakeList(this, "PrinterName");
    PaperSize = MakeList(this, "PaperSize");
    Resolution = MakeList(this, "Resolution");
    OkBt = MakeButton(this, "OkBt", "OK");
    OkBt->setDefault(true);
    CancelBt = MakeButton(this, "CancelBt", "Cancel");

    auto* fields = new QFormLayout;
    fields->addRow("Printer:", PrinterName);
    fields->addRow("Paper size:", PaperSize);
    fields->addRow("Resolution:", Resolution);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBt);
    buttons->addWidget(CancelBt);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrinterName, &QComboBox::currentIndexChanged, this, [this] { FillPrinterSettings(); });
    connect(&printSystem, &PrintSystemClient::printersListed, this, &TPrinterSetupDlg::ShowPrinters);

    FillPrinterNames();
    FillPrinterSettings();
    printSystem.RequestPrinters();
}

void TPrinterSetupDlg::ShowPrinters(const PrinterList& list)
{
    if (list.answer != PrintSystemAnswer::Done) {
        return;
    }
    // What the user has chosen so far stays chosen when the list comes again.
    if (!PrinterName->currentText().isEmpty()) {
        m_chosen = Settings();
    } else if (m_chosen.printer.empty()) {
        m_chosen.printer = list.defaultPrinter;
    }
    m_printers = list.printers;
    FillPrinterNames();
    FillPrinterSettings();
}

void TPrinterSetupDlg::FillPrinterNames()
{
    const QString shown =
        PrinterName->count() > 0 ? PrinterName->currentText() : QString::fromStdString(m_chosen.printer);
    const QSignalBlocker quiet(PrinterName);
    PrinterName->clear();
    for (const PrinterDescription& printer : m_printers) {
        PrinterName->addItem(QString::fromStdString(printer.name));
    }
    // A printer the print system no longer lists stays shown until another is chosen.
    if (!shown.isEmpty() && PrinterName->findText(shown) < 0) {
        PrinterName->addItem(shown);
    }
    PrinterName->setCurrentIndex(PrinterName->findText(shown));
}

const PrinterDescription* TPrinterSetupDlg::ShownPrinter() const
{
    const std::string name = PrinterName->currentText().toStdString();
    const auto found = std::find_if(m_printers.begin(), m_printers.end(),
                                    [&name](const PrinterDescription& printer) { return printer.name == name; });
    return found != m_printers.end() ? &*found : nullptr;
}

void TPrinterSetupDlg::FillPrinterSettings()
{
    const QSignalBlocker quietPaper(PaperSize);
    const QSignalBlocker quietResolution(Resolution);
    PaperSize->clear();
    Resolution->clear();
    const PrinterDescription* printer = ShownPrinter();
    if (printer == nullptr) {
        PaperSize->setEnabled(false);
        Resolution->setEnabled(false);
        return;
    }
    const PrinterSettings& chosen = printer->name == m_chosen.printer ? m_chosen : PrinterSettings{};
    const std::optional<JobPage> page = ChooseJobPage(*printer, chosen);
    const std::optional<PrinterMedia> paper = ChooseJobMedia(*printer, chosen);
    for (const PrinterMedia& media : printer->media) {
        PaperSize->addItem(MediaText(media), QString::fromStdString(media.keyword));
    }
    if (printer->membersDiffer) {
        PaperSize->addItem("The class's printers differ");
    } else if (printer->media.empty()) {
        PaperSize->addItem("The label's size");
    } else if (paper) {
        PaperSize->setCurrentIndex(PaperSize->findData(QString::fromStdString(paper->keyword)));
    }
    PaperSize->setEnabled(printer->media.size() > 1);

    for (const PrinterResolution& resolution : printer->resolutions) {
        Resolution->addItem(ResolutionText(resolution), QPoint(resolution.x, resolution.y));
    }
    if (printer->membersDiffer) {
        Resolution->addItem("The class's printers differ");
    } else if (!page) {
        // A print to it is refused.
        Resolution->addItem("Not known");
    } else if (printer->resolutions.empty()) {
        // What a print will use: the print system named only its default.
        Resolution->addItem(ResolutionText(page->resolution));
    } else {
        Resolution->setCurrentIndex(Resolution->findData(QPoint(page->resolution.x, page->resolution.y)));
    }
    Resolution->setEnabled(printer->resolutions.size() > 1);
}

PrinterSettings TPrinterSetupDlg::Settings() const
{
    PrinterSettings settings;
    settings.printer = PrinterName->currentText().toStdString();
    settings.media = PaperSize->currentData().toString().toStdString();
    if (const QVariant data = Resolution->currentData(); data.isValid()) {
        const QPoint dots = data.toPoint();
        settings.resolution = PrinterResolution{dots.x(), dots.y()};
    }
    return settings;
}

}  // namespace zk
