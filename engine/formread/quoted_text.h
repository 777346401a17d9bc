#pragma once
// The two quoted-string readers of the form and variable replies. In both a
// backslash takes the next character literally.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zk {

// Form lines: text must start with a double quote. The position after the
// closing quote, or nothing when the text ends first (also right after a
// backslash).
std::optional<std::size_t> ReadQuotedString(std::string_view text, std::string& out);

// Variable replies: the first character is taken as the opening quote
// without a test. The characters consumed, both quotes included; 0 when the
// text ends first or no closing quote comes within 63 characters, so at
// most 62 characters (an escape counting two) are read.
std::size_t ReadQuotedValue(std::string_view text, std::string& out);

}  // namespace zk
