#include "ui/dialogs/settings_dlg.h"

#include <QCheckBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "engine/config/translation.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/model/label_setup.h"
#include "engine/render/redraw.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/settings_service.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/editor_hooks.h"
#include "ui/form_order.h"
#include "ui/main_window.h"

namespace zk {

std::function<void()> EnumerateSerialPortsHook;

void CallEnumerateSerialPorts()
{
    if (EnumerateSerialPortsHook) {
        EnumerateSerialPortsHook();
    } else {
        EnumerateSerialPorts();
    }
}

void TDropDownList::showPopup()
{
    if (OnDropDown) {
        OnDropDown();
    }
    QComboBox::showPopup();
}

namespace {

constexpr int SettingsHelpContext = 127;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

template <typename List>
List* MakeList(QWidget* parent, const char* name, std::initializer_list<const char*> items)
{
    auto* list = new List(parent);
    list->setObjectName(name);
    for (const char* item : items) {
        list->addItem(item);
    }
    return list;
}

QGroupBox* MakeGroup(QWidget* parent, const char* title, QLayout* content)
{
    auto* group = new QGroupBox(title, parent);
    group->setLayout(content);
    return group;
}

void TakeIndex(const QComboBox* list, std::int32_t& value)
{
    if (list->currentIndex() >= 0) {
        value = list->currentIndex();
    }
}

}  // namespace

TSettingsDlg::TSettingsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("SettingsDlg");
    FollowFormOrder(*this);
    setWindowTitle("Settings and Diagnostic");

    PortNumber = MakeList<TDropDownList>(this, "PortNumber", {});
    PortNumber->OnDropDown = [this] { FillPortList(); };
    Bauds = MakeList<QComboBox>(this, "Bauds", {"2400", "4800", "9600", "19200", "38400", "57600", "115200"});
    Protocol = MakeList<QComboBox>(this, "Protocol", {"Hardware", "Xon / Xoff"});
    DiagnBt = MakeButton(this, "DiagnBt", "Diagnostic Information");
    FormsBt = MakeButton(this, "FormsBt", "Forms List");
    GraphicsBt = MakeButton(this, "GraphicsBt", "Graphics List");
    FontsBt = MakeButton(this, "FontsBt", "Fonts List");
    SetClock = MakeButton(this, "SetClock", "Set");
    GetClock = MakeButton(this, "GetClock", "Get");
    ClockData = new QLineEdit(this);
    ClockData->setObjectName("ClockData");
    ClockData->setReadOnly(true);
    TPrintMode = MakeList<QComboBox>(this, "TPrintMode",
                                     {"Use stored fonts and graphics", "Send fonts and graphics directly"});
    DefaultBt = MakeButton(this, "DefaultBt", "Default Parameters");
    ResetBt = MakeButton(this, "ResetBt", "Reset Printer");
    CalibrationBt = MakeButton(this, "CalibrationBt", "Calibration");
    TrnList = MakeList<QComboBox>(this, "TrnList", {});
    // Filled at each showing (ports come and go, translation files are
    // named): the lists widen to their longest entry.
    PortNumber->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    TrnList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    EnableR2L = new QCheckBox("Allow Reverse Direction", this);
    EnableR2L->setObjectName("EnableR2L");
    OkBt = MakeButton(this, "OkBt", "OK");
    OkBt->setDefault(true);
    AddHiddenCancelButton(*this);

    auto* port = new QFormLayout;
    port->addRow("Port:", PortNumber);
    port->addRow("Bauds:", Bauds);
    port->addRow("Protocol:", Protocol);
    auto* print = new QVBoxLayout;
    print->addWidget(DiagnBt);
    print->addWidget(FormsBt);
    print->addWidget(GraphicsBt);
    print->addWidget(FontsBt);
    auto* clock = new QHBoxLayout;
    clock->addWidget(SetClock);
    clock->addWidget(GetClock);
    clock->addWidget(ClockData, 1);
    auto* reset = new QVBoxLayout;
    reset->addWidget(DefaultBt);
    reset->addWidget(ResetBt);
    reset->addWidget(CalibrationBt);
    auto* translation = new QFormLayout;
    translation->addRow("Windows - Printer:", TrnList);
    auto* testPrint = new QFormLayout;
    testPrint->addRow("Test print:", TPrintMode);

    auto* grid = new QGridLayout;
    grid->addWidget(MakeGroup(this, " Serial Port ", port), 0, 0);
    grid->addWidget(MakeGroup(this, " Print ", print), 0, 1);
    grid->addWidget(MakeGroup(this, " Reset ", reset), 1, 1);
    grid->addWidget(MakeGroup(this, " Translation ", translation), 1, 0);
    grid->addWidget(MakeGroup(this, " Clock ", clock), 2, 0, 1, 2);
    grid->addLayout(testPrint, 3, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(EnableR2L);
    bottom->addStretch();
    bottom->addWidget(OkBt);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(DiagnBt, &QPushButton::clicked, this, &TSettingsDlg::DiagnBtClick);
    connect(FormsBt, &QPushButton::clicked, this, &TSettingsDlg::FormsBtClick);
    connect(GraphicsBt, &QPushButton::clicked, this, &TSettingsDlg::GraphicsBtClick);
    connect(FontsBt, &QPushButton::clicked, this, &TSettingsDlg::FontsBtClick);
    connect(DefaultBt, &QPushButton::clicked, this, &TSettingsDlg::DefaultBtClick);
    connect(ResetBt, &QPushButton::clicked, this, &TSettingsDlg::ResetBtClick);
    connect(SetClock, &QPushButton::clicked, this, &TSettingsDlg::SetClockClick);
    connect(GetClock, &QPushButton::clicked, this, &TSettingsDlg::GetClockClick);
    connect(CalibrationBt, &QPushButton::clicked, this, &TSettingsDlg::CalibrationBtClick);
    connect(OkBt, &QPushButton::clicked, this, &TSettingsDlg::OkBtClick);
}

void TSettingsDlg::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TSettingsDlg::FormShow()
{
    SetFormHelp(*this, SettingsHelpContext);
    // The menus refuse to open this form during an exchange, so no exchange owns the port.
    ClosePort();
    FillSettingsDialog();
}

void TSettingsDlg::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    FormClose();
}

void TSettingsDlg::FormClose()
{
    // A service command that still runs is left to finish, but nobody is
    // there any more to answer for it: a byte the printer refuses ends it
    // without a question, as it ends the terminal's send once that is closed.
    if (m_portBorrowed) {
        AbandonRunningExchange();
    }
    PortNumber->setCurrentIndex(Settings.Port);
    Bauds->setCurrentIndex(Settings.BaudIndex);
    Protocol->setCurrentIndex(Settings.Protocol);
    TPrintMode->setCurrentIndex(Settings.DirectGraphics);
}

void TSettingsDlg::FillPortList()
{
    // A port chosen but not yet confirmed stays chosen when the list is refilled.
    const QString chosen = PortNumber->currentIndex() >= 0 && isVisible() ? PortNumber->currentText() : QString();
    CallEnumerateSerialPorts();
    const auto& ports = ProgramPaths.SerialPortList;
    if (Settings.Port < 0 || static_cast<std::size_t>(Settings.Port) >= ports.size()) {
        Settings.Port = 0;
    }
    PortNumber->clear();
    for (const std::string& name : ports) {
        PortNumber->addItem(QFile::decodeName(name.c_str()));
    }
    const int kept = chosen.isEmpty() ? -1 : PortNumber->findText(chosen);
    PortNumber->setCurrentIndex(kept >= 0 ? kept : Settings.Port);
}

void TSettingsDlg::FillSettingsDialog()
{
    PortNumber->clear();
    FillPortList();
    Bauds->setCurrentIndex(Settings.BaudIndex);
    Protocol->setCurrentIndex(Settings.Protocol);
    TPrintMode->setCurrentIndex(Settings.DirectGraphics);
    ClockData->clear();
    TrnList->clear();
    TrnList->addItem("ANSI to OEM");
    TrnList->addItem("None");
    for (const std::filesystem::path& file : ProgramPaths.TranslationFileList) {
        TrnList->addItem("File: " + QFile::decodeName(file.filename().string().c_str()));
    }
    TrnList->setCurrentIndex(Settings.Translation);
    EnableR2L->setVisible(Settings.EnableRlDir == 1);
    EnableR2L->setChecked(Settings.EnableRlDir == 1);
    // Sized to the lists just filled, then placed at that size.
    layout()->activate();
    adjustSize();
    if (ZKedit != nullptr) {
        ZKedit->PlaceDialog(-1, 0, this);
    }
}

void TSettingsDlg::UseDialogPortSettings()
{
    SavedPort = Settings.Port;
    SavedBaudIndex = Settings.BaudIndex;
    SavedProtocol = Settings.Protocol;
    TakeIndex(PortNumber, Settings.Port);
    TakeIndex(Bauds, Settings.BaudIndex);
    TakeIndex(Protocol, Settings.Protocol);
}

void TSettingsDlg::RestorePortSettings()
{
    Settings.Port = SavedPort;
    Settings.BaudIndex = SavedBaudIndex;
    Settings.Protocol = SavedProtocol;
}

void TSettingsDlg::WithDialogPort(const std::function<void()>& exchange)
{
    if (RefuseDuringExchange()) {
        return;
    }
    UseDialogPortSettings();
    m_portBorrowed = true;
    exchange();
    m_portBorrowed = false;
    RestorePortSettings();
}

void TSettingsDlg::DiagnBtClick()
{
    WithDialogPort([] { SendServiceCommand(DiagnosticCommand); });
}

void TSettingsDlg::FormsBtClick()
{
    WithDialogPort([] { SendServiceCommand(FormsListCommand); });
}

void TSettingsDlg::GraphicsBtClick()
{
    WithDialogPort([] { SendServiceCommand(GraphicsListCommand); });
}

void TSettingsDlg::FontsBtClick()
{
    WithDialogPort([] { SendServiceCommand(FontsListCommand); });
}

void TSettingsDlg::DefaultBtClick()
{
    WithDialogPort([] { SendServiceCommand(DefaultParametersCommand); });
}

void TSettingsDlg::ResetBtClick()
{
    // Refused before the warning: a Yes given during an exchange could only be refused afterwards.
    if (RefuseDuringExchange()) {
        return;
    }
    if (ShowMessageBox("Warning", "All information in printer will be erased !", true) != 1) {
        return;
    }
    WithDialogPort([] { SendServiceCommand(ResetPrinterCommand); });
}

void TSettingsDlg::SetClockClick()
{
    WithDialogPort([] { SetPrinterClock(); });
}

void TSettingsDlg::GetClockClick()
{
    WithDialogPort([this] { ClockData->setText(FromCp1252(ReadPrinterClock())); });
}

void TSettingsDlg::CalibrationBtClick()
{
    static constexpr const char* Warning =
        "WARNING! For label printer ZK-7300H only\n"
        "The current label mode (Black line or normal label) must be selected\n"
        "before switching the printer on (DIP switches 6 and 7). Place a label\n"
        "roll in the printer with at least one label gap in the next 20 cm.\n"
        "The printer will detect label sensor levels and write them. Only the\n"
        "current label mode will be calibrated. Do You want to continue ?";
    if (RefuseDuringExchange()) {
        return;
    }
    // The desktop's standard boxes, for the question and for the outcome.
    QMessageBox question(QMessageBox::NoIcon, "Label sensor sensitivity calibration", Warning,
                         QMessageBox::Yes | QMessageBox::No, this);
    if (question.exec() != QMessageBox::Yes) {
        return;
    }
    TCalibrationResult result;
    WithDialogPort([&result] { result = CalibrateLabelSensor(); });
    // Closed meanwhile, the dialog ended the calibration: nothing to show.
    if (!result.PortOpened || !isVisible()) {
        return;
    }
    QMessageBox outcome(QMessageBox::NoIcon, result.Answered ? "Calibration response" : "Error",
                        result.Answered ? FromCp1252(result.Reply) : QString("No printer response"), QMessageBox::Ok,
                        this);
    outcome.exec();
}

void TSettingsDlg::OkBtClick()
{
    TakeIndex(PortNumber, Settings.Port);
    TakeIndex(Bauds, Settings.BaudIndex);
    TakeIndex(Protocol, Settings.Protocol);
    TakeIndex(TPrintMode, Settings.DirectGraphics);
    TakeIndex(TrnList, Settings.Translation);
    Settings.EnableRlDir = EnableR2L->isChecked() ? 1 : 0;
    // Confirmed while an exchange has borrowed the port choices (it lets
    // window messages run): the confirmed ones are what it gives back.
    if (m_portBorrowed) {
        SavedPort = Settings.Port;
        SavedBaudIndex = Settings.BaudIndex;
        SavedProtocol = Settings.Protocol;
    }
    LoadTranslationTables();
    RedrawLabel(RedrawEditor);
    accept();
}

TSettingsDlg& SettingsDlg()
{
    static QPointer<TSettingsDlg> form;
    if (form == nullptr) {
        form = new TSettingsDlg(ZKedit);
    }
    return *form;
}

void InstallFirstRunSettingsDialog()
{
    EditorHooks.ShowSettingsDialog = [] { SettingsDlg().exec(); };
}

}  // namespace zk
