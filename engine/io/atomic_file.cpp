#include "engine/io/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "engine/io/file_descriptor.h"
#include "engine/io/link_target.h"

namespace zk {

namespace {

constexpr std::size_t CopyChunkSize = 64 * 1024;
constexpr mode_t PermissionBits = 07777;

// A new file beside path, named after it with marker and a random ending,
// open for reading and writing with mode 0600.
int CreateBeside(const std::string& path, const char* marker, std::string& createdPath)
{
    std::string pattern = path + marker + "XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
        createdPath = pattern;
    }
    return fd;
}

// Makes a name just made or renamed in path's folder survive a crash.
void SyncFolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const FileDescriptor handle(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.IsOpen()) {
        fsync(handle.Get());
    }
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

// The whole of from written over to from its start; to is then cut to that
// length and flushed to disk.
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
    return ftruncate(to, at) == 0 && fsync(to) == 0;
}

// The mode a file the program creates gets: 0666 less the umask.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the temporary file the target's owner, group and mode; false when
// any of them can't be had (another user's file, a group the user is not
// in, a set-id bit the system drops).
bool TakeOverAttributes(int fd, const struct stat& target)
{
    struct stat temp {};
    if (fstat(fd, &temp) != 0) {
        return false;
    }
    // chown before chmod: changing the owner clears the set-id bits.
    if ((temp.st_uid != target.st_uid || temp.st_gid != target.st_gid) &&
        fchown(fd, target.st_uid, target.st_gid) != 0) {
        return false;
    }
    const mode_t mode = target.st_mode & PermissionBits;
    return fchmod(fd, mode) == 0 && fstat(fd, &temp) == 0 && temp.st_uid == target.st_uid &&
           temp.st_gid == target.st_gid && (temp.st_mode & PermissionBits) == mode;
}

// Rewrites target with the contents of source once a copy of its old
// contents is safely beside it. On failure the old contents are written
// back; should even that fail, the copy stays for the user.
bool RewriteInPlace(const std::string& target, int source)
{
    const FileDescriptor file(open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.IsOpen() || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    std::string backupPath;
    const FileDescriptor backup(CreateBeside(target, "~", backupPath));
    if (!backup.IsOpen()) {
        return false;
    }
    if (!CopyContents(file.Get(), backup.Get())) {
        unlink(backupPath.c_str());
        return false;
    }
    SyncFolderOf(target);
    const bool rewritten = CopyContents(source, file.Get());
    if (rewritten || CopyContents(backup.Get(), file.Get())) {
        unlink(backupPath.c_str());
    }
    return rewritten;
}

enum class Replacement : std::uint8_t { NewFile, Rename, InPlace, Refused };

// How the temporary file fd replaces target; Rename has given fd the
// target's owner, group and mode already.
Replacement ChooseReplacement(const std::string& target, int fd)
{
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0) {
        return errno == ENOENT && fchmod(fd, NewFileMode()) == 0 ? Replacement::NewFile : Replacement::Refused;
    }
    if (!S_ISREG(status.st_mode)) {
        return Replacement::Refused;
    }
    // A rename would leave the other names of a hard-linked file on the old
    // contents, and give a file the user can't make like the old one a new
    // owner, group or mode.
    return status.st_nlink == 1 && TakeOverAttributes(fd, status) ? Replacement::Rename : Replacement::InPlace;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath)
{
    const auto target = FollowSymbolicLinks(targetPath);
    if (!target) {
        return;
    }
    struct stat status {};
    if (lstat(target->c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode) || faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
            return;
        }
    } else if (errno != ENOENT) {
        return;
    }
    m_target = *target;
    const int fd = CreateBeside(m_target, ".", m_tempPath);
    if (fd < 0) {
        return;
    }
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

AtomicFile::~AtomicFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
    }
}

bool AtomicFile::Write(std::span<const unsigned char> bytes)
{
    if (m_file == nullptr || m_failed) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_failed = true;
    }
    return !m_failed;
}

bool AtomicFile::Write(std::string_view text)
{
    return Write(std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

bool AtomicFile::Commit()
{
    if (m_file == nullptr || m_failed) {
        return false;
    }
    const int fd = fileno(m_file);
    Replacement how = std::fflush(m_file) == 0 ? ChooseReplacement(m_target, fd) : Replacement::Refused;
    if (how != Replacement::Refused && fsync(fd) != 0) {
        how = Replacement::Refused;
    }
    bool replaced = false;
    if (how == Replacement::InPlace) {
        replaced = RewriteInPlace(m_target, fd);
    }
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if ((how == Replacement::NewFile || how == Replacement::Rename) && closed &&
        std::rename(m_tempPath.c_str(), m_target.c_str()) == 0) {
        m_tempPath.clear();
        SyncFolderOf(m_target);
        replaced = true;
    }
    return replaced;
}

bool WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes)
{
    AtomicFile file(path);
    return file.Write(bytes) && file.Commit();
}

}  // namespace zk
