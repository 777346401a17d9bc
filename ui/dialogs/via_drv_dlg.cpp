#include "ui/dialogs/via_drv_dlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/print/printing.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

std::function<void(QPrinter&)> DriverPrinterHook;

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

// The label as the print job draws it: a copy, so that a redraw while the
// job lets window messages run cannot pull the pixels away.
QImage RenderedLabel()
{
    RedrawLabel(RedrawDriverPrint);
    const QImage view(reinterpret_cast<const uchar*>(LabelImage.Bits()), LabelImage.Width(), LabelImage.Height(),
                      LabelImage.BytesPerLine(), QImage::Format_RGB32);
    return view.copy();
}

}  // namespace

TViaDrvDlg::TViaDrvDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("ViaDrvDlg");
    FollowFormOrder(*this);
    setWindowTitle("Print using Windows driver");

    PrintBt = MakeButton(this, "PrintBt", "Print");
    PrintBt->setDefault(true);
    PrList = new QComboBox(this);
    PrList->setObjectName("PrList");
    // Filled at each showing with the desktop's printer names.
    PrList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
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
    FormCreate();
}

std::unique_ptr<QPrinter> TViaDrvDlg::MakePrinter()
{
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
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
    FillPrinterList();
}

void TViaDrvDlg::FillPrinterList()
{
    const QString chosen = PrList->currentText();
    PrList->clear();
    PrList->addItems(QPrinterInfo::availablePrinterNames());
    PrList->setCurrentIndex(PrList->findText(chosen));
}

void TViaDrvDlg::SetPrintButtonsEnabled(bool enabled)
{
    PrSetupBt->setEnabled(enabled);
    VarBt->setEnabled(enabled);
    PrintBt->setEnabled(enabled);
}

void TViaDrvDlg::PrintBtClick() { PrintViaDriver(); }

void TViaDrvDlg::PrintViaDriver()
{
    SetPrintButtonsEnabled(false);
    const int chosen = PrList->currentIndex();
    m_printer->setPrinterName(chosen >= 0 ? PrList->itemText(chosen) : QPrinterInfo::defaultPrinterName());
    if (DriverPrinterHook) {
        DriverPrinterHook(*m_printer);
    }
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        m_printer = MakePrinter();
        QMessageBox box(QMessageBox::NoIcon, "Error", "Can't start printing", QMessageBox::Ok, this);
        box.exec();
    } else {
        // Bars and text edges reach the print system as drawn, never blurred by JPEG.
        painter.setRenderHint(QPainter::LosslessImageRendering);
        const int sets = SetsUD->value();
        const int copies = CopiesUD->value();
        for (int set = 1; set <= sets; ++set) {
            const QImage label = RenderedLabel();
            for (int copy = 1; copy <= copies; ++copy) {
                Ui().ProcessMessages();
                // The painter's units are the printer's pixels: one label dot each.
                painter.drawImage(0, 0, label);
                Ui().ProcessMessages();
                if (set < sets || copy < copies) {
                    m_printer->newPage();
                }
            }
            IncrementCounters(1);
        }
        painter.end();
    }
    // Failed or not, the job is over: the dialog stays usable (another
    // printer, other settings, another try).
    SetPrintButtonsEnabled(true);
}

void TViaDrvDlg::PrSetupBtClick()
{
    const int chosen = PrList->currentIndex();
    m_printer->setPrinterName(chosen >= 0 ? PrList->itemText(chosen) : QPrinterInfo::defaultPrinterName());
    QPrintDialog setup(m_printer.get(), this);
    if (setup.exec() == QDialog::Accepted) {
        PrList->setCurrentIndex(PrList->findText(m_printer->printerName()));
    }
}

void TViaDrvDlg::VarBtClick() { ShowNewValuesForPrinting(1, 1, true); }

void TViaDrvDlg::CancelBtClick() { reject(); }

void TViaDrvDlg::CanBtClick() { reject(); }

}  // namespace zk
