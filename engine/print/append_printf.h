#pragma once
// printf-style formatting appended to a string of any length, so that the
// command generators can keep the printer's own format strings.

#include <string>

namespace zk {

void AppendPrintf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace zk
