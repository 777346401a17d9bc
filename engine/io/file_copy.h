#pragma once
// The file steps a safe replacement is made of: new files beside another
// one, whole-contents copies between open files, and making names last.

#include <sys/types.h>

#include <string>

namespace zk {

// A new file named after path with marker and a random ending, created
// with mode (less the umask, or as the folder's default ACL says) and open
// for reading and writing; -1 when none can be made.
int CreateBeside(const std::string& path, const char* marker, mode_t mode, std::string& createdPath);

// Makes a name just made, renamed or removed in path's folder survive a crash.
void SyncFolderOf(const std::string& path);

// Writes the whole of from over to from its start and flushes it to disk,
// then cuts to at that length and flushes again, so that a crash never
// finds to shorter than what had been written of it.
bool CopyContents(int from, int to);

}  // namespace zk
