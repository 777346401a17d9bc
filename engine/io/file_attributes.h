#pragma once
// What a file carries besides its contents: owner, group, mode, and the
// extended attributes (the POSIX ACL is one of them, system.posix_acl_access,
// so copying the attributes copies the ACL).

#include <sys/stat.h>

#include <string>

namespace zk {

// Gives the open file fd the owner, group, mode and extended attributes of
// the file at path (whose lstat is status), and takes from fd any attribute
// that file lacks (an ACL fd inherited from its folder, say). False when
// any of them can't be had exactly: another user's file, a group the user
// is not in, a set-id bit the system drops, an attribute only the
// administrator may set or one the user can't read.
bool TakeOverAttributes(int fd, const std::string& path, const struct stat& status);

}  // namespace zk
