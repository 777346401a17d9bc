#include "engine/link/serial_link.h"

#include <termios.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/config/program_paths.h"
#include "engine/engine_state.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/label_setup.h"
#include "engine/report/reporting.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

using namespace std::string_literals;

constexpr const char* RETRY_QUESTION = "Can't write to comm. port. Retry ?";
constexpr const char* OPEN_FAILURE = "Can't open communication port";

class SerialLinkTest : public test::EngineTest {
protected:
    SerialLinkTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
    }

    test::PrinterEmulator printer;
};

struct PortCase {
    int baudIndex;
    int protocol;
    speed_t speed;
    bool receiveFlowControl;
};

class PortSettingsTest : public SerialLinkTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(PortSettingsTest, OpensRaw8N1AtTheBaudRateAndFlowControlOfTheSettings)
{
    Settings.BaudIndex = GetParam().baudIndex;
    Settings.Protocol = GetParam().protocol;
    ASSERT_TRUE(OpenPort());
    const termios tio = printer.PortSettings();
    EXPECT_EQ(cfgetospeed(&tio), GetParam().speed);
    EXPECT_EQ(cfgetispeed(&tio), GetParam().speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
    EXPECT_EQ((tio.c_iflag & IXOFF) != 0, GetParam().receiveFlowControl);
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
    // Both protocols can send over a device without modem lines.
    EXPECT_EQ(PrinterPrintf("~S\r\n"), 4u);
    ASSERT_TRUE(printer.WaitForReceived(4));
    EXPECT_EQ(printer.Received(), "~S\r\n");
}

INSTANTIATE_TEST_SUITE_P(BaudIndexAndProtocol, PortSettingsTest,
                         ::testing::Values(PortCase{0, 0, B2400, false}, PortCase{4, 0, B38400, false},
                                           PortCase{6, 1, B115200, true}, PortCase{3, 1, B19200, true}));

TEST_F(SerialLinkTest, BaudIndexOutsideTheTableKeepsThePortsRate)
{
    Settings.BaudIndex = 1;
    ASSERT_TRUE(OpenPort());
    ClosePort();
    Settings.BaudIndex = 7;
    ASSERT_TRUE(OpenPort());
    const termios tio = printer.PortSettings();
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B4800));
}

TEST_F(SerialLinkTest, OpenPortOnAnOpenPortClearsTheFlagsAndKeepsTheHandle)
{
    ASSERT_TRUE(OpenPort());
    const int handle = CommLink.PortHandle;
    CommLink.LinkError = 1;
    CommLink.WriteAborted = 1;
    EXPECT_TRUE(OpenPort());
    EXPECT_EQ(CommLink.PortHandle, handle);
    EXPECT_EQ(CommLink.LinkError, 0);
    EXPECT_EQ(CommLink.WriteAborted, 0);
    ClosePort();
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_EQ(BytesWaiting(), -1);
}

struct LineCase {
    const char* name;
    std::string reply;
    std::size_t size;
    std::string text;
    std::uint8_t endOfReply;
    std::uint8_t linkError;
    std::uint8_t lineTooLong = 0;
};

class ReceiveLineTest : public SerialLinkTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ReceiveLineTest, ReadsOneReplyLine)
{
    const LineCase& c = GetParam();
    ASSERT_TRUE(OpenPort());
    printer.Send(c.reply);
    std::string line = "stale";
    const std::size_t length = ReceiveLine(line, c.size);
    EXPECT_EQ(line, c.text);
    EXPECT_EQ(length, c.text.size());
    EXPECT_EQ(CommLink.EndOfReply, c.endOfReply);
    EXPECT_EQ(CommLink.LinkError, c.linkError);
    EXPECT_EQ(CommLink.LineTooLong, c.lineTooLong);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReceiveLineTest,
    ::testing::Values(LineCase{"CrDropped", "OK\r\n", 256, "OK", 0, 0},
                      LineCase{"EmptyLine", "\r\n", 256, "", 0, 0},
                      LineCase{"NulMidLine", "AB\0CD\r\n"s, 256, "", 1, 0},
                      LineCase{"NulAlone", "\0"s, 256, "", 1, 0},
                      LineCase{"ControlBytesDroppedHighBytesKept", "A\tB\x7f\xe9\x1b\r\n", 256, "AB\x7f\xe9", 0, 0},
                      LineCase{"FitsWithLf", "ABC\n", 5, "ABC", 0, 0},
                      LineCase{"FillsTheBufferWithLf", "ABCD\n", 5, "ABCD", 0, 0},
                      LineCase{"FillsTheBufferWithCrLf", "ABCD\r\n", 5, "ABCD", 0, 0},
                      LineCase{"FillsTheBufferThenNul", "ABCD\0"s, 5, "", 1, 0},
                      LineCase{"FillsTheBufferThenSilence", "ABCD", 5, "", 0, 1},
                      LineCase{"OneCharacterTooMany", "ABCDE\r\n", 5, "ABCD", 0, 0, 1},
                      LineCase{"SilenceMidLine", "PART", 256, "", 0, 1},
                      LineCase{"NothingAtAll", "", 256, "", 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialLinkTest, AnOverlongLineLeavesItsRestForTheNextRead)
{
    ASSERT_TRUE(OpenPort());
    printer.Send("ABCDEFG\r\nNEXT\r\n");
    std::string line;
    EXPECT_EQ(ReceiveLine(line, 5), 4u);
    EXPECT_EQ(line, "ABCD");
    EXPECT_EQ(CommLink.LineTooLong, 1);
    EXPECT_EQ(CommLink.LinkError, 0);
    // The character that made it too long was taken; the rest follows.
    EXPECT_EQ(ReceiveLine(line, 256), 2u);
    EXPECT_EQ(line, "FG");
    EXPECT_EQ(ReceiveLine(line, 256), 4u);
    EXPECT_EQ(line, "NEXT");
}

TEST_F(SerialLinkTest, TheRestOfALineTooLongCanBeDroppedWhole)
{
    ASSERT_TRUE(OpenPort());
    printer.Send("ABCDEF\r\nNXT\r\nGHIJKL\0"s);
    std::string line;
    EXPECT_EQ(ReceiveLine(line, 5), 4u);
    EXPECT_EQ(CommLink.LineTooLong, 1);
    EXPECT_EQ(DropRestOfLine(), DrainEnd::LineEnd);
    EXPECT_EQ(ReceiveLine(line, 5), 3u);
    EXPECT_EQ(line, "NXT");
    EXPECT_EQ(CommLink.LineTooLong, 0);
    // The reply's end within the rest.
    EXPECT_EQ(ReceiveLineDroppingRest(line, 5), 4u);
    EXPECT_EQ(line, "GHIJ");
    EXPECT_EQ(CommLink.LineTooLong, 1);
    EXPECT_EQ(CommLink.EndOfReply, 1);
    EXPECT_EQ(CommLink.LinkError, 0);
}

// The printer sends faster than the reply is read: whenever the reader lets
// window messages run, more bytes are waiting, and it would stop sending
// only after chunkCount chunks.
class EndlessReplyTest : public SerialLinkTest {
protected:
    static constexpr std::size_t chunkCount = 1000;

    EndlessReplyTest()
    {
        LinkTimeouts.ReplyDrainMs = 50;
        EXPECT_TRUE(OpenPort());
        printer.SendWhileTaken([sent = chunksSent]() -> std::string {
            if (*sent == chunkCount) {
                return {};
            }
            ++*sent;
            return std::string(1000, 'x');
        });
        ui.onProcessMessages = [sent = chunksSent] {
            while (BytesWaiting() == 0 && *sent < chunkCount) {
                std::this_thread::yield();
            }
        };
    }
    ~EndlessReplyTest() override { ui.onProcessMessages = nullptr; }

    // The drain gave up long before the printer would have stopped.
    bool EndedEarly() const { return chunksSent->load() < chunkCount; }

    std::shared_ptr<std::atomic<std::size_t>> chunksSent = std::make_shared<std::atomic<std::size_t>>(0);
};

TEST_F(EndlessReplyTest, DrainingAReplyEndsAtItsBound)
{
    EXPECT_FALSE(DrainReply());
    EXPECT_TRUE(EndedEarly());
    EXPECT_EQ(CommLink.LinkError, 0);
}

TEST_F(EndlessReplyTest, DroppingTheRestOfALineEndsAtItsBound)
{
    std::string line;
    EXPECT_EQ(ReceiveLine(line, 5), 4u);
    EXPECT_EQ(DropRestOfLine(), DrainEnd::TimeLimit);
    EXPECT_TRUE(EndedEarly());
    EXPECT_EQ(CommLink.LinkError, 1);
}

TEST_F(EndlessReplyTest, DiscardingWaitingBytesEndsAtItsBound)
{
    ui.onProcessMessages();  // the first bytes are there
    EXPECT_FALSE(DiscardWaitingBytes());
    EXPECT_TRUE(EndedEarly());
    EXPECT_EQ(CommLink.LinkError, 1);
}

TEST_F(SerialLinkTest, DrainingAReplyStopsAtItsEndOrAtSilence)
{
    ASSERT_TRUE(OpenPort());
    printer.Send("rest\r\nof it\0NEXT\r\n"s);
    EXPECT_TRUE(DrainReply());
    std::string line;
    EXPECT_EQ(ReceiveLine(line, 256), 4u);
    EXPECT_EQ(line, "NEXT");

    printer.Send("cut short");
    EXPECT_FALSE(DrainReply());
    EXPECT_EQ(CommLink.LinkError, 0);
}

TEST_F(SerialLinkTest, ReceiveBlockReadsEveryByteOfAFullBlock)
{
    ASSERT_TRUE(OpenPort());
    const std::string data = "\x00\x0a\r\n\xff\x13\x11zk"s;
    printer.Send(data);
    std::array<std::uint8_t, 9> block{};
    EXPECT_EQ(ReceiveBlock(block), block.size());
    EXPECT_EQ(std::string(block.begin(), block.end()), data);
    EXPECT_EQ(CommLink.LinkError, 0);
}

TEST_F(SerialLinkTest, SilenceMidBlockReturnsTheCountSoFar)
{
    ASSERT_TRUE(OpenPort());
    printer.Send("\x00\x05" "ab"s);
    std::array<std::uint8_t, 10> block{};
    EXPECT_EQ(ReceiveBlock(block), 4u);
    EXPECT_EQ(CommLink.LinkError, 1);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "\x00\x05" "ab"s);
    // The waits kept the window live.
    EXPECT_GT(ui.processMessagesCalls, 0);
}

TEST_F(SerialLinkTest, PrinterPrintfWithThePortClosedSendsNothingAndAsksNothing)
{
    EXPECT_EQ(PrinterPrintf("FK\"%s\"\r\n", "NAME"), 0u);
    EXPECT_EQ(CommLink.WriteAborted, 0);
    EXPECT_TRUE(SendByte('Z'));
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(PrinterPrintf("X"), 1u);
    ASSERT_TRUE(printer.WaitForReceived(1));
    EXPECT_EQ(printer.Received(), "X");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(SerialLinkTest, PrinterPrintfSendsALongCommandWhole)
{
    ASSERT_TRUE(OpenPort());
    std::string data(3071, ' ');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>('A' + i % 26);
    }
    const std::size_t expected = data.size() + 11;
    EXPECT_EQ(PrinterPrintf("b%d,%d,\"%s\"\r\n", 10, 20, data.c_str()), expected);
    ASSERT_TRUE(printer.WaitForLines(1));
    EXPECT_EQ(printer.Lines().front(), "b10,20,\"" + data + "\"");
    EXPECT_EQ(printer.Received().size(), expected);
}

TEST_F(SerialLinkTest, AnExchangeOverTheEmulatorsHandlers)
{
    printer.ReplyTo("UI", "Ver 1.0\r\n");
    printer.OnCommand("UI,", [](test::PrinterEmulator& p, const std::string& line) {
        p.Send(line.substr(3) + "\r\n\0"s);
    });
    ASSERT_TRUE(OpenPort());
    std::string line;
    PrinterPrintf("UI\r\n");
    EXPECT_EQ(ReceiveLine(line, 256), 7u);
    EXPECT_EQ(line, "Ver 1.0");
    PrinterPrintf("UI,echo\n\r");
    EXPECT_EQ(ReceiveLine(line, 256), 4u);
    EXPECT_EQ(line, "echo");
    EXPECT_EQ(ReceiveLine(line, 256), 0u);
    EXPECT_EQ(CommLink.EndOfReply, 1);
    EXPECT_EQ(printer.Lines(), (std::vector<std::string>{"UI", "UI,echo"}));
}

TEST_F(SerialLinkTest, RefusedWritesAskUntilNoThenAbortTheSequence)
{
    ASSERT_TRUE(OpenPort());
    printer.Stall();
    ui.answers = {1, 0};
    const std::string bulk(1 << 17, 'x');
    const std::size_t sent = PrinterPrintf("%s", bulk.c_str());
    EXPECT_LT(sent, bulk.size());
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(CommLink.LinkError, 1);
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const auto& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.text, RETRY_QUESTION);
        EXPECT_TRUE(box.yesNo);
    }
    // The pseudo-terminal queues about 20 KB, far less than the bulk.
    // Exactly the bytes reported as sent reach the printer once it reads again.
    printer.Resume();
    ASSERT_TRUE(printer.WaitForReceived(sent));
    EXPECT_EQ(printer.Received().size(), sent);
    // The next exchange starts with clean flags.
    EXPECT_TRUE(OpenPort());
    EXPECT_EQ(CommLink.WriteAborted, 0);
    EXPECT_EQ(CommLink.LinkError, 0);
}

TEST_F(SerialLinkTest, RetryYesSendsTheByteOnceThePrinterReadsAgain)
{
    ASSERT_TRUE(OpenPort());
    printer.Stall();
    const std::string bulk(1 << 17, 'y');
    // Free the line while the question is up, as a user would before answering.
    struct ResumingUi : test::FakeUiServices {
        test::PrinterEmulator* printer = nullptr;
        std::uint8_t ShowMessageBox(const std::string& c, const TReportText& t, bool yesNo) override
        {
            printer->Resume();
            return FakeUiServices::ShowMessageBox(c, t, yesNo);
        }
    } resumingUi;
    resumingUi.printer = &printer;
    resumingUi.answers = {1};
    EXPECT_EQ(PrinterPrintf("%s", bulk.c_str()), bulk.size());
    EXPECT_EQ(CommLink.WriteAborted, 0);
    EXPECT_EQ(resumingUi.messageBoxes.size(), 1u);
    ASSERT_TRUE(printer.WaitForReceived(bulk.size()));
}

// The window that owns the port closes it (the terminal's close) while a
// byte waits for the printer: the user gave the write up, nobody is asked.
TEST_F(SerialLinkTest, APortClosedWhileAByteWaitsEndsTheWriteWithoutAQuestion)
{
    ASSERT_TRUE(OpenPort());
    printer.BlockWrites();
    ui.answers = {1};
    int pumps = 0;
    ui.onProcessMessages = [&pumps] {
        if (++pumps == 3) {
            ClosePort();
        }
    };
    EXPECT_EQ(PrinterPrintf("AB"), 0u);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(CommLink.LinkError, 1);
}

// The printer holds the line while an exchange sends; a second action taken
// meanwhile (a click the byte wait let through) starts an exchange of its
// own. It gets no traffic: the wire carries the first command whole, and the
// first exchange's state is its own.
TEST_F(SerialLinkTest, AnExchangeStartedWhileAnotherWaitsIsRefusedItsTraffic)
{
    TExchangeGuard first;
    ASSERT_TRUE(OpenPort());
    printer.BlockWrites();
    struct {
        bool opened = true;
        std::size_t sent = 99;
        bool byteTaken = true;
    } second;
    int pumps = 0;
    ui.onProcessMessages = [&] {
        ++pumps;
        if (pumps == 2) {
            TExchangeGuard exchange;
            second.opened = OpenPort();
            second.sent = PrinterPrintf("\r\nBBBB\r\n");
            second.byteTaken = SendByte('X');
        } else if (pumps == 4) {
            printer.Resume();
        }
    };
    EXPECT_EQ(PrinterPrintf("\r\nAAAA\r\n"), 8u);
    ui.onProcessMessages = nullptr;
    EXPECT_FALSE(second.opened);
    EXPECT_EQ(second.sent, 0u);
    EXPECT_FALSE(second.byteTaken);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "beep"), 3);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(CommLink.WriteAborted, 0);
    EXPECT_EQ(CommLink.LinkError, 0);
    ASSERT_TRUE(printer.WaitForReceived(8));
    EXPECT_EQ(printer.Received(), "\r\nAAAA\r\n");

    // The first exchange's own next command goes out as before.
    EXPECT_EQ(PrinterPrintf("P1\r\n"), 4u);
    ClosePort();
}

TEST_F(SerialLinkTest, WindowMessagesAnExchangeLetsRunStartNoneButItsChainedStepsTalk)
{
    TExchangeGuard first;
    ASSERT_TRUE(OpenPort());
    bool opened = true;
    ui.onProcessMessages = [&opened] {
        TExchangeGuard exchange;
        opened = OpenPort();
    };
    ui.ProcessMessages();
    EXPECT_FALSE(opened);
    ui.onProcessMessages = nullptr;
    {
        TExchangeGuard chained;
        EXPECT_TRUE(OpenPort());
    }
    ASSERT_EQ(PrinterPrintf("OK"), 2u);
    ASSERT_TRUE(printer.WaitForReceived(2));
    EXPECT_EQ(printer.Received(), "OK");
}

// An action queued until the exchange is over may start its own, even when
// the exchange ended inside another wait's window messages.
TEST_F(SerialLinkTest, AnExchangeQueuedUntilTheLastOneEndsTalksFromInsideAWait)
{
    bool opened = false;
    ui.onProcessMessages = [&opened] {
        std::optional<TExchangeGuard> ending;
        ending.emplace();
        RunWhenExchangeOver([&opened] {
            TExchangeGuard exchange;
            opened = OpenPort();
        });
        ending.reset();
    };
    ui.ProcessMessages();
    ui.onProcessMessages = nullptr;
    EXPECT_TRUE(opened);
}

// A printer that trickles its reply, one byte just under the silence bound
// each: every read still ends by its own deadline, the time its longest
// length takes at the port's rate plus the silence bound, and a refused
// block is dropped within the drain bound. Each case ends long before the
// printer would stop.
TEST_F(SerialLinkTest, ATricklingReplyEndsEachReadByItsOwnDeadline)
{
    using namespace std::chrono;
    LinkTimeouts.ReplySilenceMs = 300;
    LinkTimeouts.ReplyDrainMs = 300;
    constexpr auto Gap = milliseconds(150);
    const std::string endless(200, 'x');
    const struct {
        const char* name;
        int baudIndex;
        std::string reply;
        std::function<std::size_t()> read;
        bool ends;  // the read gets what it waits for
    } rows[] = {
        {"form line", 2, endless, [] { std::string l; return ReceiveLine(l, 250); }, false},
        {"line at 115200", 6, "AB\r\n", [] { std::string l; return ReceiveLine(l, 250); }, false},
        {"line at 2400", 0, "AB\r\n", [] { std::string l; return ReceiveLine(l, 250); }, true},
        {"block", 2, endless, [] { std::vector<std::uint8_t> b(64); return ReceiveBlock(b); }, false},
        {"refused block", 2, endless, [] { return DiscardBlock(60000); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Settings.BaudIndex = row.baudIndex;
        ASSERT_TRUE(OpenPort());
        printer.Trickle(row.reply, Gap);
        const auto start = steady_clock::now();
        const std::size_t got = row.read();
        const auto took = steady_clock::now() - start;
        EXPECT_EQ(CommLink.LinkError, row.ends ? 0 : 1);
        if (row.ends) {
            EXPECT_EQ(got, 2u);
        } else {
            EXPECT_LT(took, seconds(3));
        }
        // What the printer still sends is no part of the next case.
        printer.Trickle("", Gap);
        std::this_thread::sleep_for(2 * Gap);
        EXPECT_TRUE(DiscardWaitingBytes());
        ClosePort();
    }
}

TEST_F(SerialLinkTest, OpenFailureBeepsAndSaysSo)
{
    ProgramPaths.SerialPortList = {(TempDir() / "no-such-port").string()};
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(CommLink.LinkError, 1);
    EXPECT_EQ(CommLink.PortHandle, -1);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, OPEN_FAILURE);
    EXPECT_FALSE(ui.messageBoxes[0].yesNo);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"beep"}));
}

TEST_F(SerialLinkTest, OpenFailureDuringAnExchangeTurnsTheBusyWindowIntoTheError)
{
    ShowCommunicating("Printing");
    Settings.Port = 3;  // beyond the list
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(CommLink.LinkError, 1);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Printing", "beep", "error:Error:"s + OPEN_FAILURE}));
}

TEST_F(SerialLinkTest, AFileThatIsNoTerminalIsNoPort)
{
    const auto path = TempDir() / "plain";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ProgramPaths.SerialPortList = {path.string()};
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(ui.OnlyMessage(), OPEN_FAILURE);
}

TEST_F(SerialLinkTest, AVanishedDeviceRefusesWritesAndReadsAsSilence)
{
    ASSERT_TRUE(OpenPort());
    printer.Send("PAR");
    ASSERT_EQ(PrinterPrintf("~S\r\n"), 4u);
    ASSERT_TRUE(printer.WaitForReceived(4));
    printer.Vanish();

    std::string line;
    EXPECT_EQ(ReceiveLine(line, 256), 0u);
    EXPECT_EQ(CommLink.LinkError, 1);
    std::array<std::uint8_t, 4> block{};
    EXPECT_EQ(ReceiveBlock(block), 0u);
    EXPECT_EQ(CommLink.LinkError, 1);
    EXPECT_EQ(PrinterPrintf("~S\r\n"), 0u);
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(ui.OnlyMessage(), RETRY_QUESTION);
    ClosePort();
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(SerialLinkTest, ResettingTheEngineClosesTheOpenPort)
{
    ASSERT_TRUE(OpenPort());
    ResetEngineState();
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_EQ(LinkTimeouts.ReplySilenceMs, 3000);
}

}  // namespace
}  // namespace zk
