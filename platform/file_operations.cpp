#include "platform/file_operations.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zk::platform {

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::string Joined(const std::string& folder, const std::string& name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string Trimmed(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether path is base or lies below it.
bool IsWithin(const std::string& path, const std::string& base)
{
    return path == base || (path.size() > base.size() && path.starts_with(base) &&
                            (base == "/" || path[base.size()] == '/'));
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    // File systems without the flag: the target was checked free just before.
    return errno == EINVAL && !Exists(to) && std::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyTree(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (error) {
        fs::remove_all(to, error);
        return false;
    }
    return true;
}

}  // namespace

std::string UniqueName(const std::string& folder, const std::string& name)
{
    if (!Exists(Joined(folder, name))) {
        return name;
    }
    // A leading dot belongs to the stem: ".profile" has no extension.
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : std::string();
    for (int n = 2; n < 10000; ++n) {
        std::string candidate = stem + " (" + std::to_string(n) + ")" + extension;
        if (!Exists(Joined(folder, candidate))) {
            return candidate;
        }
    }
    return {};
}

bool CreateFolder(const std::string& path)
{
    if (path.empty() || Exists(path)) {
        return false;
    }
    std::error_code error;
    return fs::create_directories(path, error) && !error;
}

bool SameFileSystem(const std::string& a, const std::string& b)
{
    struct stat x {};
    struct stat y {};
    return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev;
}

std::string TransferObject(const std::string& sourcePath, const std::string& folderPath, TransferKind kind)
{
    const std::string source = Trimmed(sourcePath);
    const std::string folder = Trimmed(folderPath);
    std::error_code error;
    if (source.empty() || !Exists(source) || !fs::is_directory(folder, error)) {
        return {};
    }
    const bool sourceIsDir = fs::is_directory(fs::symlink_status(source, error));
    if (sourceIsDir && kind != TransferKind::Link && IsWithin(folder, source)) {
        return {};  // a folder into itself or below itself
    }
    if (kind == TransferKind::Move && ParentOf(source) == folder) {
        return {};  // already there
    }
    const std::string name = UniqueName(folder, FileNameOf(source));
    if (name.empty()) {
        return {};
    }
    const std::string target = Joined(folder, name);
    switch (kind) {
    case TransferKind::Link:
        return symlink(source.c_str(), target.c_str()) == 0 ? target : std::string();
    case TransferKind::Copy:
        return CopyTree(source, target) ? target : std::string();
    case TransferKind::Move:
        if (RenameNoReplace(source, target)) {
            return target;
        }
        if (errno != EXDEV || !CopyTree(source, target)) {
            return {};
        }
        fs::remove_all(source, error);
        return target;
    }
    return {};
}

}  // namespace zk::platform
