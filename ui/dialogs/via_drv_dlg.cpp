#include "ui/dialogs/via_drv_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <optional>

#include "engine/link/exchange_guard.h"
#include "engine/model/variables.h"
#include "engine/render/redraw.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/printer_setup_dlg.h"
#include "ui/editor_hooks.h"
#include "ui/form_order.h"
#include "ui/main_window.h"
#include "ui/print/print_system_client.h"

namespace zk {

namespace {

constexpr int MaxSetsOrCopies = 999;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QSpinBox* MakeCount(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(1, MaxSetsOrCopies);
    box->setValue(1);
    box->setWrapping(false);
    return box;
}

// ` on "printer"` (with the preposition given), or nothing when no printer was named.
QString Naming(const char* preposition, const QString& printer)
{
    return printer.isEmpty() ? QString() : QString(" %1 \"%2\"").arg(preposition, printer);
}

// Why nothing was printed, or that it may have been. printer is empty when
// none was chosen and the print system did not say which is its default.
QString OutcomeText(PrintSystemAnswer answer, const QString& printer, const QString& detail)
{
    switch (answer) {
        case PrintSystemAnswer::MayHavePrinted:
            return QString("The print system took the job%1 but did not say whether it will print it. The label may "
                           "have printed; the counters were advanced.")
                .arg(Naming("for", printer));
        case PrintSystemAnswer::NoSuchPrinter:
            return QString("The printer \"%1\" is not available. Nothing was printed.").arg(printer);
        case PrintSystemAnswer::NoDefaultPrinter:
            return "No printer is chosen and the print system has no default printer. Nothing was printed.";
        case PrintSystemAnswer::MembersDiffer:
            return QString("The printers of the class \"%1\" differ in resolution or paper size. Nothing was printed; "
                           "choose one of its printers.")
                .arg(printer);
        case PrintSystemAnswer::ResolutionUnknown:
            return QString("The print system does not tell the resolution of \"%1\", so the label can't be printed "
                           "at its true size. Nothing was printed.")
                .arg(printer);
        case PrintSystemAnswer::EmptyClass:
            return QString("The class \"%1\" has no printers. Nothing was printed.").arg(printer);
        case PrintSystemAnswer::NotAccepting:
            return QString("The printer \"%1\" does not accept print jobs now. Nothing was printed.").arg(printer);
        case PrintSystemAnswer::Unreachable:
            return QString("The print system can't be reached. Nothing was printed%1.").arg(Naming("on", printer));
        case PrintSystemAnswer::NoAnswer:
            return QString("The print system did not answer in time. Nothing was printed%1.")
                .arg(Naming("on", printer));
        case PrintSystemAnswer::Refused:
        case PrintSystemAnswer::Done:
            break;
    }
    return QString("The print system refused the job%1 (%2). Nothing was printed.")
        .arg(Naming("for", printer), detail);
}

}  // namespace

TViaDrvDlg::TViaDrvDlg(QWidget* parent) : QDialog(parent), m_printSystem(new PrintSystemClient(this))
{
    setObjectName("ViaDrvDlg");
    FollowFormOrder(*this);
    setWindowTitle("Print using Windows driver");

    PrintBt = MakeButton(this, "PrintBt", "Print");
    PrintBt->setDefault(true);
    PrList = new QComboBox(this);
    PrList->setObjectName("PrList");
    // Filled when the print system lists its printers, at each showing.
    PrList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    PrList->setMinimumContentsLength(16);
    SetsUD = MakeCount(this, "SetsUD");
    SetsBox = SetsUD;
    CopiesUD = MakeCount(this, "CopiesUD");
    CopiesBox = CopiesUD;
    PrSetupBt = MakeButton(this, "PrSetupBt", "Printer Setup");
    VarBt = MakeButton(this, "VarBt", "Variables");
    CancelBt = MakeButton(this, "CancelBt", "Cancel");
    QPushButton* canBt = AddHiddenCanBt(*this);

    auto* fields = new QFormLayout;
    fields->addRow("Printer:", PrList);
    fields->addRow("Sets:", SetsBox);
    fields->addRow("Copies:", CopiesBox);
    auto* buttons = new QGridLayout;
    buttons->addWidget(PrSetupBt, 0, 0);
    buttons->addWidget(VarBt, 0, 1);
    buttons->addWidget(PrintBt, 1, 0);
    buttons->addWidget(CancelBt, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(PrintBt, &QPushButton::clicked, this, &TViaDrvDlg::PrintBtClick);
    connect(PrSetupBt, &QPushButton::clicked, this, &TViaDrvDlg::PrSetupBtClick);
    connect(VarBt, &QPushButton::clicked, this, &TViaDrvDlg::VarBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &TViaDrvDlg::CancelBtClick);
    connect(canBt, &QPushButton::clicked, this, &TViaDrvDlg::CanBtClick);
    // The list changes by itself only under a signal blocker: any change seen here is the user's choice.
    connect(PrList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_chosenPrinter = index >= 0 ? PrList->itemText(index) : QString(); });
    connect(m_printSystem, &PrintSystemClient::printersListed, this, &TViaDrvDlg::ShowPrinters);
    FormCreate();
}

void TViaDrvDlg::FormCreate()
{
    auto* mainWindow = qobject_cast<TZKedit*>(parent());
    if (mainWindow != nullptr) {
        mainWindow->HidePrintUsingDriverItem();
    }
}

void TViaDrvDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TViaDrvDlg::FormShow()
{
    PlacePrintDialog(this);
    m_printSystem->RequestPrinters();
}

void TViaDrvDlg::ShowPrinters(const PrinterList& list)
{
    // A list that didn't come is not an empty list: the last one stays,
    // and the next showing asks again.
    if (list.answer != PrintSystemAnswer::Done) {
        return;
    }
    m_printers = list.printers;
    m_listedPrinters = static_cast<int>(list.printers.size());
    m_defaultPrinter = QString::fromStdString(list.defaultPrinter);
    ShowChosenPrinter();
    UpdateButtons();
}

void TViaDrvDlg::ShowChosenPrinter()
{
    const QString shown = m_chosenPrinter.isEmpty() ? m_defaultPrinter : m_chosenPrinter;
    const QSignalBlocker quiet(PrList);
    PrList->clear();
    for (const PrinterDescription& printer : m_printers) {
        PrList->addItem(QString::fromStdString(printer.name));
    }
    if (!m_chosenPrinter.isEmpty() && PrList->findText(m_chosenPrinter) < 0) {
        PrList->addItem(m_chosenPrinter);
    }
    PrList->setCurrentIndex(PrList->findText(shown));
}

void TViaDrvDlg::UpdateButtons()
{
    // Until a list came, a print asks the print system itself.
    const bool printers = m_listedPrinters != 0;
    PrSetupBt->setEnabled(!m_printing && printers);
    VarBt->setEnabled(!m_printing);
    PrintBt->setEnabled(!m_printing && printers);
}

void TViaDrvDlg::PrintBtClick()
{
    PrintViaDriver();
}

void TViaDrvDlg::PrintViaDriver()
{
    // Another exchange's waits let window messages run: a print started
    // there would step the counters under it.
    if (RefuseDuringExchange()) {
        return;
    }
    // The waits below let window messages run: nothing may replace the
    // label or close the main window meanwhile.
    TExchangeGuard exchange;
    m_printing = true;
    UpdateButtons();
    // Nothing shown means the default printer.
    const std::string printer = PrList->currentIndex() >= 0 ? PrList->currentText().toStdString() : std::string();
    const PrinterLookup lookup = m_printSystem->Describe(printer);
    const std::optional<JobPage> page =
        lookup.answer == PrintSystemAnswer::Done ? ChooseJobPage(lookup.printer, m_settings) : std::nullopt;
    if (lookup.answer != PrintSystemAnswer::Done) {
        // The print system may have said which printer is its default before it failed.
        ReportOutcome(lookup.answer, lookup.printer.name.empty() ? printer : lookup.printer.name, lookup.detail);
    } else if (!page) {
        ReportOutcome(PrintSystemAnswer::ResolutionUnknown, lookup.printer.name, {});
    } else {
        PrintOn(lookup.printer.name, *page);
    }
    // The job drew the label off-screen: the canvas shows the counters' new values, as after a test print.
    RedrawLabel(RedrawEditor);
    m_printing = false;
    UpdateButtons();
}

void TViaDrvDlg::PrintOn(const std::string& printer, const JobPage& page)
{
    PrintJob job;
    job.printer = printer;
    job.title = "Label";
    if (page.media) {
        job.media = page.media->keyword;
    }
    job.resolution = page.resolution;
    const auto countersBefore = Counters;
    const QByteArray pdf = DrawLabelJob(page, SetsUD->value(), CopiesUD->value(), "Label");
    job.pdf.assign(pdf.constData(), static_cast<size_t>(pdf.size()));
    const JobAnswer sent = m_printSystem->Submit(std::move(job));
    // A job that may have printed keeps its counters: a number printed twice is worse than one left out.
    if (sent.answer != PrintSystemAnswer::Done && sent.answer != PrintSystemAnswer::MayHavePrinted) {
        // No set went out: the counters stand as before the job.
        Counters = countersBefore;
    }
    if (sent.answer != PrintSystemAnswer::Done) {
        ReportOutcome(sent.answer, printer, sent.detail);
    }
}

void TViaDrvDlg::ReportOutcome(PrintSystemAnswer answer, const std::string& printer, const std::string& detail)
{
    QMessageBox box(QMessageBox::NoIcon, "Error",
                    OutcomeText(answer, QString::fromStdString(printer), QString::fromStdString(detail)),
                    QMessageBox::Ok, this);
    box.exec();
}

void TViaDrvDlg::PrSetupBtClick()
{
    const std::string shown = PrList->currentText().toStdString();
    TPrinterSetupDlg setup(*m_printSystem, m_printers,
                           m_settings.printer == shown ? m_settings : PrinterSettings{shown, {}, {}}, this);
    if (setup.exec() == QDialog::Accepted) {
        m_settings = setup.Settings();
        m_chosenPrinter = QString::fromStdString(m_settings.printer);
        ShowChosenPrinter();
    }
}

void TViaDrvDlg::VarBtClick()
{
    ShowNewValuesForPrinting(1, 1, true);
}

void TViaDrvDlg::CancelBtClick()
{
    reject();
}

void TViaDrvDlg::CanBtClick()
{
    reject();
}

}  // namespace zk
