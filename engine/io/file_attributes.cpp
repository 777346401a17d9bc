#include "engine/io/file_attributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

namespace zk {

namespace {

constexpr mode_t PermissionBits = 07777;

using Attributes = std::map<std::string, std::string>;

// Calls read with a buffer and its size, growing the buffer while read
// reports it too small; what it wrote, or nullopt with errno set.
std::optional<std::string> ReadGrowing(const std::function<ssize_t(char*, std::size_t)>& read)
{
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size <= 0) {
            return size == 0 ? std::optional<std::string>(std::string()) : std::nullopt;
        }
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        if (errno != ERANGE) {
            return std::nullopt;
        }
    }
}

// Every extended attribute, given the list and get calls of a path or an
// open file; empty where the file system keeps none, nullopt when one
// can't be read.
std::optional<Attributes> ReadAttributes(const std::function<ssize_t(char*, std::size_t)>& list,
                                         const std::function<ssize_t(const char*, char*, std::size_t)>& get)
{
    const auto names = ReadGrowing(list);
    if (!names) {
        return errno == ENOTSUP ? std::optional<Attributes>(Attributes{}) : std::nullopt;
    }
    Attributes attributes;
    for (std::size_t at = 0; at < names->size();) {
        const std::string name(names->c_str() + at);
        at += name.size() + 1;
        const auto value = ReadGrowing([&](char* buffer, std::size_t size) { return get(name.c_str(), buffer, size); });
        if (!value) {
            return std::nullopt;
        }
        attributes.emplace(name, *value);
    }
    return attributes;
}

std::optional<Attributes> AttributesOfPath(const std::string& path)
{
    return ReadAttributes([&](char* names, std::size_t size) { return llistxattr(path.c_str(), names, size); },
                          [&](const char* name, char* value, std::size_t size) {
                              return lgetxattr(path.c_str(), name, value, size);
                          });
}

std::optional<Attributes> AttributesOfFile(int fd)
{
    return ReadAttributes([&](char* names, std::size_t size) { return flistxattr(fd, names, size); },
                          [&](const char* name, char* value, std::size_t size) {
                              return fgetxattr(fd, name, value, size);
                          });
}

// Makes fd's extended attributes those wanted, removing the others.
bool SetAttributes(int fd, const Attributes& wanted)
{
    const auto present = AttributesOfFile(fd);
    if (!present) {
        return false;
    }
    for (const auto& [name, value] : *present) {
        if (!wanted.contains(name) && fremovexattr(fd, name.c_str()) != 0) {
            return false;
        }
    }
    for (const auto& [name, value] : wanted) {
        const auto found = present->find(name);
        if ((found == present->end() || found->second != value) &&
            fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TakeOverAttributes(int fd, const std::string& path, const struct stat& status)
{
    struct stat own {};
    if (fstat(fd, &own) != 0) {
        return false;
    }
    // chown before chmod: changing the owner clears the set-id bits. The
    // attributes before chmod too: setting an ACL sets the group bits to
    // its mask, which chmod then sets to the old file's (that same mask).
    if ((own.st_uid != status.st_uid || own.st_gid != status.st_gid) &&
        fchown(fd, status.st_uid, status.st_gid) != 0) {
        return false;
    }
    const auto attributes = AttributesOfPath(path);
    const mode_t mode = status.st_mode & PermissionBits;
    if (!attributes || !SetAttributes(fd, *attributes) || fchmod(fd, mode) != 0 || fstat(fd, &own) != 0) {
        return false;
    }
    return own.st_uid == status.st_uid && own.st_gid == status.st_gid && (own.st_mode & PermissionBits) == mode &&
           AttributesOfFile(fd) == attributes;
}

}  // namespace zk
