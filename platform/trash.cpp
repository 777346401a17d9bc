#include "platform/trash.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/shell_browser.h"

namespace zk::platform {

namespace {

// The path as the info record spells it: bytes outside the unreserved set
// and '/' percent-encoded.
std::string PercentEncoded(const std::string& path)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.' || c == '~' || c == '/';
        if (plain) {
            text += static_cast<char>(c);
        } else {
            text += '%';
            text += Hex[c >> 4];
            text += Hex[c & 0x0F];
        }
    }
    return text;
}

bool MakeDirectory(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) {
        return false;
    }
    chmod(path.c_str(), 0700);
    return std::filesystem::is_directory(path, error);
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::string HomeTrashDir()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/Trash";
    }
    return HomeFolder() + "/.local/share/Trash";
}

bool MoveToTrash(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path source = std::filesystem::absolute(path, error).lexically_normal();
    struct stat info {};
    if (error || lstat(source.c_str(), &info) != 0) {
        return false;
    }
    const std::string trash = HomeTrashDir();
    if (!MakeDirectory(trash + "/files") || !MakeDirectory(trash + "/info")) {
        return false;
    }
    char when[32];
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string record =
        "[Trash Info]\nPath=" + PercentEncoded(source.string()) + "\nDeletionDate=" + when + "\n";

    // The info record is made first and exclusively: it reserves the name.
    const std::string base = source.filename().string();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string name = attempt == 0 ? base : base + "." + std::to_string(attempt);
        const std::string infoPath = trash + "/info/" + name + ".trashinfo";
        const int fd = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        const bool written = WriteAll(fd, record);
        const bool closed = close(fd) == 0;
        const std::string target = trash + "/files/" + name;
        if (written && closed) {
            // Never over a stray file that holds the name without a record.
            int result = renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
            if (result != 0 && errno == EINVAL && !std::filesystem::exists(target, error)) {
                result = std::rename(source.c_str(), target.c_str());
            }
            if (result == 0) {
                return true;
            }
            const int reason = errno;
            std::remove(infoPath.c_str());
            if (reason == EEXIST) {
                continue;
            }
            return false;
        }
        std::remove(infoPath.c_str());
        return false;
    }
    return false;
}

}  // namespace zk::platform
