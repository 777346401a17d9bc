#pragma once
// The terminal: a raw line terminal on the serial port. It holds the port
// open, as one printer exchange, from its showing until it closes; a timer
// shows what the printer sends, and each line typed is sent with CR LF.

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
    static constexpr int PollIntervalMs = 100;

    QWidget* TopPanel;
    QComboBox* InputBox;
    QPushButton* SendBt;
    QPushButton* ModeBt;
    QPushButton* Clear;
    QPlainTextEdit* TrmField;
    QTimer RStimer;

    // The last line sent, with CR LF, until the next pass shows it.
    std::string TerminalEcho;
    std::uint8_t TerminalHexMode = 0;
    // 1 once the user closed the window.
    std::uint8_t TerminalStop = 0;

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

    std::vector<std::uint8_t> TerminalReceiveBuffer;
    std::unique_ptr<TExchangeGuard> m_exchange;
};

// The one terminal form of the program, created on first use beside the
// main window and living as long as it does.
TTerminalDlg& TerminalDlg();

}  // namespace zk
