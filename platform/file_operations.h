#pragma once
// The file operations behind the shell views' commands: new folders, and
// copying, moving and linking objects into a folder, as paste and drop do
// them. None of them ever replaces an object that is already there: a
// name in use gets a free variant ("name (2).ext", ...).

#include <string>

namespace zk::platform {

enum class TransferKind { Copy, Move, Link };

// name when folder holds nothing of that name, else the first free
// "stem (n)ext" with n from 2. Empty when no free name was found.
std::string UniqueName(const std::string& folder, const std::string& name);

// Makes the directory path (and missing parents). False when anything of
// that name already exists or it could not be made.
bool CreateFolder(const std::string& path);

// Both paths lie on one file system (a move between them is a rename).
bool SameFileSystem(const std::string& a, const std::string& b);

// Copies, moves or links (a symbolic link to source) source into folder.
// The result is the new object's path, or empty when nothing was done: a
// missing source or folder, a folder into itself or its own subtree, a move
// within its own folder, or a failing file system. A move across file
// systems copies and then removes the source.
std::string TransferObject(const std::string& source, const std::string& folder, TransferKind kind);

}  // namespace zk::platform
