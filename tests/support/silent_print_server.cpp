#include "tests/support/silent_print_server.h"

#include <cups/cups.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <string>

namespace zk::test {

namespace fs = std::filesystem;

SilentPrintServer::SilentPrintServer()
{
    std::string pattern = (fs::temp_directory_path() / "silent-print-server.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    m_folder = pattern;
    const std::string path = (m_folder / "cups.sock").string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // Connections are taken into the backlog by the kernel and then left alone.
    if (m_socket < 0 || bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_socket, 64) != 0) {
        if (m_socket >= 0) {
            close(m_socket);
        }
        m_socket = -1;
        return;
    }
    m_environment.Set("CUPS_SERVER", path);
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
