#include "engine/io/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zk {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

constexpr std::size_t ChunkSize = 64 * 1024;

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return std::nullopt;
    }
    // Read to the end rather than to the size the file claims: files of
    // the kernel's own (and files that grow) report no true size.
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        // One byte past the bound tells a file that is too long.
        const std::size_t room = std::min(ChunkSize, maxBytes + 1 - had);
        bytes.resize(had + room);
        const ssize_t got = read(file.Get(), bytes.data() + had, room);
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (got == 0) {
            return bytes;
        }
        if (bytes.size() > maxBytes) {
            return std::nullopt;
        }
    }
}

}  // namespace zk
