#pragma once
// The text of a message to the user: code page 1252 text with file paths
// in it. A path is the file system's bytes, which the user interface shows
// as the desktop shows the file's name; it travels as a part of its own so
// that neither kind of bytes is read as the other.

#include <string>
#include <string_view>
#include <vector>

namespace zk {

class TReportText {
public:
    enum class Kind { Text, FileName };
    struct Part {
        Kind kind;
        std::string bytes;
        friend bool operator==(const Part&, const Part&) = default;
    };

    TReportText() = default;
    // A message without paths, as most are.
    TReportText(std::string text);  // NOLINT: implicit on purpose
    TReportText(const char* text);  // NOLINT: implicit on purpose

    TReportText& Text(std::string_view text);
    TReportText& FileName(std::string_view path);

    const std::vector<Part>& Parts() const { return m_parts; }
    // The parts' bytes one after another, for a record of what was said.
    std::string Joined() const;

private:
    std::vector<Part> m_parts;
};

}  // namespace zk
