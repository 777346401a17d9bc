#include "engine/link/serial_link.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>

#include "engine/config/program_paths.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/port_settings.h"
#include "engine/model/label_setup.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

TLinkTimeouts LinkTimeouts;

namespace {

using Clock = std::chrono::steady_clock;

// Longest stretch a wait blocks before it lets window messages run again.
constexpr int PUMP_SLICE_MS = 10;

// What the open port was configured with, and how long one byte of 8N1
// (ten bits) takes on the line at its rate.
int openProtocol = 0;
std::chrono::microseconds byteTime{0};
// Cleared once the device has answered a modem-status request with "no such
// lines" (a pseudo-terminal): DSR then counts as asserted for good.
bool hasModemLines = true;

enum class WaitResult { Ready, TimedOut, Failed };

int MsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, PUMP_SLICE_MS));
}

// Waits for the port to become ready for events, letting window messages run
// between slices. A device that hung up or reports an error is Failed, as is
// a port that a message handler closed meanwhile.
WaitResult WaitForPort(short events, Clock::time_point deadline)
{
    const int fd = CommLink.PortHandle;
    for (;;) {
        pollfd entry{fd, events, 0};
        const int slice = MsUntil(deadline);
        const int result = poll(&entry, 1, slice);
        if (result > 0) {
            if ((entry.revents & events) != 0) {
                return WaitResult::Ready;
            }
            return WaitResult::Failed;  // POLLHUP, POLLERR or POLLNVAL alone
        }
        if (result < 0 && errno != EINTR) {
            return WaitResult::Failed;
        }
        if (slice == 0 && result == 0) {
            return WaitResult::TimedOut;
        }
        Ui().ProcessMessages();
        if (CommLink.PortHandle != fd) {
            return WaitResult::Failed;
        }
    }
}

// Protocol 0: the printer takes bytes only while it asserts DSR.
bool WaitForDsr(Clock::time_point deadline)
{
    const int fd = CommLink.PortHandle;
    for (;;) {
        int status = 0;
        if (ioctl(fd, TIOCMGET, &status) == 0) {
            if ((status & TIOCM_DSR) != 0) {
                return true;
            }
        } else if (errno == ENOTTY || errno == EINVAL) {
            hasModemLines = false;
            return true;
        } else {
            return false;
        }
        const int slice = MsUntil(deadline);
        if (slice == 0) {
            return false;
        }
        poll(nullptr, 0, slice);
        Ui().ProcessMessages();
        if (CommLink.PortHandle != fd) {
            return false;
        }
    }
}

// One attempt to hand a byte to the device and see it transmitted.
bool WriteOnce(std::uint8_t byte)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(LinkTimeouts.WriteTimeoutMs + 1);
    if (openProtocol == 0 && hasModemLines && !WaitForDsr(deadline)) {
        return false;
    }
    for (;;) {
        if (WaitForPort(POLLOUT, deadline) != WaitResult::Ready) {
            return false;
        }
        const ssize_t written = write(CommLink.PortHandle, &byte, 1);
        if (written == 1) {
            while (tcdrain(CommLink.PortHandle) != 0) {
                if (errno != EINTR) {
                    return false;
                }
            }
            return true;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
    }
}

// The latest moment a read of at most byteCount bytes may end: the time
// they take on the line plus the silence bound. A printer that trickles its
// reply just under the silence bound is still given up on in time.
Clock::time_point ReadDeadline(std::size_t byteCount)
{
    return Clock::now() + byteTime * static_cast<long long>(byteCount) +
           std::chrono::milliseconds(LinkTimeouts.ReplySilenceMs);
}

// Waits for the next reply byte within the silence time after lastByte and
// before the read's own deadline.
bool WaitForReplyByte(Clock::time_point lastByte, Clock::time_point deadline)
{
    // A wait returns at once while bytes are waiting, so its deadline alone
    // never ends a read whose bytes keep coming.
    if (CommLink.PortHandle < 0 || Clock::now() >= deadline) {
        return false;
    }
    const auto silenceEnd = lastByte + std::chrono::milliseconds(LinkTimeouts.ReplySilenceMs);
    return WaitForPort(POLLIN, std::min(silenceEnd, deadline)) == WaitResult::Ready;
}

// Reads count bytes into out (dropped when out is empty), each within the
// silence time of the previous one and all before deadline; how many came.
// Fewer set LinkError.
std::size_t ReadBytes(std::span<std::uint8_t> out, std::size_t count, Clock::time_point deadline)
{
    auto lastByte = Clock::now();
    for (std::size_t got = 0; got < count; ++got) {
        std::uint8_t byte = 0;
        if (!WaitForReplyByte(lastByte, deadline) || !ReadByte(byte)) {
            CommLink.LinkError = 1;
            return got;
        }
        if (!out.empty()) {
            out[got] = byte;
        }
        lastByte = Clock::now();
        Ui().ProcessMessages();
    }
    return count;
}

void ReportOpenFailure()
{
    constexpr const char* caption = "Error";
    constexpr const char* text = "Can't open communication port";
    Ui().Beep();
    if (Ui().IsMessageBoxVisible()) {
        SetMessageBoxError(caption, text);
    } else {
        ShowMessageBox(caption, text, false);
    }
}

int OpenConfiguredPort()
{
    const auto& ports = ProgramPaths.SerialPortList;
    if (Settings.Port < 0 || static_cast<std::size_t>(Settings.Port) >= ports.size()) {
        return -1;
    }
    const int fd = open(ports[Settings.Port].c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    // The port is ours alone while open: no other program may open it, and
    // none that locks it may already hold it.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || !ConfigurePort(fd, Settings.BaudIndex, Settings.Protocol)) {
        close(fd);
        return -1;
    }
    ioctl(fd, TIOCEXCL);
    return fd;
}

// An action taken while an exchange waits gets no traffic of its own: its
// bytes would land inside the running exchange's. It is refused with a beep,
// leaving the link's state to the exchange that owns it.
bool RefusedInsideExchange()
{
    if (!EnteredDuringExchange()) {
        return false;
    }
    Ui().Beep();
    return true;
}

bool AskToRetryWrite()
{
    // The question's own loop lets window messages run like any wait.
    const TWindowMessagesScope messages;
    return ShowMessageBox("Error", "Can't write to comm. port. Retry ?", true) == 1;
}

}  // namespace

bool OpenPort()
{
    if (RefusedInsideExchange()) {
        return false;
    }
    CommLink.LinkError = 0;
    CommLink.WriteAborted = 0;
    if (CommLink.PortHandle >= 0) {
        return true;
    }
    const int fd = OpenConfiguredPort();
    if (fd < 0) {
        ReportOpenFailure();
        CommLink.LinkError = 1;
        return false;
    }
    CommLink.PortHandle = fd;
    openProtocol = Settings.Protocol;
    byteTime = std::chrono::microseconds(10'000'000 / PortBitsPerSecond(fd));
    hasModemLines = true;
    return true;
}

void ClosePort()
{
    if (CommLink.PortHandle < 0) {
        return;
    }
    ioctl(CommLink.PortHandle, TIOCNXCL);
    close(CommLink.PortHandle);
    CommLink.PortHandle = -1;
}

int BytesWaiting()
{
    int count = 0;
    if (CommLink.PortHandle < 0 || ioctl(CommLink.PortHandle, FIONREAD, &count) != 0) {
        return -1;
    }
    return count;
}

bool SendByte(std::uint8_t byte)
{
    if (RefusedInsideExchange()) {
        return false;
    }
    CommLink.LinkError = 0;
    CommLink.WriteAborted = 0;
    if (CommLink.PortHandle < 0) {
        return true;
    }
    const auto giveUp = [] {
        CommLink.WriteAborted = 1;
        CommLink.LinkError = 1;
        return false;
    };
    for (;;) {
        Ui().ProcessMessages();
        // The window that owns the port closed it meanwhile (the terminal's
        // close): the user gave the write up, and there is nobody to ask.
        if (CommLink.PortHandle < 0) {
            return giveUp();
        }
        if (WriteOnce(byte)) {
            return true;
        }
        // Nor is there anybody to ask once the window that runs the
        // exchange has closed (the settings during a service command).
        if (CommLink.PortHandle < 0 || RunningExchangeAbandoned() || !AskToRetryWrite()) {
            return giveUp();
        }
    }
}

bool ReadByte(std::uint8_t& byte)
{
    return CommLink.PortHandle >= 0 && read(CommLink.PortHandle, &byte, 1) == 1;
}

std::size_t ReceiveBlock(std::span<std::uint8_t> buffer)
{
    CommLink.LinkError = 0;
    return ReadBytes(buffer, buffer.size(), ReadDeadline(buffer.size()));
}

std::size_t DiscardBlock(std::size_t count)
{
    CommLink.LinkError = 0;
    return ReadBytes({}, count, Clock::now() + std::chrono::milliseconds(LinkTimeouts.ReplyDrainMs));
}

namespace {

// Reads and drops reply bytes until a NUL (or an LF when atLineEnd), within
// the silence time between bytes and ReplyDrainMs in all.
DrainEnd Drain(bool atLineEnd)
{
    const auto stop = Clock::now() + std::chrono::milliseconds(LinkTimeouts.ReplyDrainMs);
    auto lastByte = Clock::now();
    for (;;) {
        // Checked before every byte: a wait returns at once while bytes are
        // waiting, so its deadline alone never ends a reply that keeps coming.
        if (Clock::now() >= stop) {
            return DrainEnd::TimeLimit;
        }
        const auto deadline = std::min(lastByte + std::chrono::milliseconds(LinkTimeouts.ReplySilenceMs), stop);
        std::uint8_t byte = 0;
        if (CommLink.PortHandle < 0 || WaitForPort(POLLIN, deadline) != WaitResult::Ready || !ReadByte(byte)) {
            return Clock::now() >= stop && CommLink.PortHandle >= 0 ? DrainEnd::TimeLimit : DrainEnd::Silence;
        }
        if (byte == 0) {
            return DrainEnd::ReplyEnd;
        }
        if (atLineEnd && byte == '\n') {
            return DrainEnd::LineEnd;
        }
        lastByte = Clock::now();
        Ui().ProcessMessages();
    }
}

}  // namespace

bool DrainReply() { return Drain(false) == DrainEnd::ReplyEnd; }

std::size_t ReceiveLine(std::string& line, std::size_t size)
{
    line.clear();
    CommLink.EndOfReply = 0;
    CommLink.LinkError = 0;
    CommLink.LineTooLong = 0;
    const std::size_t limit = size > 0 ? size - 1 : 0;
    // The longest line: its characters, then CR LF.
    const auto deadline = ReadDeadline(limit + 2);
    std::string text;
    auto lastByte = Clock::now();
    for (;;) {
        std::uint8_t byte = 0;
        if (!WaitForReplyByte(lastByte, deadline) || !ReadByte(byte)) {
            CommLink.LinkError = 1;
            return 0;
        }
        lastByte = Clock::now();
        if (byte == '\n') {
            line = std::move(text);
            return line.size();
        }
        if (byte == 0) {
            CommLink.EndOfReply = 1;
            return 0;
        }
        if (byte >= 0x20) {
            // A full line is whole when its LF (or only control bytes and
            // then its LF) follows; a further character makes it too long.
            if (text.size() == limit) {
                CommLink.LineTooLong = 1;
                line = std::move(text);
                return line.size();
            }
            text.push_back(static_cast<char>(byte));
        }
        Ui().ProcessMessages();
    }
}

DrainEnd DropRestOfLine()
{
    const DrainEnd end = Drain(true);
    if (end == DrainEnd::ReplyEnd) {
        CommLink.EndOfReply = 1;
    } else if (end != DrainEnd::LineEnd) {
        CommLink.LinkError = 1;
    }
    return end;
}

std::size_t ReceiveLineDroppingRest(std::string& line, std::size_t size)
{
    const std::size_t length = ReceiveLine(line, size);
    if (CommLink.LineTooLong != 0) {
        DropRestOfLine();
    }
    return length;
}

bool DiscardWaitingBytes()
{
    const auto stop = Clock::now() + std::chrono::milliseconds(LinkTimeouts.ReplyDrainMs);
    for (std::uint8_t byte = 0; BytesWaiting() > 0 && ReadByte(byte);) {
        if (Clock::now() >= stop) {
            CommLink.LinkError = 1;
            return false;
        }
        Ui().ProcessMessages();
    }
    return true;
}

std::size_t PrinterPrintf(const char* format, ...)
{
    if (CommLink.PortHandle < 0 || RefusedInsideExchange()) {
        return 0;
    }
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string command;
    if (length > 0) {
        command.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(command.data(), command.size(), format, args);
        command.resize(static_cast<std::size_t>(length));
    }
    va_end(args);

    std::size_t sent = 0;
    for (const char c : command) {
        if (CommLink.PortHandle < 0 || !SendByte(static_cast<std::uint8_t>(c))) {
            break;
        }
        ++sent;
    }
    return sent;
}

}  // namespace zk
