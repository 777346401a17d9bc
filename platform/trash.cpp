#include "platform/trash.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "platform/shell_browser.h"

namespace zk::platform {

namespace fs = std::filesystem;

namespace {

std::string ErrorText(int code) { return std::generic_category().message(code); }

// An open file descriptor, closed when it goes.
class TFd {
public:
    explicit TFd(int fd = -1) : m_fd(fd) {}
    TFd(TFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    TFd& operator=(TFd&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

// A trash chosen for one file, its two folders held open: a link put in
// their place later can't redirect what is written.
struct TTrashDir {
    std::string path;
    std::string topDir;  // the records' paths are relative to it; empty: absolute
    TFd files;
    TFd info;
};

// Whether path is base or lies below it.
bool IsWithin(const std::string& path, const std::string& base)
{
    return path == base || base == "/" ||
           (path.size() > base.size() && path.starts_with(base) && path[base.size()] == '/');
}

// The mount table spells blanks, tabs, newlines and backslashes as octal escapes.
std::string UnescapedMountPoint(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto octal = [&text](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '7'; };
        if (text[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            plain += static_cast<char>(((text[i + 1] - '0') << 6) | ((text[i + 2] - '0') << 3) | (text[i + 3] - '0'));
            i += 3;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Without a mount table: the topmost folder above path on the same device.
std::string MountPointByDevice(const std::string& path)
{
    fs::path at = path;
    struct stat info {};
    while (stat(at.c_str(), &info) != 0 && at.has_relative_path()) {
        at = at.parent_path();
    }
    const dev_t device = info.st_dev;
    while (at.has_relative_path()) {
        struct stat parent {};
        if (stat(at.parent_path().c_str(), &parent) != 0 || parent.st_dev != device) {
            break;
        }
        at = at.parent_path();
    }
    return at.string();
}

// The bytes of a path as a record spells them: all but the unreserved
// characters and '/' percent-encoded.
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

std::string LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Opens the folder name in parent, making it with mode 0700 when missing.
// It must be a folder of this user and no link.
TFd OpenOwnFolder(int parent, const std::string& name, const std::string& shownPath, std::string& reason)
{
    if (mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) {
        reason = "can't make " + shownPath + ": " + ErrorText(errno);
        return TFd();
    }
    TFd folder(openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.Valid()) {
        reason = errno == ELOOP || errno == ENOTDIR ? shownPath + " is not a folder" : shownPath + ": " + ErrorText(errno);
        return folder;
    }
    struct stat info {};
    if (fstat(folder.Get(), &info) != 0 || info.st_uid != getuid()) {
        reason = shownPath + " does not belong to you";
        return TFd();
    }
    return folder;
}

std::optional<TTrashDir> WithFolders(TFd trash, const std::string& path, const std::string& topDir,
                                     std::string& reason)
{
    TTrashDir dir{path, topDir, OpenOwnFolder(trash.Get(), "files", path + "/files", reason), TFd()};
    if (!dir.files.Valid()) {
        return std::nullopt;
    }
    dir.info = OpenOwnFolder(trash.Get(), "info", path + "/info", reason);
    if (!dir.info.Valid()) {
        return std::nullopt;
    }
    return dir;
}

std::optional<TTrashDir> HomeTrash(const std::string& path, std::string& reason)
{
    // Missing folders on the way are made private, as the base directory rules ask.
    fs::path made;
    for (const fs::path& part : fs::path(path)) {
        made /= part;
        if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            reason = "can't make " + made.string() + ": " + ErrorText(errno);
            return std::nullopt;
        }
    }
    TFd trash(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!trash.Valid()) {
        reason = path + ": " + ErrorText(errno);
        return std::nullopt;
    }
    return WithFolders(std::move(trash), path, {}, reason);
}

std::optional<TTrashDir> VolumeTrash(const std::string& topDir, std::string& reason)
{
    TFd top(open(topDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!top.Valid()) {
        reason = topDir + ": " + ErrorText(errno);
        return std::nullopt;
    }
    const std::string uid = std::to_string(getuid());
    const std::string base = topDir == "/" ? std::string() : topDir;
    // The administrator's shared trash, only when it is sticky (no one
    // removes another's folder) and not a link to somewhere else.
    TFd shared(openat(top.Get(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (shared.Valid() && fstat(shared.Get(), &info) == 0 && (info.st_mode & S_ISVTX) != 0) {
        std::string unused;
        const std::string path = base + "/.Trash/" + uid;
        if (TFd own = OpenOwnFolder(shared.Get(), uid, path, unused); own.Valid()) {
            if (std::optional<TTrashDir> dir = WithFolders(std::move(own), path, topDir, unused)) {
                return dir;
            }
        }
    }
    const std::string path = base + "/.Trash-" + uid;
    TFd own = OpenOwnFolder(top.Get(), ".Trash-" + uid, path, reason);
    if (!own.Valid()) {
        return std::nullopt;
    }
    return WithFolders(std::move(own), path, topDir, reason);
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

// Renames source to name in folder unless something of that name is there.
int RenameNoReplace(const std::string& source, int folder, const std::string& name)
{
    if (renameat2(AT_FDCWD, source.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL) {
        return errno;
    }
    // A file system without that flag: check, then rename.
    struct stat info {};
    if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return renameat(AT_FDCWD, source.c_str(), folder, name.c_str()) == 0 ? 0 : errno;
}

TTrashResult Refused(std::string reason) { return {false, std::move(reason)}; }

}  // namespace

std::string MountPointOf(const std::string& path)
{
    std::ifstream table("/proc/self/mountinfo");
    std::string best;
    for (std::string line; std::getline(table, line);) {
        // id, parent id, device, root in its file system, mount point, ...
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point) {
            point = UnescapedMountPoint(point);
            if (IsWithin(path, point) && point.size() >= best.size()) {
                best = point;
            }
        }
    }
    return best.empty() ? MountPointByDevice(path) : best;
}

std::string HomeTrashDir()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/Trash";
    }
    return HomeFolder() + "/.local/share/Trash";
}

TTrashResult MoveToTrash(const std::string& path) { return MoveToTrash(path, MountPointOf); }

TTrashResult MoveToTrash(const std::string& path, const TMountPointLookup& mountPointOf)
{
    std::error_code error;
    std::string spelled = fs::absolute(path, error).lexically_normal().string();
    while (spelled.size() > 1 && spelled.back() == '/') {
        spelled.pop_back();
    }
    const fs::path absolute = spelled;
    const std::string name = absolute.filename().string();
    if (error) {
        return Refused(error.message());
    }
    if (name.empty() || name == "." || name == "..") {
        return Refused("it has no name of its own");
    }
    struct stat info {};
    if (lstat(absolute.c_str(), &info) != 0) {
        return Refused(ErrorText(errno));
    }
    // Mount points are found by real paths; the object itself may be a link.
    const fs::path folder = fs::canonical(absolute.parent_path(), error);
    if (error) {
        return Refused(error.message());
    }
    const std::string source = (folder / name).string();
    const std::string home = HomeTrashDir();
    const fs::path homeReal = fs::weakly_canonical(home, error);
    const std::string topDir = mountPointOf(folder.string());
    const bool onHome = !error && topDir == mountPointOf(homeReal.string());
    std::string reason;
    std::optional<TTrashDir> trash = onHome ? HomeTrash(home, reason) : VolumeTrash(topDir, reason);
    if (!trash) {
        return Refused("there is no trash that can take it (" + reason + ")");
    }
    std::string original = source;
    if (!trash->topDir.empty() && source != trash->topDir && IsWithin(source, trash->topDir)) {
        original = trash->topDir == "/" ? source.substr(1) : source.substr(trash->topDir.size() + 1);
    }
    const std::string record =
        "[Trash Info]\nPath=" + PercentEncoded(original) + "\nDeletionDate=" + LocalTimeNow() + "\n";

    // The record is made first and exclusively: it reserves the name.
    static constexpr std::string_view InfoSuffix = ".trashinfo";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string number = attempt == 0 ? std::string() : "." + std::to_string(attempt);
        const std::size_t room = NAME_MAX - InfoSuffix.size() - number.size();
        const std::string entry = name.substr(0, room) + number;
        const std::string infoName = entry + std::string(InfoSuffix);
        const TFd infoFile(
            openat(trash->info.Get(), infoName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!infoFile.Valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return Refused("can't write in " + trash->path + "/info: " + ErrorText(errno));
        }
        if (!WriteAll(infoFile.Get(), record)) {
            const int written = errno;
            unlinkat(trash->info.Get(), infoName.c_str(), 0);
            return Refused("can't write in " + trash->path + "/info: " + ErrorText(written));
        }
        const int moved = RenameNoReplace(source, trash->files.Get(), entry);
        if (moved == 0) {
            return {true, {}};
        }
        unlinkat(trash->info.Get(), infoName.c_str(), 0);
        if (moved != EEXIST) {
            return Refused("can't move it to " + trash->path + ": " + ErrorText(moved));
        }
    }
    return Refused("the trash " + trash->path + " has no free name for it");
}

}  // namespace zk::platform
