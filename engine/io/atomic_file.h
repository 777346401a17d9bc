#pragma once
// Replaces a file only once its new contents are safely written: the bytes
// go to a temporary file in the same directory, which is flushed to disk and
// renamed over the target. Until Commit succeeds the old file stays whole.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace zk {

class AtomicFile {
public:
    // Creates the temporary file; IsOpen() tells whether that worked.
    explicit AtomicFile(std::string targetPath);
    ~AtomicFile();  // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // False once any write has failed; later writes are ignored.
    bool Write(std::span<const unsigned char> bytes);
    bool Write(std::string_view text);
    // Flushes, syncs and renames over the target; false leaves the target as it was.
    bool Commit();

private:
    std::string m_target;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

// Whole-buffer convenience over AtomicFile.
bool WriteFileAtomically(const std::string& path, std::span<const unsigned char> bytes);

}  // namespace zk
