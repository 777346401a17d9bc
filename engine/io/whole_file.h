#pragma once
// Reading a whole file whose size the caller bounds, with plain reads. Any
// failure (the file can't be opened, a read fails as it does on a directory
// or after an I/O error, or the file is longer than the bound) gives no
// bytes at all, so callers treat it as a missing file and never see part of
// one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zk {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace zk
