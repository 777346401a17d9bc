#include "engine/io/file_copy.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "engine/io/file_descriptor.h"

namespace zk {

namespace {

constexpr std::size_t CopyChunkSize = 64 * 1024;
constexpr int NameAttempts = 100;
constexpr std::size_t RandomEndingLength = 6;
constexpr std::string_view NameCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string RandomEnding()
{
    std::array<unsigned char, RandomEndingLength> bytes{};
    if (getrandom(bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        return {};
    }
    std::string ending;
    for (const unsigned char byte : bytes) {
        ending += NameCharacters[byte % NameCharacters.size()];
    }
    return ending;
}

bool WriteAllAt(int fd, const unsigned char* bytes, std::size_t count, off_t at)
{
    while (count > 0) {
        const ssize_t written = pwrite(fd, bytes, count, at);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
        at += written;
    }
    return true;
}

}  // namespace

int CreateBeside(const std::string& path, const char* marker, mode_t mode, std::string& createdPath)
{
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string ending = RandomEnding();
        if (ending.empty()) {
            return -1;
        }
        const std::string name = path + marker + ending;
        const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            createdPath = name;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

void SyncFolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const FileDescriptor handle(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) {
        fsync(handle.Get());
    }
}

bool CopyContents(int from, int to)
{
    std::vector<unsigned char> chunk(CopyChunkSize);
    off_t at = 0;
    for (;;) {
        const ssize_t got = pread(from, chunk.data(), chunk.size(), at);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        if (!WriteAllAt(to, chunk.data(), static_cast<std::size_t>(got), at)) {
            return false;
        }
        at += got;
    }
    return fdatasync(to) == 0 && ftruncate(to, at) == 0 && fsync(to) == 0;
}

}  // namespace zk
