#pragma once
// What a folder holds at one moment, for watching it by polling where the
// kernel gives no watch: two snapshots taken apart give the changes between
// them, as the records a kernel watch would have given (a rename shows as a
// deletion and a creation).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/dir_watcher.h"

namespace zk::platform {

class FolderSnapshot {
public:
    FolderSnapshot() = default;
    // The folder's entries, and with nested those of every subdirectory
    // below it (links are not followed).
    static FolderSnapshot Take(const std::string& directory, bool nested);

    // 0 when the folder could be read, else the errno that prevented it.
    int Error() const { return m_error; }

    // The changes from before to after that pass the filter, with absolute
    // paths; a folder that could be read before and not after is Gone.
    static std::vector<DirChangeRecord> Changes(const FolderSnapshot& before, const FolderSnapshot& after,
                                                std::uint32_t filter);

private:
    struct Entry {
        bool isDir = false;
        std::int64_t size = 0;
        std::int64_t modified = 0;  // nanoseconds
        std::uint32_t mode = 0;
        std::uint32_t owner = 0;
        std::uint32_t group = 0;
    };
    void Read(const std::string& folder, const std::string& relative, bool nested);

    std::string m_directory;
    int m_error = 0;
    std::map<std::string, Entry> m_entries;  // by path relative to the folder
};

}  // namespace zk::platform
