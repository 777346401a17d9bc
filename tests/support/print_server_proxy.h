#pragma once
// A go-between in front of the tests' print server that holds the answer
// to a job's document: a Unix socket in the test's temporary folder whose
// connections a thread of its own relays to the server's socket, byte for
// byte, except that the server's answer to a request carrying a job's
// document (Print-Job, Send-Document) is held back. The server does the job
// all the same; only the program doesn't hear so. While it lives,
// CUPS_SERVER points the program at it. Its thread ends by itself at the
// latest after Lifetime, closing every connection.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/scoped_environment.h"

namespace zk::test {

class PrintServerProxy {
public:
    enum class Holding {
        // Every answer, as a server does that has become too slow.
        EveryAnswer,
        // Only the answers to the document requests.
        DocumentAnswers,
        // Once a document request went through, every answer on every connection.
        EveryAnswerFromTheDocumentOn,
    };
    static constexpr std::chrono::seconds Lifetime{120};

    // Held answers go out after holdFor, or never when it is longer than Lifetime.
    PrintServerProxy(const std::filesystem::path& serverSocket, Holding holding, std::chrono::milliseconds holdFor);
    ~PrintServerProxy();
    PrintServerProxy(const PrintServerProxy&) = delete;
    PrintServerProxy& operator=(const PrintServerProxy&) = delete;

    bool Listening() const { return m_listener >= 0; }
    // How many document requests it has seen.
    int DocumentRequests() const { return m_documentRequests; }

private:
    void Relay();

    std::filesystem::path m_serverSocket;
    Holding m_holding;
    std::chrono::milliseconds m_holdFor;
    std::filesystem::path m_folder;
    int m_listener = -1;
    int m_stopPipe[2] = {-1, -1};
    std::atomic<int> m_documentRequests{0};
    std::thread m_thread;
    ScopedEnvironment m_environment;
};

}  // namespace zk::test
