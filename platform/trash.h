#pragma once
// Moving files to the desktop's trash (the freedesktop.org home trash:
// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash), so that a delete
// from the shell views can be undone from the file manager.

#include <string>

namespace zk::platform {

// The trash directory this user's deletions go to.
std::string HomeTrashDir();

// Moves the file or directory at path into the home trash with an info
// record naming where it came from. Only a rename is used: an object on
// another file system is left where it is and the result is false.
bool MoveToTrash(const std::string& path);

}  // namespace zk::platform
