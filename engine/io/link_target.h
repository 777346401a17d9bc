#pragma once
// The file a path names once its symbolic links are followed, so that a
// writer replaces that file and not the link.

#include <optional>
#include <string>

namespace zk {

// The path with every symbolic link at its end followed: relative link
// targets are taken from the link's folder. A path that names nothing (a
// dangling link's target, a new file) is returned as it is; nullopt for a
// chain of links too long to be anything but a loop, or a link that can't
// be read.
std::optional<std::string> FollowSymbolicLinks(const std::string& path);

}  // namespace zk
