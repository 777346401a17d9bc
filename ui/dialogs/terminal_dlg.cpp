#include "ui/dialogs/terminal_dlg.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/report/ui_services.h"
#include "ui/dialogs/setup_dialog_parts.h"
#include "ui/form_order.h"
#include "ui/label_canvas.h"
#include "ui/main_window.h"

namespace zk {

TTerminalPort TerminalPort;

namespace {

constexpr int TopPanelHeight = 40;
constexpr int ControlHeight = 24;
constexpr int ButtonWidth = 72;
constexpr int Gap = 8;

int PortBytesWaiting()
{
    return TerminalPort.BytesWaiting ? TerminalPort.BytesWaiting() : BytesWaiting();
}

std::size_t PortRead(std::span<std::uint8_t> buffer)
{
    if (TerminalPort.Read) {
        return TerminalPort.Read(buffer);
    }
    std::size_t count = 0;
    while (count < buffer.size() && ReadByte(buffer[count])) {
        ++count;
    }
    return count;
}

QColor PieceColour(TTerminalColour colour)
{
    switch (colour) {
    case TTerminalColour::Sent: return QColor(0xFF, 0x00, 0x00);
    case TTerminalColour::Code: return QColor(0x00, 0x80, 0x00);
    case TTerminalColour::Text: break;
    }
    return QColor(0x00, 0x00, 0xFF);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TTerminalDlg::TTerminalDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      RStimer(this),
      TerminalReceiveBuffer(ReceiveBufferSize)
{
    setObjectName("TerminalDlg");
    FollowFormOrder(*this);
    setWindowTitle("Terminal");
    setSizeGripEnabled(true);

    TopPanel = new QWidget(this);
    TopPanel->setObjectName("TopPanel");
    TopPanel->setFixedHeight(TopPanelHeight);
    InputBox = new QComboBox(TopPanel);
    InputBox->setObjectName("InputBox");
    InputBox->setEditable(true);
    InputBox->setInsertPolicy(QComboBox::NoInsert);
    InputBox->installEventFilter(this);
    InputBox->lineEdit()->installEventFilter(this);
    SendBt = MakeButton(TopPanel, "SendBt", "Send");
    SendBt->setDefault(true);
    ModeBt = MakeButton(TopPanel, "ModeBt", "HEX");
    Clear = MakeButton(TopPanel, "Clear", "Clear");

    TrmField = new QPlainTextEdit(this);
    TrmField->setObjectName("TrmField");
    TrmField->setReadOnly(true);
    // It hands the focus straight back to the input: no Tab stop, or Tab
    // would never get past it to the buttons.
    TrmField->setFocusPolicy(Qt::ClickFocus);
    TrmField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TrmField->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    TrmField->installEventFilter(this);
    AddHiddenCancelButton(*this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPanel);
    layout->addWidget(TrmField, 1);
    resize(560, 360);

    RStimer.setObjectName("RStimer");
    RStimer.setSingleShot(true);
    RStimer.setInterval(0);
    connect(&RStimer, &QTimer::timeout, this, &TTerminalDlg::RStimerTimer);
    connect(SendBt, &QPushButton::clicked, this, &TTerminalDlg::SendBtClick);
    connect(ModeBt, &QPushButton::clicked, this, &TTerminalDlg::ModeBtClick);
    connect(Clear, &QPushButton::clicked, this, &TTerminalDlg::ClearClick);
}

TTerminalDlg::~TTerminalDlg()
{
    StopTerminal();
}

void TTerminalDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TTerminalDlg::FormShow()
{
    TerminalStop = 0;
    if (m_exchange == nullptr) {
        m_exchange = std::make_unique<TExchangeGuard>();
        // A failed open reports itself; the terminal then shows nothing and sends nothing.
        OpenPort();
        if (CommLink.PortHandle >= 0) {
            m_portReady = std::make_unique<QSocketNotifier>(CommLink.PortHandle, QSocketNotifier::Read);
            connect(m_portReady.get(), &QSocketNotifier::activated, this, &TTerminalDlg::PortReady);
        }
    }
    InputBox->setFocus();
    if (ZKedit != nullptr) {
        ZKedit->PlaceAtLabel({16, 48}, *this);
    }
    ShowMode();
    TrmField->clear();
    FormResize();
}

void TTerminalDlg::done(int result)
{
    TerminalStop = 1;
    StopTerminal();
    QDialog::done(result);
}

void TTerminalDlg::StopTerminal()
{
    // A line sent but not yet shown belongs to this session only.
    TerminalEcho.clear();
    RStimer.stop();
    m_portReady.reset();
    if (m_exchange != nullptr) {
        ClosePort();
        m_exchange.reset();
    }
}

bool TTerminalDlg::IsWatchingPort() const { return m_portReady != nullptr && m_portReady->isEnabled(); }

void TTerminalDlg::PortReady()
{
    // Readable with nothing to read: the device hung up or went away. Left
    // watched, it would wake the terminal again at once, for ever.
    if (PortBytesWaiting() <= 0) {
        m_portReady->setEnabled(false);
        return;
    }
    RStimerTimer();
}

void TTerminalDlg::RStimerTimer()
{
    if (TerminalStop == 1) {
        return;
    }
    const int waiting = std::max(PortBytesWaiting(), 0);
    if (!TerminalEcho.empty()) {
        std::string shown = TerminalEcho;
        std::erase(shown, '\r');
        Append({TTerminalColour::Sent, shown});
        TerminalEcho.clear();
        ScrollToEnd();
    } else if (waiting > 0) {
        const std::size_t wanted = std::min(static_cast<std::size_t>(waiting), TerminalReceiveBuffer.size());
        const std::size_t count = PortRead(std::span(TerminalReceiveBuffer).first(wanted));
        const auto received = std::span<const std::uint8_t>(TerminalReceiveBuffer).first(count);
        for (const TTerminalPiece& piece : FormatReceivedBytes(received, TerminalHexMode == 1)) {
            Append(piece);
        }
        ScrollToEnd();
    }
}

void TTerminalDlg::Append(const TTerminalPiece& piece)
{
    QTextCursor cursor(TrmField->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(PieceColour(piece.colour));
    cursor.insertText(FromCp1252(piece.text), format);
}

void TTerminalDlg::ScrollToEnd()
{
    TrmField->moveCursor(QTextCursor::End);
    TrmField->ensureCursorVisible();
}

void TTerminalDlg::SendBtClick()
{
    // One line at a time: the send waits for the printer while window
    // messages run, and a line sent meanwhile would put its bytes inside
    // this one's. A second Enter on a held line is most often the same press
    // again, and a command such as a print must not go twice: it is refused,
    // and what was typed stays in the box to be sent once this line is out.
    if (m_sending) {
        Ui().Beep();
        return;
    }
    const QString text = InputBox->currentText();
    if (!text.isEmpty() && InputBox->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        InputBox->insertItem(0, text);
    }
    while (InputBox->count() > HistorySize) {
        InputBox->removeItem(HistorySize);
    }
    if (CommLink.PortHandle >= 0) {
        const std::string line = ToCp1252(text);
        // The send waits for the printer while window messages run: the
        // user may close the terminal meanwhile, which ends the send.
        const QPointer<TTerminalDlg> self(this);
        ShowSending(true);
        PrinterPrintf("%s\r\n", line.c_str());
        if (self == nullptr) {
            return;
        }
        ShowSending(false);
        if (TerminalStop == 1) {
            return;
        }
        if (CommLink.WriteAborted == 0) {
            TerminalEcho = line + "\r\n";
            // A line typed while this one waited is the user's next one.
            if (InputBox->currentText() == text) {
                InputBox->setEditText(QString());
            }
            RStimer.start();
        }
    }
    InputBox->setFocus();
}

void TTerminalDlg::ShowSending(bool sending)
{
    m_sending = sending;
    SendBt->setEnabled(!sending);
}

void TTerminalDlg::ModeBtClick()
{
    TerminalHexMode = TerminalHexMode == 1 ? 0 : 1;
    ShowMode();
    InputBox->setFocus();
}

void TTerminalDlg::ShowMode()
{
    ModeBt->setText(TerminalHexMode == 1 ? "F2  ASCII" : "F2  HEX");
}

void TTerminalDlg::ClearClick()
{
    TrmField->clear();
    InputBox->setFocus();
}

bool TTerminalDlg::InputBoxKeyDown(int key)
{
    if (key == Qt::Key_F2) {
        ModeBtClick();
        return true;
    }
    // The greyed Send button ignores Enter silently; the refusal is heard.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_sending) {
        SendBtClick();
        return true;
    }
    // Esc empties a typed line; with nothing typed it closes the terminal.
    if (key == Qt::Key_Escape && !InputBox->currentText().isEmpty()) {
        InputBox->setEditText(QString());
        return true;
    }
    return false;
}

void TTerminalDlg::TrmFieldEnter()
{
    InputBox->setFocus();
}

bool TTerminalDlg::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == InputBox || watched == InputBox->lineEdit()) && event->type() == QEvent::KeyPress) {
        if (InputBoxKeyDown(static_cast<QKeyEvent*>(event)->key())) {
            return true;
        }
    } else if (watched == TrmField && event->type() == QEvent::FocusIn) {
        TrmFieldEnter();
    }
    return QDialog::eventFilter(watched, event);
}

void TTerminalDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TTerminalDlg::FormResize()
{
    const int top = (TopPanelHeight - ControlHeight) / 2;
    SendBt->setGeometry(Gap, top, ButtonWidth, ControlHeight);
    ModeBt->setGeometry(SendBt->geometry().right() + 1 + Gap, top, ButtonWidth, ControlHeight);
    Clear->setGeometry(TopPanel->width() - Gap - ButtonWidth, top, ButtonWidth, ControlHeight);
    const int inputLeft = ModeBt->geometry().right() + 1 + 2 * Gap;
    InputBox->setGeometry(inputLeft, top, std::max(Clear->x() - inputLeft - 16, 0), ControlHeight);
}

TTerminalDlg& TerminalDlg()
{
    static QPointer<TTerminalDlg> form;
    if (form == nullptr) {
        form = new TTerminalDlg(ZKedit);
    }
    return *form;
}

}  // namespace zk
