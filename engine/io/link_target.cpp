#include "engine/io/link_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace zk {

namespace {

// As many links as the kernel follows before it reports a loop.
constexpr int MaxLinkHops = 40;

std::optional<std::string> ReadLinkText(const std::string& path, std::size_t size)
{
    // The size lstat gave may be stale; a text that fills the buffer is read again larger.
    std::vector<char> text(size + 1);
    for (;;) {
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length < 0) {
            return std::nullopt;
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            return std::string(text.data(), static_cast<std::size_t>(length));
        }
        text.resize(text.size() * 2);
    }
}

}  // namespace

std::optional<std::string> FollowSymbolicLinks(const std::string& path)
{
    std::string current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return current;
            }
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) {
            return current;
        }
        const auto target = ReadLinkText(current, static_cast<std::size_t>(status.st_size));
        if (!target || target->empty()) {
            return std::nullopt;
        }
        if ((*target)[0] == '/') {
            current = *target;
        } else {
            const std::filesystem::path folder = std::filesystem::path(current).parent_path();
            current = folder.empty() ? *target : (folder / *target).string();
        }
    }
    return std::nullopt;
}

}  // namespace zk
