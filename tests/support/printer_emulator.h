#pragma once
// Plays the label printer at the far end of the serial link. It opens a
// pseudo-terminal, makes its slave side the engine's only port and, in a
// thread of its own, reads everything the engine sends on the master side:
// it records every byte, splits the stream into command lines (ended by LF,
// CR around it dropped) and answers them.
//
// Answers come from handlers registered by command prefix (the longest
// matching prefix wins), then from a queue of scripted replies for lines no
// handler takes. A handler that expects binary data after its command line
// (a graphic, a font) claims the next bytes with ExpectBinary. Faults:
// silence, a stall in which nothing is read so that the engine's writes
// block, and a vanished device. Garbage and over-long lines are just Send.
//
// The emulator keeps reading as long as it is not stalled, so the small
// queue of the pseudo-terminal never fills by accident.

#include <termios.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zk::test {

class PrinterEmulator {
public:
    // Gets a command line without its line end and answers it with Send.
    using CommandHandler = std::function<void(PrinterEmulator& printer, const std::string& line)>;
    using BinaryHandler = std::function<void(PrinterEmulator& printer, const std::string& data)>;
    // Tells from the data received so far whether it is complete; called
    // with the emulator locked, so it must not call back into it.
    using BinaryComplete = std::function<bool(const std::string& data)>;
    // Tells whether the start of a line (leading CRs dropped) is already a
    // whole command that no line end follows; called with the emulator locked.
    using InlineMatcher = std::function<bool(std::string_view partialLine)>;
    // Sees every command line before the handlers; true takes the line away
    // from them (a form being stored, say).
    using LineFilter = std::function<bool(PrinterEmulator& printer, const std::string& line)>;

    // Opens the pseudo-terminal, starts playing the printer and sets the
    // engine's port to it (SerialPortList = {slave}, Port = 0).
    PrinterEmulator();
    ~PrinterEmulator();
    PrinterEmulator(const PrinterEmulator&) = delete;
    PrinterEmulator& operator=(const PrinterEmulator&) = delete;

    const std::string& SlavePath() const { return m_slavePath; }
    // The port's settings as the engine left them.
    termios PortSettings() const;

    // Replaces the handler of an equal prefix.
    void OnCommand(std::string prefix, CommandHandler handler);
    // A fixed reply to every line that starts with prefix.
    void ReplyTo(std::string prefix, std::string reply);
    // Replies for lines that no handler takes, one per line, in order.
    void QueueReply(std::string reply);
    // From a handler: the next count bytes are data, not command lines.
    void ExpectBinary(std::size_t count, BinaryHandler handler);
    // From a handler: the next bytes are data until complete says so.
    void ExpectBinaryUntil(BinaryComplete complete, BinaryHandler handler);
    // A command sent without a line end (a font store's ES"A", whose data
    // follow at once): once the partial line matches, it is recorded as a
    // line and handler gets it.
    void OnInlineCommand(InlineMatcher matches, CommandHandler handler);
    void SetLineFilter(LineFilter filter);

    // Sends bytes to the engine; callable from any thread and from handlers.
    void Send(std::string_view bytes);
    // A reply as long as a test needs, made as the engine takes it: each
    // time all bytes sent so far have gone out, more() gives the next ones,
    // until it gives none. more() runs with the emulator locked.
    void SendWhileTaken(std::function<std::string()> more);
    // Sends bytes one at a time, the first at once and each next one gap
    // later: a printer that keeps its reply just under the silence bound.
    void Trickle(std::string bytes, std::chrono::milliseconds gap);

    // Faults.
    void SetSilent(bool silent);  // lines are recorded but never answered
    void Stall();                 // stops reading the master side (returns once it has)
    // Refuses even the engine's next single byte, where a stall takes a full
    // queue first: the port's output is suspended until Resume.
    void BlockWrites();
    void Resume();
    void Vanish();  // closes both sides, as when the adapter is pulled out

    // Everything received so far, and the command lines in it.
    std::string Received() const;
    std::vector<std::string> Lines() const;
    // Synchronisation for tests; false when the time ran out.
    [[nodiscard]] bool WaitForReceived(std::size_t count,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    [[nodiscard]] bool WaitForLines(std::size_t count,
                                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

private:
    void Run();
    void Wake();
    void ReadMaster();
    void WriteMaster();
    void CloseDevice();
    // Takes the received bytes apart; handlers run with the lock released.
    void Consume(std::string_view bytes);
    void CompleteLine(std::unique_lock<std::mutex>& lock);
    void CompleteBinary(std::unique_lock<std::mutex>& lock);
    void CheckInlineCommand(std::unique_lock<std::mutex>& lock);
    CommandHandler FindHandler(const std::string& line) const;

    int m_master = -1;
    int m_slave = -1;  // held open so the master never sees a hang-up between exchanges
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::string m_slavePath;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::string m_received;
    std::vector<std::string> m_lines;
    std::string m_partialLine;
    std::map<std::string, CommandHandler> m_handlers;
    std::deque<std::string> m_queuedReplies;
    std::size_t m_binaryLeft = 0;
    std::string m_binaryData;
    BinaryHandler m_binaryHandler;
    BinaryComplete m_binaryComplete;
    std::vector<std::pair<InlineMatcher, CommandHandler>> m_inlineCommands;
    LineFilter m_lineFilter;
    std::string m_outbox;
    std::function<std::string()> m_more;
    std::string m_trickle;
    std::chrono::milliseconds m_trickleGap{0};
    std::chrono::steady_clock::time_point m_nextTrickle;
    bool m_silent = false;
    bool m_stalled = false;
    bool m_stallSeen = false;  // the reading thread has stopped reading
    bool m_vanishRequested = false;
    bool m_vanished = false;
    bool m_stop = false;

    std::thread m_thread;
};

}  // namespace zk::test
