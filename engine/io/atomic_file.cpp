#include "engine/io/atomic_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/io/file_attributes.h"
#include "engine/io/file_copy.h"
#include "engine/io/file_descriptor.h"
#include "engine/io/in_place_rewrite.h"
#include "engine/io/link_target.h"

namespace zk {

namespace {

// The mode a new file gets when nothing better tells: 0666 less the umask.
mode_t NewFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives fd what a file made in target's folder with the usual mode 0666
// gets: the umask, or the folder's default ACL, decides. An empty file made
// so beside it tells.
bool TakeOverNewFileAttributes(const std::string& target, int fd)
{
    std::string samplePath;
    const FileDescriptor sample(CreateBeside(target, ".", 0666, samplePath));
    if (!sample.IsOpen()) {
        return fchmod(fd, NewFileMode()) == 0;
    }
    struct stat status {};
    const bool taken = fstat(sample.Get(), &status) == 0 && TakeOverAttributes(fd, samplePath, status);
    unlink(samplePath.c_str());
    return taken || fchmod(fd, NewFileMode()) == 0;
}

enum class Replacement : std::uint8_t { NewFile, Rename, InPlace, Refused };

// How the temporary file fd replaces target; NewFile and Rename have given
// fd its owner, group, mode and attributes already.
Replacement ChooseReplacement(const std::string& target, int fd)
{
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0) {
        return errno == ENOENT && TakeOverNewFileAttributes(target, fd) ? Replacement::NewFile
                                                                         : Replacement::Refused;
    }
    if (!S_ISREG(status.st_mode)) {
        return Replacement::Refused;
    }
    // A rename would leave the other names of a hard-linked file on the old
    // contents, and give a file the user can't make like the old one a new
    // owner, group, mode, ACL or attribute.
    return status.st_nlink == 1 && TakeOverAttributes(fd, target, status) ? Replacement::Rename
                                                                           : Replacement::InPlace;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& targetPath)
{
    const auto target = FollowSymbolicLinks(targetPath);
    if (!target) {
        return;
    }
    struct stat status {};
    const bool exists = lstat(target->c_str(), &status) == 0;
    if (exists) {
        if (!S_ISREG(status.st_mode) || faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
            return;
        }
    } else if (errno != ENOENT) {
        return;
    }
    m_target = *target;
    int fd = CreateBeside(m_target, ".", 0600, m_tempPath);
    if (fd < 0 && exists) {
        // No file can be made beside the target (a folder of someone else's,
        // no inode left): the new contents wait in memory, and the target is
        // rewritten in place.
        fd = memfd_create("new contents", MFD_CLOEXEC);
    }
    if (fd < 0) {
        return;
    }
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr) {
        close(fd);
        if (!m_tempPath.empty()) {
            unlink(m_tempPath.c_str());
            m_tempPath.clear();
        }
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
    Replacement how = Replacement::Refused;
    if (std::fflush(m_file) == 0) {
        how = m_tempPath.empty() ? Replacement::InPlace : ChooseReplacement(m_target, fd);
    }
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
