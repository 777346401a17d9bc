#pragma once
// Stream sockets on a path, for the tests' stand-ins of servers: each
// returns a descriptor the caller closes, or -1 when the path is too long
// for a socket address or the socket can't be made.

#include <filesystem>

namespace zk::test {

// A socket bound to path and listening; connections wait in its backlog
// until they are accepted.
int ListeningUnixSocket(const std::filesystem::path& path);

// A socket connected to the one listening on path.
int ConnectedUnixSocket(const std::filesystem::path& path);

}  // namespace zk::test
