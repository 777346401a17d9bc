#pragma once
// Fetching a graphic stored in the printer into the staging buffer.

#include <string>

namespace zk {

// True when the printer sent the graphic name into the staging buffer. A
// reply longer than the buffer is refused (false) and never stored past it.
bool ExtractGraphicsToBuffer(const std::string& name);

}  // namespace zk
