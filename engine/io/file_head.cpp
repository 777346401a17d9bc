#include "engine/io/file_head.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "engine/io/file_descriptor.h"

namespace zk {

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

}  // namespace

std::optional<TFileHead> ReadFileHead(const std::string& path, std::size_t maxBytes)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer; it is no
    // regular file and is refused below. Regular files ignore the flag.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const auto claimed = static_cast<std::uintmax_t>(status.st_size);
    // Read to the end rather than to the size the file claims: files of the
    // kernel's own claim none, and a file may shrink or grow meanwhile.
    TFileHead head;
    std::vector<std::uint8_t>& bytes = head.Bytes;
    bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(claimed + ChunkSize, maxBytes)));
    while (bytes.size() < maxBytes) {
        const std::size_t had = bytes.size();
        const std::size_t room = std::min(ChunkSize, maxBytes - had);
        bytes.resize(had + room);
        const ssize_t got = read(file.Get(), bytes.data() + had, room);
        if (got < 0) {
            bytes.resize(had);
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (got == 0) {
            head.FileSize = bytes.size();
            return head;
        }
    }
    head.FileSize = std::max<std::uintmax_t>(claimed, bytes.size());
    return head;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    // One byte past the bound tells a file that is too long.
    auto head = ReadFileHead(path, maxBytes + 1);
    if (!head || head->Bytes.size() > maxBytes) {
        return std::nullopt;
    }
    return std::move(head->Bytes);
}

}  // namespace zk
