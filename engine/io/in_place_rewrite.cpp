#include "engine/io/in_place_rewrite.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "engine/config/program_paths.h"
#include "engine/io/file_copy.h"
#include "engine/io/file_descriptor.h"

namespace zk {

namespace {

// The most of an old file kept in memory when no copy can be written to
// disk; a bigger file is not rewritten without one.
constexpr off_t MaxCopyInMemory = 256 << 20;

// A copy of a file's old contents, removed when it is no longer needed.
class OldContents {
public:
    // Copies the contents of file (target's, whose size is size) to the
    // first place that takes them.
    OldContents(const std::string& target, int file, off_t size)
    {
        const std::string name = std::filesystem::path(target).filename().string();
        if (Keep(file, CreateBeside(target, "~", 0600, m_path)) ||
            (EnsureUserDir() && Keep(file, CreateBeside(ProgramPaths.UserDir + name, "~", 0600, m_path)))) {
            SyncFolderOf(m_path);
            return;
        }
        if (size <= MaxCopyInMemory) {
            Keep(file, memfd_create("old contents", MFD_CLOEXEC));
        }
    }
    ~OldContents()
    {
        if (!m_path.empty()) {
            unlink(m_path.c_str());
        }
    }
    OldContents(const OldContents&) = delete;
    OldContents& operator=(const OldContents&) = delete;

    bool Kept() const { return m_copy.IsOpen(); }
    bool WriteBack(int file) const { return CopyContents(m_copy.Get(), file); }
    // Leaves the copy on disk for the user.
    void Leave() { m_path.clear(); }

private:
    // Takes copy as the copy once the old contents are in it; a copy that
    // failed is removed.
    bool Keep(int file, int copy)
    {
        FileDescriptor kept(copy);
        if (!kept.IsOpen()) {
            m_path.clear();
            return false;
        }
        if (!CopyContents(file, kept.Get())) {
            if (!m_path.empty()) {
                unlink(m_path.c_str());
                m_path.clear();
            }
            return false;
        }
        m_copy = std::move(kept);
        return true;
    }

    std::string m_path;  // the copy's name on disk, empty for none or one in memory
    FileDescriptor m_copy;
};

// Rewrites a file the user may write but not read (mode 0200), whose old
// contents therefore can't be kept: the room for the new contents is taken
// first, so that a full disk refuses the save before anything changed.
bool RewriteUnreadable(int file, int source)
{
    struct stat status {};
    if (fstat(source, &status) != 0) {
        return false;
    }
    // Kept at its size meanwhile: a refused save leaves the file as it was.
    const bool reserved = status.st_size == 0 || fallocate(file, FALLOC_FL_KEEP_SIZE, 0, status.st_size) == 0 ||
                          errno == EOPNOTSUPP;
    return reserved && CopyContents(source, file);
}

}  // namespace

bool RewriteInPlace(const std::string& target, int source)
{
    constexpr int Flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    FileDescriptor file(open(target.c_str(), O_RDWR | Flags));
    const bool readable = file.IsOpen() || errno != EACCES;
    if (!readable) {
        file = FileDescriptor(open(target.c_str(), O_WRONLY | Flags));
    }
    struct stat status {};
    if (!file.IsOpen() || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    if (!readable) {
        return RewriteUnreadable(file.Get(), source);
    }
    OldContents old(target, file.Get(), status.st_size);
    if (!old.Kept()) {
        return false;
    }
    const bool rewritten = CopyContents(source, file.Get());
    if (!rewritten && !old.WriteBack(file.Get())) {
        old.Leave();
    }
    return rewritten;
}

}  // namespace zk
