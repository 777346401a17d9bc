#include "tests/support/printer_emulator.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"

namespace zk::test {

PrinterEmulator::PrinterEmulator()
{
    std::array<char, 256> name{};
    if (openpty(&m_master, &m_slave, name.data(), nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    m_slavePath = name.data();
    // Raw from the start, so nothing is echoed back before the engine
    // configures the port itself.
    termios tio{};
    tcgetattr(m_slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);

    std::array<int, 2> wake{};
    if (pipe2(wake.data(), O_NONBLOCK | O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];

    ProgramPaths.SerialPortList = {m_slavePath};
    Settings.Port = 0;
    m_thread = std::thread([this] { Run(); });
}

PrinterEmulator::~PrinterEmulator()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    Wake();
    m_thread.join();
    CloseDevice();
    close(m_wakeRead);
    close(m_wakeWrite);
}

termios PrinterEmulator::PortSettings() const
{
    termios tio{};
    std::lock_guard lock(m_mutex);
    if (m_slave >= 0) {
        tcgetattr(m_slave, &tio);
    }
    return tio;
}

void PrinterEmulator::OnCommand(std::string prefix, CommandHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_handlers[std::move(prefix)] = std::move(handler);
}

void PrinterEmulator::ReplyTo(std::string prefix, std::string reply)
{
    OnCommand(std::move(prefix), [reply = std::move(reply)](PrinterEmulator& printer, const std::string&) {
        printer.Send(reply);
    });
}

void PrinterEmulator::QueueReply(std::string reply)
{
    std::lock_guard lock(m_mutex);
    m_queuedReplies.push_back(std::move(reply));
}

void PrinterEmulator::ExpectBinary(std::size_t count, BinaryHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_binaryLeft = count;
    m_binaryComplete = nullptr;
    m_binaryData.clear();
    m_binaryHandler = std::move(handler);
}

void PrinterEmulator::ExpectBinaryUntil(BinaryComplete complete, BinaryHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_binaryLeft = 0;
    m_binaryData.clear();
    m_binaryComplete = std::move(complete);
    m_binaryHandler = std::move(handler);
}

void PrinterEmulator::OnInlineCommand(InlineMatcher matches, CommandHandler handler)
{
    std::lock_guard lock(m_mutex);
    m_inlineCommands.emplace_back(std::move(matches), std::move(handler));
}

void PrinterEmulator::SetLineFilter(LineFilter filter)
{
    std::lock_guard lock(m_mutex);
    m_lineFilter = std::move(filter);
}

void PrinterEmulator::Send(std::string_view bytes)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_vanished || m_vanishRequested) {
            return;
        }
        m_outbox.append(bytes);
    }
    Wake();
}

void PrinterEmulator::SendWhileTaken(std::function<std::string()> more)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_vanished || m_vanishRequested) {
            return;
        }
        m_more = std::move(more);
    }
    Wake();
}

void PrinterEmulator::Trickle(std::string bytes, std::chrono::milliseconds gap)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_vanished || m_vanishRequested) {
            return;
        }
        m_trickle = std::move(bytes);
        m_trickleGap = gap;
        m_nextTrickle = std::chrono::steady_clock::now();
    }
    Wake();
}

void PrinterEmulator::SetSilent(bool silent)
{
    std::lock_guard lock(m_mutex);
    m_silent = silent;
}

void PrinterEmulator::Stall()
{
    std::unique_lock lock(m_mutex);
    m_stalled = true;
    m_stallSeen = false;
    // A handler stalls from the emulator's own thread, which checks again
    // before it reads; any other thread waits until the reading has stopped,
    // so that what it sends next stays queued.
    if (std::this_thread::get_id() == m_thread.get_id()) {
        return;
    }
    lock.unlock();
    Wake();
    lock.lock();
    m_changed.wait(lock, [this] { return m_stallSeen || m_vanished || m_stop; });
}

void PrinterEmulator::BlockWrites()
{
    std::lock_guard lock(m_mutex);
    if (m_slave >= 0) {
        tcflow(m_slave, TCOOFF);
    }
}

void PrinterEmulator::Resume()
{
    {
        std::lock_guard lock(m_mutex);
        m_stalled = false;
        if (m_slave >= 0) {
            tcflow(m_slave, TCOON);
        }
    }
    Wake();
}

void PrinterEmulator::Vanish()
{
    std::unique_lock lock(m_mutex);
    m_vanishRequested = true;
    lock.unlock();
    Wake();
    lock.lock();
    m_changed.wait(lock, [this] { return m_vanished; });
}

std::string PrinterEmulator::Received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::vector<std::string> PrinterEmulator::Lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

bool PrinterEmulator::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_received.size() >= count; });
}

bool PrinterEmulator::WaitForLines(std::size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_lines.size() >= count; });
}

void PrinterEmulator::Wake()
{
    const char signal = 1;
    [[maybe_unused]] const ssize_t ignored = write(m_wakeWrite, &signal, 1);
}

void PrinterEmulator::Run()
{
    for (;;) {
        std::array<pollfd, 2> fds{};
        fds[0] = {m_wakeRead, POLLIN, 0};
        nfds_t count = 1;
        int timeoutMs = 100;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop) {
                return;
            }
            if (!m_trickle.empty() && m_master >= 0) {
                const auto now = std::chrono::steady_clock::now();
                if (now >= m_nextTrickle) {
                    m_outbox.push_back(m_trickle.front());
                    m_trickle.erase(0, 1);
                    m_nextTrickle = now + m_trickleGap;
                }
                if (!m_trickle.empty()) {
                    const auto left =
                        std::chrono::duration_cast<std::chrono::milliseconds>(m_nextTrickle - now).count();
                    timeoutMs = static_cast<int>(std::clamp<long long>(left, 0, timeoutMs));
                }
            }
            if (m_vanishRequested && !m_vanished) {
                CloseDevice();
                m_vanished = true;
                m_changed.notify_all();
            }
            if (m_stalled && !m_stallSeen) {
                m_stallSeen = true;
                m_changed.notify_all();
            }
            if (m_master >= 0) {
                short events = 0;
                if (!m_stalled) events |= POLLIN;
                if (!m_outbox.empty() || m_more) events |= POLLOUT;
                fds[1] = {m_master, events, 0};
                count = 2;
            }
        }
        if (poll(fds.data(), count, timeoutMs) < 0 && errno != EINTR) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            std::array<char, 64> drain{};
            while (read(m_wakeRead, drain.data(), drain.size()) > 0) {
            }
        }
        if (count == 2) {
            if ((fds[1].revents & POLLIN) != 0) ReadMaster();
            if ((fds[1].revents & POLLOUT) != 0) WriteMaster();
        }
    }
}

void PrinterEmulator::ReadMaster()
{
    std::array<char, 4096> buffer{};
    const ssize_t got = read(m_master, buffer.data(), buffer.size());
    if (got > 0) {
        Consume(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
}

void PrinterEmulator::WriteMaster()
{
    std::lock_guard lock(m_mutex);
    if (m_outbox.empty() && m_more) {
        m_outbox = m_more();
        if (m_outbox.empty()) {
            m_more = nullptr;
            return;
        }
    }
    const ssize_t written = write(m_master, m_outbox.data(), m_outbox.size());
    if (written > 0) {
        m_outbox.erase(0, static_cast<std::size_t>(written));
    }
}

void PrinterEmulator::CloseDevice()
{
    if (m_master >= 0) close(m_master);
    if (m_slave >= 0) close(m_slave);
    m_master = -1;
    m_slave = -1;
    m_outbox.clear();
    m_more = nullptr;
    m_trickle.clear();
}

void PrinterEmulator::Consume(std::string_view bytes)
{
    std::unique_lock lock(m_mutex);
    m_received.append(bytes);
    for (const char c : bytes) {
        if (m_binaryLeft > 0) {
            m_binaryData.push_back(c);
            if (--m_binaryLeft == 0) {
                CompleteBinary(lock);
            }
        } else if (m_binaryComplete) {
            m_binaryData.push_back(c);
            if (m_binaryComplete(m_binaryData)) {
                m_binaryComplete = nullptr;
                CompleteBinary(lock);
            }
        } else if (c == '\n') {
            CompleteLine(lock);
        } else {
            m_partialLine.push_back(c);
            CheckInlineCommand(lock);
        }
    }
    m_changed.notify_all();
}

void PrinterEmulator::CompleteBinary(std::unique_lock<std::mutex>& lock)
{
    BinaryHandler handler = std::move(m_binaryHandler);
    std::string data = std::move(m_binaryData);
    m_binaryHandler = nullptr;
    m_binaryData.clear();
    if (handler && !m_silent) {
        lock.unlock();
        handler(*this, data);
        lock.lock();
    }
}

void PrinterEmulator::CheckInlineCommand(std::unique_lock<std::mutex>& lock)
{
    std::string_view partial = m_partialLine;
    while (!partial.empty() && partial.front() == '\r') partial.remove_prefix(1);
    for (const auto& [matches, handler] : m_inlineCommands) {
        if (!matches(partial)) {
            continue;
        }
        std::string line(partial);
        m_partialLine.clear();
        m_lines.push_back(line);
        m_changed.notify_all();
        if (!m_silent) {
            CommandHandler run = handler;
            lock.unlock();
            run(*this, line);
            lock.lock();
        }
        return;
    }
}

void PrinterEmulator::CompleteLine(std::unique_lock<std::mutex>& lock)
{
    std::string line = std::move(m_partialLine);
    m_partialLine.clear();
    // A CR belongs to the line end, before the LF or (LF CR) after it.
    while (!line.empty() && line.front() == '\r') line.erase(0, 1);
    while (!line.empty() && line.back() == '\r') line.pop_back();
    m_lines.push_back(line);
    m_changed.notify_all();
    if (m_silent) {
        return;
    }
    if (m_lineFilter) {
        LineFilter filter = m_lineFilter;
        lock.unlock();
        const bool taken = filter(*this, line);
        lock.lock();
        if (taken) {
            return;
        }
    }
    if (CommandHandler handler = FindHandler(line)) {
        lock.unlock();
        handler(*this, line);
        lock.lock();
    } else if (!m_queuedReplies.empty()) {
        m_outbox.append(m_queuedReplies.front());
        m_queuedReplies.pop_front();
        Wake();
    }
}

PrinterEmulator::CommandHandler PrinterEmulator::FindHandler(const std::string& line) const
{
    const CommandHandler* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto& [prefix, handler] : m_handlers) {
        if (line.starts_with(prefix) && (best == nullptr || prefix.size() > bestLength)) {
            best = &handler;
            bestLength = prefix.size();
        }
    }
    return best != nullptr ? *best : nullptr;
}

}  // namespace zk::test
