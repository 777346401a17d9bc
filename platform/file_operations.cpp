#include "platform/file_operations.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

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

// What an object that is neither a file, a folder nor a link is.
std::string KindName(fs::file_type type)
{
    switch (type) {
    case fs::file_type::fifo: return "a named pipe";
    case fs::file_type::socket: return "a socket";
    case fs::file_type::block:
    case fs::file_type::character: return "a device";
    default: return "no file, folder or link";
    }
}

// Copies a file's content and mode to a new file. The error is that of the
// call the file system refused: a full one says so (ENOSPC), where the
// library's copy reports the short write before it as an input/output error.
void CopyFileContents(const fs::path& from, const fs::path& to, std::error_code& error)
{
    const auto fail = [&error] { error.assign(errno, std::generic_category()); };
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        fail();
        return;
    }
    struct stat info {};
    const int out = fstat(in, &info) == 0 ? open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600) : -1;
    if (out < 0) {
        fail();
        close(in);
        return;
    }
    std::vector<char> buffer(64 * 1024);
    bool going = fchmod(out, info.st_mode & 07777) == 0;
    if (!going) {
        fail();
    }
    while (going) {
        const ssize_t got = read(in, buffer.data(), buffer.size());
        if (got <= 0) {
            if (got < 0 && errno != EINTR) {
                fail();
            }
            going = got < 0 && errno == EINTR;
            continue;
        }
        for (ssize_t done = 0; going && done < got;) {
            const ssize_t put = write(out, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put >= 0) {
                done += put;
            } else if (errno != EINTR) {
                fail();
                going = false;
            }
        }
    }
    if (close(out) != 0 && !error) {
        fail();
    }
    close(in);
}

// The modes copied folders take once the whole copy is there, innermost
// first: until then each is the user's to fill, and to remove on failure.
using FolderModes = std::vector<std::pair<fs::path, fs::perms>>;

// Copies the object from (shown to the user as shown) to to, a folder with
// all it holds; the modes its folders are to get are added to modes. False,
// with the reason, when anything of it can't be copied; what was copied
// then stays for the caller to remove.
bool CopyEntry(const fs::path& from, const fs::path& to, const std::string& shown, bool top, std::string& reason,
               FolderModes& modes)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(from, error);
    if (!error) {
        switch (status.type()) {
        case fs::file_type::symlink: fs::copy_symlink(from, to, error); break;
        case fs::file_type::regular: CopyFileContents(from, to, error); break;
        case fs::file_type::directory: {
            if (mkdir(to.c_str(), 0700) != 0) {
                error.assign(errno, std::generic_category());
                break;
            }
            fs::directory_iterator it(from, error);
            for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
                const std::string name = it->path().filename().string();
                if (!CopyEntry(it->path(), to / name, shown + "/" + name, false, reason, modes)) {
                    return false;
                }
            }
            modes.emplace_back(to, status.permissions());
            break;
        }
        default:
            reason = "\"" + shown + "\" is " + KindName(status.type()) + ", which can't be copied";
            return false;
        }
    }
    if (error) {
        reason = top ? error.message() : "\"" + shown + "\": " + error.message();
        return false;
    }
    return true;
}

bool MayChangeFolder(const std::string& folder)
{
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Whether path is flagged immutable or append-only: such an object can't
// be removed, and an append-only folder lets nothing in it go.
bool HeldByFlags(const std::string& path)
{
    constexpr std::uint64_t Holding = STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND;
    struct statx status {};
    return statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, 0, &status) == 0 &&
           (status.stx_attributes & status.stx_attributes_mask & Holding) != 0;
}

// Why the object at path could not be taken out of its folder (whose
// status is given), nor emptied when it is a folder holding something;
// empty when it could.
std::string WhyEntryStays(const std::string& path, const struct stat& folder)
{
    struct stat object {};
    if (lstat(path.c_str(), &object) != 0) {
        return std::generic_category().message(errno);
    }
    const uid_t user = geteuid();
    if (HeldByFlags(path) ||
        ((folder.st_mode & S_ISVTX) != 0 && user != 0 && user != object.st_uid && user != folder.st_uid)) {
        return std::generic_category().message(EPERM);
    }
    if (S_ISDIR(object.st_mode) && !MayChangeFolder(path)) {
        const std::string why = std::generic_category().message(errno);
        // Nothing has to go out of an empty folder.
        std::error_code error;
        return fs::is_empty(path, error) && !error ? std::string() : why;
    }
    return {};
}

// Why the object at path could not be removed by this process, before
// trying: its folder, or a folder within it, may not be changed, a sticky
// folder keeps something for its owner, or something is flagged immutable
// or append-only. Empty when nothing stands in the way.
std::string WhyNotRemovable(const std::string& path)
{
    const std::string parent = ParentOf(path);
    if (!MayChangeFolder(parent)) {
        return std::generic_category().message(errno);
    }
    struct stat folder {};
    if (stat(parent.c_str(), &folder) != 0) {
        return std::generic_category().message(errno);
    }
    if (HeldByFlags(parent)) {
        return std::generic_category().message(EPERM);
    }
    if (std::string why = WhyEntryStays(path, folder); !why.empty()) {
        return why;
    }
    // A link goes by itself: what lies where it leads stays.
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(path, error))) {
        return error ? error.message() : std::string();
    }
    fs::recursive_directory_iterator it(path, error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().string();
        std::string why = lstat(it->path().parent_path().c_str(), &folder) == 0
                              ? WhyEntryStays(entry, folder)
                              : std::generic_category().message(errno);
        if (!why.empty()) {
            return "\"" + FileNameOf(path) + entry.substr(path.size()) + "\": " + why;
        }
    }
    return error ? error.message() : std::string();
}

bool CopyTree(const std::string& from, const std::string& to, std::string& reason)
{
    FolderModes modes;
    if (CopyEntry(from, to, FileNameOf(from), true, reason, modes)) {
        std::error_code error;
        for (const auto& [folder, mode] : modes) {
            if (fs::permissions(folder, mode, error); error) {
                reason = error.message();
                break;
            }
        }
        if (!error) {
            return true;
        }
    }
    std::error_code error;
    fs::remove_all(to, error);
    return false;
}

// The path with every link resolved, as far as it exists.
std::string Resolved(const std::string& path)
{
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

}  // namespace

bool GoesIntoItself(const std::string& source, const std::string& folder)
{
    std::error_code error;
    return fs::is_directory(fs::symlink_status(source, error)) && IsWithin(Resolved(folder), Resolved(source));
}

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

std::string FolderWriteRefusal(const std::string& folder, int error)
{
    switch (error) {
    case EROFS: return "the folder \"" + folder + "\" is on a read-only file system";
    case EACCES:
    case EPERM: return "you may not change the folder \"" + folder + "\"";
    default: return "the folder \"" + folder + "\" can't be changed: " + std::generic_category().message(error);
    }
}

bool CreateFolder(const std::string& path, std::string* reason)
{
    std::string refusal;
    std::error_code error;
    if (path.empty()) {
        refusal = "a folder needs a name";
    } else if (Exists(path)) {
        refusal = "a file or folder of that name is already there";
    } else if (!fs::create_directories(path, error) || error) {
        refusal = error ? FolderWriteRefusal(ParentOf(path), error.value()) : "it could not be made";
    }
    if (reason != nullptr) {
        *reason = refusal;
    }
    return refusal.empty();
}

bool SameFileSystem(const std::string& a, const std::string& b)
{
    struct stat x {};
    struct stat y {};
    return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev;
}

TTransferResult TransferObject(const std::string& sourcePath, const std::string& folderPath, TransferKind kind)
{
    const std::string source = Trimmed(sourcePath);
    const std::string folder = Trimmed(folderPath);
    const auto refused = [](std::string reason) { return TTransferResult{{}, std::move(reason)}; };
    std::error_code error;
    if (source.empty() || !Exists(source)) {
        return refused("it is no longer there");
    }
    if (!fs::is_directory(folder, error)) {
        return refused("the destination is no folder");
    }
    if (kind != TransferKind::Link && GoesIntoItself(source, folder)) {
        return refused("a folder can't go into itself");
    }
    if (kind == TransferKind::Move && ParentOf(source) == folder) {
        return refused("it is in that folder already");
    }
    const std::string name = UniqueName(folder, FileNameOf(source));
    if (name.empty()) {
        return refused("no free name for it is left in that folder");
    }
    const std::string target = Joined(folder, name);
    std::string reason;
    switch (kind) {
    case TransferKind::Link:
        if (symlink(source.c_str(), target.c_str()) == 0) {
            return {target, {}};
        }
        return refused(std::generic_category().message(errno));
    case TransferKind::Copy:
        if (CopyTree(source, target, reason)) {
            return {target, {}};
        }
        return refused(reason);
    case TransferKind::Move:
        if (RenameNoReplace(source, target)) {
            return {target, {}};
        }
        if (errno != EXDEV) {
            return refused(std::generic_category().message(errno));
        }
        // Across file systems: a whole copy first; the source goes only
        // then, so it must be one that can go.
        if (reason = WhyNotRemovable(source); !reason.empty()) {
            return refused(reason);
        }
        if (!CopyTree(source, target, reason)) {
            return refused(reason);
        }
        if (fs::remove_all(source, error); error) {
            return {target, "it was copied, but the original could not be removed: " + error.message()};
        }
        return {target, {}};
    }
    return refused("unknown kind of transfer");
}

}  // namespace zk::platform
