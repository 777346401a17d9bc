// The terminal: how received bytes are shown, the receive passes, sending
// lines over the printer emulator, the history and the mode key.

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/link/comm_link.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "tests/support/printer_emulator.h"
#include "tests/ui/dialogs/setup_dialogs_fixture.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/modal_driver.h"
#include "ui/dialogs/terminal_text.h"

namespace zk {
namespace {

using Pieces = std::vector<TTerminalPiece>;
constexpr auto CodeRun = TTerminalColour::Code;
constexpr auto TextRun = TTerminalColour::Text;

Pieces Format(std::string_view bytes, bool hex)
{
    return FormatReceivedBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), hex);
}

TEST(TerminalTextTest, TextModeShowsControlBytesAsCodesBetweenTheTexts)
{
    const struct {
        std::string bytes;
        Pieces expected;
    } rows[] = {
        {"A\r\n\x1b" "B", {{TextRun, "A\n"}, {CodeRun, "[1B]"}, {TextRun, "B"}}},
        {"\x07" "OK\r\n", {{TextRun, "OK\n"}}},
        {std::string("\0\x01", 2), {{CodeRun, "[00]"}, {CodeRun, "[01]"}}},
        {"\t\xe9", {{CodeRun, "[09]"}, {TextRun, "\xe9"}}},
        {"\r\r", {}},
        {"", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Format(row.bytes, false), row.expected) << ::testing::PrintToString(row.bytes);
    }
}

TEST(TerminalTextTest, HexModeShowsEveryByteAsTwoDigitsAndABlank)
{
    EXPECT_EQ(Format("A\r\n\x1b\xff", true), (Pieces{{CodeRun, "41 0D 0A 1B FF "}}));
}

class TerminalDlgTest : public test::SetupDialogsTest {
protected:
    // The text of the field and the colour of each run of it, as "colour:text".
    static std::vector<std::string> Runs(const QPlainTextEdit* field)
    {
        std::vector<std::string> runs;
        for (QTextBlock block = field->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                runs.push_back(fragment.charFormat().foreground().color().name().toStdString() + ":" +
                               fragment.text().toStdString());
            }
        }
        return runs;
    }

    static void Type(TTerminalDlg& dlg, const char* line)
    {
        dlg.InputBox->setEditText(line);
        dlg.SendBt->click();
    }
};

TEST_F(TerminalDlgTest, AQueueLargerThanTheBufferIsShownOverTwoPasses)
{
    std::deque<std::uint8_t> queue(20000, 'x');
    std::vector<std::size_t> reads;
    TerminalPort.BytesWaiting = [&queue] { return static_cast<int>(queue.size()); };
    TerminalPort.Read = [&](std::span<std::uint8_t> buffer) {
        const std::size_t count = std::min(buffer.size(), queue.size());
        std::copy_n(queue.begin(), count, buffer.begin());
        queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(count));
        reads.push_back(count);
        return count;
    };
    TTerminalDlg dlg;
    dlg.show();
    dlg.RStimer.stop();
    dlg.RStimerTimer();
    EXPECT_EQ(dlg.TrmField->toPlainText().size(), 16384);
    dlg.RStimerTimer();
    dlg.RStimerTimer();
    EXPECT_EQ(reads, (std::vector<std::size_t>{16384, 3616}));
    EXPECT_EQ(dlg.TrmField->toPlainText().size(), 20000);
}

TEST_F(TerminalDlgTest, WithoutAnOpenPortNothingIsReadOrSent)
{
    ProgramPaths.SerialPortList = {(TempDir() / "no-such-port").string()};
    TTerminalDlg dlg;
    dlg.show();
    // The failed open reported itself.
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't open communication port");
    dlg.RStimerTimer();
    Type(dlg, "U");
    dlg.RStimerTimer();
    EXPECT_TRUE(dlg.TrmField->toPlainText().isEmpty());
    EXPECT_TRUE(dlg.TerminalEcho.empty());
}

class TerminalLinkTest : public TerminalDlgTest {
protected:
    test::PrinterEmulator printer;
};

TEST_F(TerminalLinkTest, HoldsThePortWhileShownAndSendsTypedLinesWithCrLf)
{
    TTerminalDlg dlg;
    dlg.show();
    EXPECT_GE(CommLink.PortHandle, 0);
    EXPECT_TRUE(ExchangeInProgress());
    EXPECT_TRUE(dlg.IsWatchingPort());

    Type(dlg, "~HI");
    ASSERT_TRUE(printer.WaitForReceived(5));
    EXPECT_EQ(printer.Received(), "~HI\r\n");
    EXPECT_TRUE(dlg.InputBox->currentText().isEmpty());
    EXPECT_EQ(dlg.TerminalEcho, "~HI\r\n");
    // The echo comes before what the printer sends back.
    printer.Send("A\r\n\x1b" "B");
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.TrmField->toPlainText().endsWith("B"); }));
    EXPECT_EQ(Runs(dlg.TrmField), (std::vector<std::string>{"#ff0000:~HI", "#0000ff:A", "#008000:[1B]", "#0000ff:B"}));

    dlg.reject();
    EXPECT_EQ(dlg.TerminalStop, 1);
    EXPECT_FALSE(dlg.IsWatchingPort());
    EXPECT_LT(CommLink.PortHandle, 0);
    EXPECT_FALSE(ExchangeInProgress());
}

TEST_F(TerminalLinkTest, WhileNothingArrivesThePortIsLeftAlone)
{
    int asked = 0;
    TerminalPort.BytesWaiting = [&asked] {
        ++asked;
        return BytesWaiting();
    };
    TTerminalDlg dlg;
    dlg.show();
    // Idle for what used to be three polls: the terminal wakes for bytes only.
    QTest::qWait(350);
    EXPECT_EQ(asked, 0);
    printer.Send("OK\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.TrmField->toPlainText() == "OK\n"; }));
    asked = 0;
    QTest::qWait(350);
    EXPECT_EQ(asked, 0);
}

TEST_F(TerminalLinkTest, APortThatGoesAwayIsNoLongerWatched)
{
    TTerminalDlg dlg;
    dlg.show();
    ASSERT_TRUE(dlg.IsWatchingPort());
    printer.Vanish();
    // It would otherwise report itself readable, and wake the terminal, for ever.
    EXPECT_TRUE(QTest::qWaitFor([&dlg] { return !dlg.IsWatchingPort(); }));
    EXPECT_TRUE(dlg.TrmField->toPlainText().isEmpty());
}

TEST_F(TerminalLinkTest, ReturnInTheInputSendsTheLine)
{
    TTerminalDlg dlg;
    dlg.show();
    dlg.InputBox->setFocus();
    QTest::keyClicks(dlg.InputBox, "FI");
    QTest::keyClick(dlg.InputBox, Qt::Key_Return);
    ASSERT_TRUE(printer.WaitForReceived(4));
    EXPECT_EQ(printer.Received(), "FI\r\n");
}

TEST_F(TerminalLinkTest, TheSeventeenthDistinctLinePushesTheOldestOut)
{
    TTerminalDlg dlg;
    dlg.show();
    for (int i = 1; i <= 17; ++i) {
        Type(dlg, ("L" + std::to_string(i)).c_str());
    }
    Type(dlg, "L17");  // already there: not added again
    ASSERT_EQ(dlg.InputBox->count(), 16);
    EXPECT_EQ(dlg.InputBox->itemText(0).toStdString(), "L17");
    EXPECT_EQ(dlg.InputBox->itemText(15).toStdString(), "L2");
}

TEST_F(TerminalLinkTest, F2AndTheModeButtonToggleHexMode)
{
    TTerminalDlg dlg;
    EXPECT_EQ(dlg.ModeBt->text().toStdString(), "HEX");
    dlg.show();
    EXPECT_EQ(dlg.ModeBt->text().toStdString(), "F2  HEX");
    QTest::keyClick(dlg.InputBox, Qt::Key_F2);
    EXPECT_EQ(dlg.TerminalHexMode, 1);
    EXPECT_EQ(dlg.ModeBt->text().toStdString(), "F2  ASCII");
    printer.Send("OK\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return !dlg.TrmField->toPlainText().isEmpty(); }));
    EXPECT_EQ(Runs(dlg.TrmField), (std::vector<std::string>{"#008000:4F 4B 0D 0A "}));
    dlg.ModeBt->click();
    EXPECT_EQ(dlg.TerminalHexMode, 0);
    EXPECT_EQ(dlg.ModeBt->text().toStdString(), "F2  HEX");
    dlg.Clear->click();
    EXPECT_TRUE(dlg.TrmField->toPlainText().isEmpty());
}

TEST_F(TerminalLinkTest, EscEmptiesATypedLineAndThenCloses)
{
    TTerminalDlg dlg;
    dlg.show();
    dlg.InputBox->setEditText("abc");
    QTest::keyClick(dlg.InputBox->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(dlg.InputBox->currentText().isEmpty());
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(dlg.InputBox->lineEdit(), Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(CommLink.PortHandle, 0);
}

// The printer stops taking bytes and the user closes the terminal while the
// line waits to go out: the send ends there, without a question after the
// window is gone, and the next showing echoes nothing that was never sent.
TEST_F(TerminalLinkTest, ClosingDuringAStuckSendEndsItWithoutAQuestionOrEcho)
{
    TTerminalDlg dlg;
    dlg.show();
    printer.BlockWrites();
    ui.answers = {1};  // a retry question would be answered Yes
    int pumps = 0;
    ui.onProcessMessages = [&] {
        if (++pumps == 5) {
            dlg.reject();
        }
    };
    Type(dlg, "~HI");
    ui.onProcessMessages = nullptr;
    EXPECT_GE(pumps, 5);
    EXPECT_TRUE(ui.messageBoxes.empty()) << ui.messageBoxes[0].text;
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_LT(CommLink.PortHandle, 0);
    EXPECT_TRUE(dlg.TerminalEcho.empty());

    printer.Resume();
    dlg.show();
    printer.Send("OK\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.TrmField->toPlainText().endsWith("OK\n"); }));
    EXPECT_EQ(Runs(dlg.TrmField), (std::vector<std::string>{"#0000ff:OK"}));
}

// The printer holds the line while a typed line goes out, and the user sends
// another meanwhile (Enter, then a click): it is refused, so the wire gets
// the first line whole and alone, and the second stays in the box until the
// user sends it once the first is out.
TEST_F(TerminalLinkTest, ALineSentWhileAnotherIsHeldIsRefusedAndKeptForLater)
{
    TTerminalDlg dlg;
    dlg.show();
    printer.BlockWrites();
    int pumps = 0;
    bool sendShownRefused = false;
    ui.onProcessMessages = [&] {
        ++pumps;
        if (pumps == 3) {
            sendShownRefused = !dlg.SendBt->isEnabled();
            dlg.InputBox->setEditText("BBBB");
            QTest::keyClick(dlg.InputBox->lineEdit(), Qt::Key_Return);
            dlg.SendBtClick();
        } else if (pumps == 6) {
            printer.Resume();
        }
    };
    Type(dlg, "AAAA");
    ui.onProcessMessages = nullptr;
    EXPECT_TRUE(sendShownRefused);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "beep"), 2);
    EXPECT_TRUE(ui.messageBoxes.empty());
    ASSERT_TRUE(printer.WaitForReceived(6));
    EXPECT_EQ(printer.Received(), "AAAA\r\n");
    EXPECT_EQ(dlg.TerminalEcho, "AAAA\r\n");
    EXPECT_EQ(dlg.InputBox->currentText().toStdString(), "BBBB");
    EXPECT_TRUE(dlg.SendBt->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.TrmField->toPlainText() == "AAAA\n"; }));

    dlg.SendBt->click();
    ASSERT_TRUE(printer.WaitForReceived(12));
    EXPECT_EQ(printer.Received(), "AAAA\r\nBBBB\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&dlg] { return dlg.TrmField->toPlainText() == "AAAA\nBBBB\n"; }));
    EXPECT_EQ(Runs(dlg.TrmField), (std::vector<std::string>{"#ff0000:AAAA", "#ff0000:BBBB"}));
}

class TerminalWindowTest : public test::MainWindowTest {};

TEST_F(TerminalWindowTest, TheMenuOpensItModally)
{
    test::PrinterEmulator printer;
    TZKedit& w = StartWindow();
    // The start-up's port list is the emulator's, not the machine's.
    ASSERT_EQ(ProgramPaths.SerialPortList, std::vector<std::string>{printer.SlavePath()});
    ASSERT_TRUE(w.MenuItem("TerminalM")->isEnabled());
    bool modal = false;
    test::WhenModalShows([&modal](QWidget* dialog) {
        modal = dialog->objectName() == "TerminalDlg";
        dialog->close();
    });
    w.MenuItem("TerminalM")->trigger();
    EXPECT_TRUE(modal);
    EXPECT_LT(CommLink.PortHandle, 0);
}

}  // namespace
}  // namespace zk
