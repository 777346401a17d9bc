#include "ui/dialogs/var_cnt_dlg.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <span>

#include "engine/config/translation.h"
#include "engine/formread/variable_reply.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/variables.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/number_field.h"
#include "ui/dialogs/print_dialogs.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/form_order.h"
#include "ui/editor_hooks.h"

namespace zk {

namespace {

constexpr int VarCntHelpContext = 125;
constexpr int MaxLength = 63;
constexpr int MaxStep = 99;
constexpr int PromptCapacity = 27;
constexpr int ValueCapacity = 63;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    return edit;
}

std::span<TVariable> WorkingEntries(bool counters)
{
    if (counters) {
        return VarCntDialogCounters;
    }
    return VarCntDialogVariables;
}

char DefaultPadChar(bool counter) { return counter ? '0' : ' '; }

}  // namespace

TVarCntDlg::TVarCntDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("VarCntDlg");
    FollowFormOrder(*this);
    setWindowTitle("Define Variables and Counters");

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    VarBt = new QRadioButton("Variables", Panel1);
    VarBt->setObjectName("VarBt");
    VarBt->setChecked(true);
    CounterBt = new QRadioButton("Counters", Panel1);
    CounterBt->setObjectName("CounterBt");
    auto* kinds = new QHBoxLayout(Panel1);
    kinds->addWidget(VarBt);
    kinds->addWidget(CounterBt);

    VarCntList = new QListWidget(this);
    VarCntList->setObjectName("VarCntList");
    VarLen = MakeEdit(this, "VarLen", 0);
    VarLen->setText("6");
    VarAlign = new QComboBox(this);
    VarAlign->setObjectName("VarAlign");
    VarAlign->addItems({"None", "Left", "Center", "Right"});
    FillChar = MakeEdit(this, "FillChar", 1);
    Prompt = MakeEdit(this, "Prompt", PromptCapacity);
    VarValue = MakeEdit(this, "VarValue", ValueCapacity);
    Increment = MakeEdit(this, "Increment", 0);
    IncLabel = new QLabel("Increment:", this);
    IncLabel->setObjectName("IncLabel");
    NewBt = MakeButton(this, "NewBt", "New");
    DelBt = MakeButton(this, "DelBt", "Delete");
    OkBt = MakeButton(this, "OkBt", "OK");
    OkBt->setDefault(true);
    DelAllBt = MakeButton(this, "DelAllBt", "Delete All");
    FromPrBt = MakeButton(this, "FromPrBt", "From Printer");
    QPushButton* canBt = AddHiddenCanBt(*this);

    auto* fields = new QFormLayout;
    fields->addRow("Length:", VarLen);
    fields->addRow("Justify:", VarAlign);
    fields->addRow("Fill char:", FillChar);
    fields->addRow("Prompt:", Prompt);
    fields->addRow("Value:", VarValue);
    fields->addRow(IncLabel, Increment);
    auto* left = new QVBoxLayout;
    left->addWidget(Panel1);
    left->addWidget(VarCntList);
    auto* buttons = new QGridLayout;
    buttons->addWidget(NewBt, 0, 0);
    buttons->addWidget(DelBt, 0, 1);
    buttons->addWidget(DelAllBt, 0, 2);
    buttons->addWidget(FromPrBt, 1, 0);
    buttons->addWidget(OkBt, 1, 2);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    connect(VarBt, &QRadioButton::clicked, this, &TVarCntDlg::VarBtClick);
    connect(CounterBt, &QRadioButton::clicked, this, &TVarCntDlg::CounterBtClick);
    connect(VarCntList, &QListWidget::currentRowChanged, this, &TVarCntDlg::VarCntListClick);
    for (QLineEdit* edit : {VarLen, FillChar, Prompt, VarValue, Increment}) {
        connect(edit, &QLineEdit::editingFinished, this, &TVarCntDlg::VarLenExit);
    }
    connect(VarAlign, &QComboBox::activated, this, &TVarCntDlg::VarLenExit);
    FillChar->installEventFilter(this);
    connect(NewBt, &QPushButton::clicked, this, &TVarCntDlg::NewBtClick);
    connect(DelBt, &QPushButton::clicked, this, &TVarCntDlg::DelBtClick);
    connect(DelAllBt, &QPushButton::clicked, this, &TVarCntDlg::DelAllBtClick);
    connect(OkBt, &QPushButton::clicked, this, &TVarCntDlg::OkBtClick);
    connect(FromPrBt, &QPushButton::clicked, this, &TVarCntDlg::FromPrBtClick);
    connect(canBt, &QPushButton::clicked, this, &TVarCntDlg::CanBtClick);
}

void TVarCntDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TVarCntDlg::FormShow()
{
    SetFormHelp(*this, VarCntHelpContext);
    VarCntDialogVariables = Variables;
    VarCntDialogCounters = Counters;
    PlacePrintDialog(this);
    FillVarCntList();
    ShowSelectedVarCnt();
}

bool TVarCntDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FillChar) {
        if (event->type() == QEvent::FocusIn) {
            FillCharEnter();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            FillCharClick();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TVarCntDlg::CountersShown() const { return CounterBt->isChecked(); }

TVariable* TVarCntDlg::EntryOfRow(int row)
{
    if (row < 0) {
        return nullptr;
    }
    int defined = 0;
    for (TVariable& entry : WorkingEntries(CountersShown())) {
        if (entry.Defined != 0 && defined++ == row) {
            return &entry;
        }
    }
    return nullptr;
}

int TVarCntDlg::RowOfSlot(std::size_t slot) const
{
    const std::span<TVariable> entries = WorkingEntries(CountersShown());
    if (slot >= entries.size() || entries[slot].Defined == 0) {
        return -1;
    }
    int row = 0;
    for (std::size_t i = 0; i < slot; ++i) {
        row += entries[i].Defined != 0 ? 1 : 0;
    }
    return row;
}

void TVarCntDlg::FillVarCntList()
{
    const bool counters = CountersShown();
    Increment->setVisible(counters);
    IncLabel->setVisible(counters);
    m_shownEntry = nullptr;
    const QSignalBlocker blocker(VarCntList);
    VarCntList->clear();
    const std::span<TVariable> entries = WorkingEntries(counters);
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        if (entries[slot].Defined != 0) {
            VarCntList->addItem(QString(counters ? "Counter %1" : "Variable %1").arg(slot));
        }
    }
    VarCntList->setCurrentRow(VarCntList->count() > 0 ? 0 : -1);
}

void TVarCntDlg::ShowSelectedVarCnt()
{
    m_shownEntry = EntryOfRow(VarCntList->currentRow());
    m_shownCounter = CountersShown();
    if (m_shownEntry == nullptr) {
        for (QLineEdit* edit : {VarLen, FillChar, Increment, Prompt, VarValue}) {
            edit->clear();
        }
        VarAlign->setCurrentIndex(-1);
        return;
    }
    const TVariable& entry = *m_shownEntry;
    ShowNumber(VarLen, entry.Length);
    VarAlign->setCurrentIndex(entry.Justification < VarAlign->count() ? entry.Justification : -1);
    FillChar->setText(PrinterTextToWidget(std::string(1, static_cast<char>(entry.PadChar))));
    ShowNumber(Increment, m_shownCounter ? entry.Step : 0);
    Prompt->setText(PrinterTextToWidget(entry.Prompt.view()));
    VarValue->setText(PrinterTextToWidget(entry.Value.view()));
}

void TVarCntDlg::StoreSelectedVarCnt()
{
    if (m_shownEntry == nullptr) {
        return;
    }
    TVariable& entry = *m_shownEntry;
    std::int32_t length = entry.Length;
    TakeBoundedNumber(VarLen, 1, MaxLength, length);
    entry.Length = static_cast<std::uint8_t>(length);
    if (VarAlign->currentIndex() >= 0) {
        entry.Justification = static_cast<std::uint8_t>(VarAlign->currentIndex());
    }
    const std::string pad = WidgetTextToPrinter(FillChar->text().left(1));
    entry.PadChar = static_cast<std::uint8_t>(pad.empty() ? DefaultPadChar(m_shownCounter) : pad.front());
    if (m_shownCounter) {
        std::int32_t step = entry.Step;
        TakeBoundedNumber(Increment, -MaxStep, MaxStep, step);
        entry.Step = static_cast<std::int8_t>(step);
    } else {
        entry.Step = 0;
    }
    entry.Prompt = WidgetTextToPrinter(Prompt->text());
    entry.Value = WidgetTextToPrinter(VarValue->text());
}

void TVarCntDlg::VarBtClick()
{
    StoreSelectedVarCnt();
    FillVarCntList();
    ShowSelectedVarCnt();
}

void TVarCntDlg::CounterBtClick() { VarBtClick(); }

void TVarCntDlg::VarCntListClick()
{
    // The edits still show the entry selected before.
    StoreSelectedVarCnt();
    ShowSelectedVarCnt();
}

void TVarCntDlg::VarLenExit() { StoreSelectedVarCnt(); }

void TVarCntDlg::NewBtClick()
{
    StoreSelectedVarCnt();
    const bool counters = CountersShown();
    const std::span<TVariable> entries = WorkingEntries(counters);
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        TVariable& entry = entries[slot];
        if (entry.Defined != 0) {
            continue;
        }
        // The slot's old value stays: a re-defined variable keeps what it held.
        entry.Defined = 1;
        entry.Prompt = QString(counters ? "Counter %1" : "Variable %1").arg(slot).toStdString();
        entry.Length = 6;
        entry.Justification = 0;
        entry.PadChar = static_cast<std::uint8_t>(DefaultPadChar(counters));
        entry.Step = 0;
        FillVarCntList();
        {
            const QSignalBlocker blocker(VarCntList);
            VarCntList->setCurrentRow(RowOfSlot(slot));
        }
        ShowSelectedVarCnt();
        return;
    }
}

void TVarCntDlg::DelBtClick()
{
    StoreSelectedVarCnt();
    const int row = VarCntList->currentRow();
    TVariable* entry = EntryOfRow(row);
    if (entry == nullptr) {
        return;
    }
    entry->Defined = 0;
    FillVarCntList();
    if (row > 0) {
        const QSignalBlocker blocker(VarCntList);
        VarCntList->setCurrentRow(row - 1);
    }
    ShowSelectedVarCnt();
}

void TVarCntDlg::DelAllBtClick()
{
    for (TVariable& entry : VarCntDialogVariables) {
        entry.Defined = 0;
    }
    for (TVariable& entry : VarCntDialogCounters) {
        entry.Defined = 0;
    }
    FillVarCntList();
    ShowSelectedVarCnt();
}

void TVarCntDlg::FillCharEnter()
{
    // After the line edit's own focus and mouse handling, which would drop a selection made now.
    QTimer::singleShot(0, FillChar, &QLineEdit::selectAll);
}

void TVarCntDlg::FillCharClick() { FillCharEnter(); }

void TVarCntDlg::FromPrBtClick()
{
    if (RefuseDuringExchange()) {
        return;
    }
    StoreSelectedVarCnt();
    ShowCommunicating("Receiving variables");
    ReceiveVariables(VariablesTargetDialog);
    ReportNoResponse();
    if (CommLink.LinkError == 0) {
        FillVarCntList();
        ShowSelectedVarCnt();
    }
}

void TVarCntDlg::OkBtClick()
{
    StoreSelectedVarCnt();
    Variables = VarCntDialogVariables;
    Counters = VarCntDialogCounters;
    accept();
}

void TVarCntDlg::CanBtClick() { reject(); }

}  // namespace zk
