#include "tests/support/silent_print_server.h"

#include <cups/cups.h>

#include <unistd.h>
#include <cstdlib>
#include <string>

#include "tests/support/unix_socket.h"

namespace zk::test {

namespace fs = std::filesystem;

SilentPrintServer::SilentPrintServer()
{
    std::string pattern = (fs::temp_directory_path() / "silent-print-server.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    m_folder = pattern;
    const fs::path path = m_folder / "cups.sock";
    // Connections are taken into the backlog by the kernel and then left alone.
    m_socket = ListeningUnixSocket(path);
    if (m_socket < 0) {
        return;
    }
    m_environment.Set("CUPS_SERVER", path.string());
    // libcups keeps the address it read first for each thread: this one reads it again.
    cupsSetServer(nullptr);
}

SilentPrintServer::~SilentPrintServer()
{
    if (m_socket >= 0) {
        close(m_socket);
    }
    if (!m_folder.empty()) {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
}

}  // namespace zk::test
