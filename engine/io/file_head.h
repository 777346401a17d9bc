#pragma once
// Reading the start of a file whose size the caller bounds: nothing beyond
// the bound is ever read into memory, whatever the file claims to be.

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

// The first maxBytes bytes of a regular file; nullopt when it cannot be opened.
std::optional<TFileHead> ReadFileHead(const std::string& path, std::size_t maxBytes);

}  // namespace zk
