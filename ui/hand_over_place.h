#pragma once
// Where the single-instance socket lives, and whose peer answers on it.
// The name must be one that no other user can create first or connect to.

#include <QString>

namespace zk {

// XDG_RUNTIME_DIR when it is a folder of this user's that no one else may
// use; otherwise the folder "zkedit-<uid>" in the temporary folder, created
// with mode 0700. Empty when that folder exists but isn't this user's own
// private folder (a symbolic link, another owner, wider permissions).
QString HandOverFolder();

// True when the peer of a connected local socket runs as this user.
bool PeerIsThisUser(qintptr socketDescriptor);

}  // namespace zk
