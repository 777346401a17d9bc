#pragma once
// The file operations behind the shell views' commands: new folders, and
// copying, moving and linking objects into a folder, as paste and drop do
// them. None of them ever replaces an object that is already there: a
// name in use gets a free variant ("name (2).ext", ...). What is refused
// comes with a reason for the user.

#include <string>

namespace zk::platform {

enum class TransferKind { Copy, Move, Link };

// name when folder holds nothing of that name, else the first free
// "stem (n)ext" with n from 2. Empty when no free name was found.
std::string UniqueName(const std::string& folder, const std::string& name);

// Why nothing can be made or renamed in folder, for the user, from the
// error (errno) of the call the file system refused.
std::string FolderWriteRefusal(const std::string& folder, int error);

// Makes the directory path (and missing parents). False when anything of
// that name already exists or it could not be made; reason, when given,
// then says why.
bool CreateFolder(const std::string& path, std::string* reason = nullptr);

// Whether source is a folder (not a link to one) and folder is it or lies
// within it, also by way of links.
bool GoesIntoItself(const std::string& source, const std::string& folder);

// Both paths lie on one file system (a move between them is a rename).
bool SameFileSystem(const std::string& a, const std::string& b);

struct TTransferResult {
    std::string target;  // the new object's path; empty when nothing was done
    // For the user: why nothing was done, or, with a target, why a moved
    // object is still (or partly) where it was.
    std::string reason;
    explicit operator bool() const { return !target.empty(); }
    bool SourceKept() const { return !target.empty() && !reason.empty(); }
};

// Copies, moves or links (a symbolic link to source) source into folder.
// Nothing is done for a missing source or folder, a folder into itself or
// its own subtree, a move within its own folder, or a failing file system.
// Only files, folders and links are copied: a folder holding anything else
// (a named pipe, a socket, a device) is not. A move across file systems
// copies and then removes the source: it is refused before copying when
// the source can't be removed (as a move within one file system is); a
// copy that fails on the way is removed again, and the source stays whole;
// a source that still can't be removed once copied stays, and the result
// says so (SourceKept).
TTransferResult TransferObject(const std::string& source, const std::string& folder, TransferKind kind);

}  // namespace zk::platform
