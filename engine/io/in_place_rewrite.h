#pragma once
// Rewriting a file where it is, for when a new file can't take its place:
// it has other hard links, an owner or attributes a new file can't have, or
// its folder takes no new file.

#include <string>

namespace zk {

// Rewrites target with the whole contents of the open file source. A copy
// of the old contents is kept first, flushed to disk: beside target, else
// in the per-user folder, else in memory. Should the rewrite fail, the
// copy is written back; should even that fail, a copy on disk stays for
// the user. A crash part-way leaves target part rewritten and the copy on
// disk (none when it could only be kept in memory).
bool RewriteInPlace(const std::string& target, int source);

}  // namespace zk
