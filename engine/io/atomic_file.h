#pragma once
// Replaces a file only once its new contents are safely written, and
// replaces the file the user meant: a symbolic link is followed and its
// target replaced in the target's folder; the old file keeps its mode,
// owner, group, ACL and extended attributes and stays the same file for its
// other names. A new file gets what the folder gives a file made there.
//
// The bytes go to a temporary file in the target's folder, which is flushed
// to disk. Commit then renames it over the target when the temporary file
// can take on all the target carries besides its contents and the target
// has no other hard link. Otherwise the target is rewritten in place (see
// RewriteInPlace): a copy of the old contents is kept first and written
// back should the rewrite fail. Where no file can be made beside a target
// the user may write (a folder of someone else's), the bytes wait in
// memory and the target is rewritten in place the same way. Until Commit
// succeeds the old contents stay whole.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace zk {

class AtomicFile {
public:
    // Creates the temporary file; IsOpen() tells whether that worked. A
    // target that exists must be a regular file the user may write.
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // False once any write has failed; later writes are ignored.
    bool Write(std::span<const unsigned char> bytes);
    bool Write(std::string_view text);
    // Puts the new contents in place; false leaves the old contents whole.
    bool Commit();

private:
    std::string m_target;  // the named path with its symbolic links followed
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

// Whole-buffer convenience over AtomicFile.
bool WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes);

}  // namespace zk
