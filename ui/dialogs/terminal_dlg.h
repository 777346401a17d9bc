#pragma once
// The terminal: a raw line terminal on the serial port. It holds the port
// open, as one printer exchange, from its showing until it closes; it wakes
// when the port has bytes and shows them, and each line typed is sent with
// CR LF. While nothing arrives it does no work at all.

#include <QDialog>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/dialogs/terminal_text.h"

class QComboBox;
class QPlainTextEdit;
class QSocketNotifier;
class QPushButton;

namespace zk {

class TExchangeGuard;

// Where the terminal reads from: unset, the serial link's port. Tests put a
// queue of their own here.
struct TTerminalPort {
    std::function<int()> BytesWaiting;
    std::function<std::size_t(std::span<std::uint8_t>)> Read;
};
extern TTerminalPort TerminalPort;

class TTerminalDlg : public QDialog {
    Q_OBJECT

public:
    explicit TTerminalDlg(QWidget* parent = nullptr);
    ~TTerminalDlg() override;

    static constexpr std::size_t ReceiveBufferSize = 16384;
    static constexpr int HistorySize = 16;

    QWidget* TopPanel;
    QComboBox* InputBox;
    QPushButton* SendBt;
    QPushButton* ModeBt;
    QPushButton* Clear;
    QPlainTextEdit* TrmField;
    // A pass due soon (a sent line's echo); coalesced, one at a time.
    QTimer RStimer;

    // The last line sent, with CR LF, until the next pass shows it.
    std::string TerminalEcho;
    std::uint8_t TerminalHexMode = 0;
    // 1 once the user closed the window.
    std::uint8_t TerminalStop = 0;

    // True while the terminal waits for the port's bytes.
    bool IsWatchingPort() const;

public slots:
    // One pass: the waiting echo, else what the printer sent (at most
    // ReceiveBufferSize bytes; the rest waits for the next pass).
    void RStimerTimer();
    void SendBtClick();
    void ModeBtClick();
    void ClearClick();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void FormResize();
    // Returns true when the key was taken.
    bool InputBoxKeyDown(int key);
    void TrmFieldEnter();
    void ShowMode();
    void Append(const TTerminalPiece& piece);
    void ScrollToEnd();
    // Ends the terminal's hold on the port.
    void StopTerminal();
    // While a line goes out, Send is greyed and another line is refused.
    void ShowSending(bool sending);
    // The port has bytes, or has gone (then it is no longer watched).
    void PortReady();

    std::vector<std::uint8_t> TerminalReceiveBuffer;
    std::unique_ptr<TExchangeGuard> m_exchange;
    std::unique_ptr<QSocketNotifier> m_portReady;
    bool m_sending = false;
};

// The one terminal form of the program, created on first use beside the
// main window and living as long as it does.
TTerminalDlg& TerminalDlg();

}  // namespace zk
