#pragma once
// Reading a file, or its start, with plain reads up to a bound the caller
// sets: nothing beyond the bound is ever read into memory, whatever the file
// claims to be.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zk {

struct TFileHead {
    std::vector<std::uint8_t> Bytes;  // at most the bound
    std::uintmax_t FileSize = 0;      // the whole file's size as it was read
};

// The first maxBytes bytes of a regular file; nullopt when it cannot be
// opened, is no regular file (a directory, a device, a named pipe) or a read
// fails (an I/O error).
std::optional<TFileHead> ReadFileHead(const std::string& path, std::size_t maxBytes);

// The whole file, read as ReadFileHead reads it; nullopt as there, and also
// when the file is longer than maxBytes, so that callers treat every failure
// as a missing file and never see part of one.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace zk
