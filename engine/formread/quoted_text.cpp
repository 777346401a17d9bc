#include "engine/formread/quoted_text.h"

namespace zk {

namespace {

// A closing quote later than this position fails ReadQuotedValue.
constexpr std::size_t QuotedValueLastQuote = 63;

}  // namespace

std::optional<std::size_t> ReadQuotedString(std::string_view text, std::string& out)
{
    out.clear();
    if (text.empty() || text[0] != '"') {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            return i + 1;
        }
        if (text[i] == '\\' && ++i >= text.size()) {
            break;
        }
        out.push_back(text[i]);
    }
    out.clear();
    return std::nullopt;
}

std::size_t ReadQuotedValue(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 1; i < text.size() && i <= QuotedValueLastQuote; ++i) {
        if (text[i] == '"') {
            return i + 1;
        }
        if (text[i] == '\\' && ++i >= text.size()) {
            break;
        }
        out.push_back(text[i]);
    }
    out.clear();
    return 0;
}

}  // namespace zk
