#pragma once
// A print server that takes connections and never answers, as a print
// server does that has stopped working: a Unix socket in the test's
// temporary folder that listens and never reads. While it lives,
// CUPS_SERVER points the program at it.

#include <filesystem>

#include "tests/support/scoped_environment.h"

namespace zk::test {

class SilentPrintServer {
public:
    SilentPrintServer();
    ~SilentPrintServer();
    SilentPrintServer(const SilentPrintServer&) = delete;
    SilentPrintServer& operator=(const SilentPrintServer&) = delete;

    bool Listening() const { return m_socket >= 0; }

private:
    std::filesystem::path m_folder;
    int m_socket = -1;
    ScopedEnvironment m_environment;
};

}  // namespace zk::test
