#pragma once
// Running part of a test as a user without privileges: root ignores file
// modes, so what a folder the user can't write into does to the program is
// only seen by someone else.

#include <sys/types.h>

#include <filesystem>

namespace zk::test {

// Who BecomeUnprivilegedIn makes the process: "nobody" (65534) when the
// tests run as root, else the user running them.
uid_t UnprivilegedUid();
gid_t UnprivilegedGid();

// For a child process only (a forked one, or OnSecondFileSystem's body):
// makes folder the current directory and then gives up every privilege:
// root becomes UnprivilegedUid() with no supplementary groups; a user in a
// namespace of its own drops the capabilities it holds there. The folder's
// ancestors may be closed to that user, so the child names files relative
// to folder afterwards. False when any step failed.
bool BecomeUnprivilegedIn(const std::filesystem::path& folder);

}  // namespace zk::test
