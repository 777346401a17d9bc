#include "tests/support/print_server_proxy.h"

#include <cups/cups.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <vector>

#include "tests/support/unix_socket.h"

namespace zk::test {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The start of an IPP request that carries a document, right after the
// HTTP header: version 1.x or 2.x, then the operation.
bool CarriesDocument(const std::string& sent)
{
    for (size_t at = sent.find("\r\n\r\n"); at != std::string::npos; at = sent.find("\r\n\r\n", at + 1)) {
        const size_t body = at + 4;
        if (body + 4 > sent.size()) {
            continue;
        }
        const auto byte = [&sent](size_t index) { return static_cast<unsigned char>(sent[index]); };
        const int operation = byte(body + 2) << 8 | byte(body + 3);
        if ((byte(body) == 1 || byte(body) == 2) &&
            (operation == IPP_OP_PRINT_JOB || operation == IPP_OP_SEND_DOCUMENT)) {
            return true;
        }
    }
    return false;
}

constexpr const char* Continue = "HTTP/1.1 100 Continue\r\n\r\n";

struct Pair {
    int client = -1;
    int server = -1;
    // The client's last bytes, enough to find a request's start across reads.
    std::string clientTail;
    bool holding = false;
    Clock::time_point releaseAt;
    std::string held;

    ~Pair()
    {
        close(client);
        close(server);
    }
};

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = write(fd, data, size);
        if (done <= 0) {
            return false;
        }
        data += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

}  // namespace

PrintServerProxy::PrintServerProxy(const fs::path& serverSocket, Holding holding, std::chrono::milliseconds holdFor)
    : m_serverSocket(serverSocket), m_holding(holding), m_holdFor(holdFor)
{
    std::string pattern = (fs::temp_directory_path() / "print-proxy.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr || pipe2(m_stopPipe, O_CLOEXEC) != 0) {
        return;
    }
    m_folder = pattern;
    const fs::path path = m_folder / "cups.sock";
    m_listener = ListeningUnixSocket(path);
    if (m_listener < 0) {
        return;
    }
    m_environment.Set("CUPS_SERVER", path.string());
    // libcups keeps the address it read first for each thread: this one reads it again.
    cupsSetServer(nullptr);
    m_thread = std::thread(&PrintServerProxy::Relay, this);
}

PrintServerProxy::~PrintServerProxy()
{
    if (m_stopPipe[1] >= 0) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t ignored = write(m_stopPipe[1], &stop, 1);
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    for (const int fd : {m_listener, m_stopPipe[0], m_stopPipe[1]}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    if (!m_folder.empty()) {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    cupsSetServer(nullptr);
}

void PrintServerProxy::Relay()
{
    const auto end = Clock::now() + Lifetime;
    std::list<Pair> pairs;
    bool documentSeen = false;
    char buffer[65536];
    while (Clock::now() < end) {
        std::vector<pollfd> watched{{m_stopPipe[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
        auto wakeAt = end;
        for (Pair& pair : pairs) {
            watched.push_back({pair.client, POLLIN, 0});
            watched.push_back({pair.server, POLLIN, 0});
            if (pair.holding && !pair.held.empty()) {
                wakeAt = std::min(wakeAt, pair.releaseAt);
            }
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wakeAt - Clock::now()).count();
        if (poll(watched.data(), watched.size(), static_cast<int>(std::clamp<long long>(wait, 0, 1000))) < 0) {
            continue;
        }
        if (watched[0].revents != 0) {
            return;
        }
        if (watched[1].revents & POLLIN) {
            Pair& pair = pairs.emplace_back();
            pair.client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            pair.server = ConnectedUnixSocket(m_serverSocket);
            pair.holding = m_holding == Holding::EveryAnswer ||
                           (m_holding == Holding::EveryAnswerFromTheDocumentOn && documentSeen);
            pair.releaseAt = Clock::now() + m_holdFor;
        }
        size_t index = 2;
        for (auto pair = pairs.begin(); pair != pairs.end(); index += 2) {
            bool open = pair->client >= 0 && pair->server >= 0;
            if (open && watched.size() > index + 1 && (watched[index].revents & (POLLIN | POLLHUP | POLLERR))) {
                const ssize_t got = read(pair->client, buffer, sizeof buffer);
                open = got > 0 && WriteAll(pair->server, buffer, static_cast<size_t>(got));
                if (got > 0) {
                    pair->clientTail.append(buffer, static_cast<size_t>(got));
                    if (!pair->holding && CarriesDocument(pair->clientTail)) {
                        ++m_documentRequests;
                        documentSeen = true;
                        pair->holding = true;
                        pair->releaseAt = Clock::now() + m_holdFor;
                    }
                    pair->clientTail.erase(0, pair->clientTail.size() > 64 ? pair->clientTail.size() - 64 : 0);
                }
            }
            if (open && watched.size() > index + 1 && (watched[index + 1].revents & (POLLIN | POLLHUP | POLLERR))) {
                const ssize_t got = read(pair->server, buffer, sizeof buffer);
                open = got > 0;
                if (got > 0) {
                    pair->held.append(buffer, static_cast<size_t>(got));
                }
            }
            // The server's go-ahead for the document is never held: only the answer after it.
            if (open && pair->holding && pair->held.starts_with(Continue)) {
                open = WriteAll(pair->client, pair->held.data(), std::strlen(Continue));
                pair->held.erase(0, std::strlen(Continue));
            }
            if (open && !pair->held.empty() && (!pair->holding || Clock::now() >= pair->releaseAt)) {
                open = WriteAll(pair->client, pair->held.data(), pair->held.size());
                pair->held.clear();
            }
            if (open) {
                ++pair;
            } else {
                pair = pairs.erase(pair);
            }
        }
        if (m_holding == Holding::EveryAnswerFromTheDocumentOn && documentSeen) {
            for (Pair& pair : pairs) {
                if (!pair.holding) {
                    pair.holding = true;
                    pair.releaseAt = Clock::now() + m_holdFor;
                }
            }
        }
    }
}

}  // namespace zk::test
