#include "platform/folder_snapshot.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zk::platform {

namespace {

using Kind = DirChangeRecord::Kind;

std::string Joined(const std::string& folder, const std::string& name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// Whether a change is one the filter asks for, as for a kernel watch.
bool Passes(Kind kind, bool isDir, std::uint32_t filter)
{
    switch (kind) {
    case Kind::Created:
    case Kind::Deleted:
    case Kind::Renamed: return (filter & (isDir ? DirChangeDirName : DirChangeFileName)) != 0;
    case Kind::Attributes: return (filter & (DirChangeAttributes | DirChangeSecurity)) != 0;
    case Kind::Written: return (filter & (DirChangeSize | DirChangeLastWrite)) != 0;
    case Kind::Gone:
    case Kind::Lost: return true;
    }
    return false;
}

}  // namespace

FolderSnapshot FolderSnapshot::Take(const std::string& directory, bool nested)
{
    FolderSnapshot snapshot;
    snapshot.m_directory = directory;
    struct stat info {};
    if (stat(directory.c_str(), &info) != 0) {
        snapshot.m_error = errno;
    } else if (!S_ISDIR(info.st_mode)) {
        snapshot.m_error = ENOTDIR;
    } else {
        snapshot.Read(directory, {}, nested);
    }
    return snapshot;
}

void FolderSnapshot::Read(const std::string& folder, const std::string& relative, bool nested)
{
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* stream = descriptor >= 0 ? fdopendir(descriptor) : nullptr;
    if (stream == nullptr) {
        if (descriptor >= 0) {
            close(descriptor);
        }
        if (relative.empty()) {
            m_error = errno;
        }
        return;  // a subfolder that can't be read shows no entries
    }
    std::vector<std::string> subfolders;
    while (const dirent* entry = readdir(stream)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        struct stat info {};
        if (fstatat(descriptor, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;  // gone in between
        }
        const std::string path = relative.empty() ? std::string(name) : relative + "/" + name;
        const Entry item{
            .isDir = S_ISDIR(info.st_mode),
            .size = static_cast<std::int64_t>(info.st_size),
            .modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
            .mode = static_cast<std::uint32_t>(info.st_mode),
            .owner = static_cast<std::uint32_t>(info.st_uid),
            .group = static_cast<std::uint32_t>(info.st_gid),
        };
        m_entries.emplace(path, item);
        if (nested && item.isDir) {
            subfolders.push_back(path);
        }
    }
    closedir(stream);
    for (const std::string& path : subfolders) {
        Read(Joined(m_directory, path), path, true);
    }
}

std::vector<DirChangeRecord> FolderSnapshot::Changes(const FolderSnapshot& before, const FolderSnapshot& after,
                                                     std::uint32_t filter)
{
    std::vector<DirChangeRecord> records;
    const auto add = [&](Kind kind, bool isDir, const std::string& relative) {
        if (Passes(kind, isDir, filter)) {
            records.push_back({kind, isDir, Joined(after.m_directory, relative), {}});
        }
    };
    auto old = before.m_entries.begin();
    auto now = after.m_entries.begin();
    // Both maps are sorted by path: walk them side by side.
    while (old != before.m_entries.end() || now != after.m_entries.end()) {
        if (now == after.m_entries.end() || (old != before.m_entries.end() && old->first < now->first)) {
            add(Kind::Deleted, old->second.isDir, old->first);
            ++old;
        } else if (old == before.m_entries.end() || now->first < old->first) {
            add(Kind::Created, now->second.isDir, now->first);
            ++now;
        } else {
            const Entry& was = old->second;
            const Entry& is = now->second;
            if (was.isDir != is.isDir) {
                add(Kind::Deleted, was.isDir, old->first);
                add(Kind::Created, is.isDir, now->first);
            } else {
                // A folder's own times change with its entries, which are reported themselves.
                if (!is.isDir && (was.size != is.size || was.modified != is.modified)) {
                    add(Kind::Written, false, now->first);
                }
                if (was.mode != is.mode || was.owner != is.owner || was.group != is.group) {
                    add(Kind::Attributes, is.isDir, now->first);
                }
            }
            ++old;
            ++now;
        }
    }
    if (before.m_error == 0 && after.m_error != 0) {
        records.push_back({Kind::Gone, true, after.m_directory, {}});
    }
    return records;
}

}  // namespace zk::platform
