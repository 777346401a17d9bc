#pragma once
// Moving files to the desktop's trash by the freedesktop.org Trash rules,
// so that a delete from the shell views can be undone from the file
// manager:
// - a file on the file system of the home trash ($XDG_DATA_HOME/Trash, by
//   default ~/.local/share/Trash) goes there, its record naming its
//   absolute path;
// - a file on another file system goes to that file system's own trash
//   below its mount point $topdir: $topdir/.Trash/$uid when $topdir/.Trash
//   is a sticky folder and no link, else $topdir/.Trash-$uid (made with
//   mode 0700); its record names the path relative to $topdir.
// Nothing is copied across file systems: a file that can't be renamed into
// a trash stays where it is, and the result says why.

#include <functional>
#include <string>

namespace zk::platform {

struct TTrashResult {
    bool moved = false;
    std::string reason;  // for the user when not moved; empty when moved
    explicit operator bool() const { return moved; }
};

// The mount point of the file system that holds a path, from the mount
// table. The path is absolute with links resolved; it need not exist yet.
std::string MountPointOf(const std::string& path);
using TMountPointLookup = std::function<std::string(const std::string& path)>;

// The trash directory this user's deletions on the home file system go to.
std::string HomeTrashDir();

// Moves the file, folder or link at path (a link itself, not its target)
// into the trash of its file system.
TTrashResult MoveToTrash(const std::string& path);
// The same, with mount points found by mountPointOf.
TTrashResult MoveToTrash(const std::string& path, const TMountPointLookup& mountPointOf);

}  // namespace zk::platform
