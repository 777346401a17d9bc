#include "tests/support/unix_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <string>

namespace zk::test {

namespace {

bool AddressOf(const std::filesystem::path& path, sockaddr_un& address)
{
    const std::string& name = path.native();
    address = {};
    address.sun_family = AF_UNIX;
    if (name.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    return true;
}

}  // namespace

int ListeningUnixSocket(const std::filesystem::path& path)
{
    sockaddr_un address{};
    if (!AddressOf(path, address)) {
        return -1;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0)) {
        close(fd);
        return -1;
    }
    return fd;
}

int ConnectedUnixSocket(const std::filesystem::path& path)
{
    sockaddr_un address{};
    if (!AddressOf(path, address)) {
        return -1;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace zk::test
