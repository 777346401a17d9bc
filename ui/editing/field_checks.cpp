#include "ui/editing/field_checks.h"

#include <array>
#include <cctype>
#include <charconv>

#include "engine/model/label_setup.h"

namespace zk {

namespace {

char Upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a date item gives: day, month or year.
enum DatePart { Day, Month, Year, NoPart };

DatePart DateItem(char first, char second)
{
    if (first == 'D' && second == 'D') return Day;
    if (first == 'M' && (second == 'N' || second == 'E')) return Month;
    if (first == 'Y' && (second == '2' || second == '4')) return Year;
    return NoPart;
}

}  // namespace

std::int32_t TextToIntDef(std::string_view text, std::int32_t fallback)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return fallback;
    }
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || last != end) {
        return fallback;
    }
    return value;
}

bool CheckIntRange(std::string_view text, std::int32_t min, std::int32_t max, std::int32_t fallback)
{
    const std::int32_t value = TextToIntDef(text, fallback);
    return value >= min && value <= max;
}

bool CheckDateFormat(std::string& text)
{
    if (text.size() != 2 && text.size() != 5 && text.size() != 8) {
        return false;
    }
    std::array<bool, 3> seen{};
    for (std::size_t at = 0; at < text.size(); at += 3) {
        text[at] = Upper(text[at]);
        text[at + 1] = Upper(text[at + 1]);
        const DatePart part = DateItem(text[at], text[at + 1]);
        if (part == NoPart || seen[part]) {
            return false;
        }
        seen[part] = true;
    }
    LabelSetup.DateFormat = text;
    return true;
}

bool CheckTimeFormat(std::string& text)
{
    if (text.size() != 1 && text.size() != 3 && text.size() != 5) {
        return false;
    }
    constexpr std::string_view letters = "HMS";
    std::array<bool, 3> seen{};
    for (std::size_t at = 0; at < text.size(); at += 2) {
        text[at] = Upper(text[at]);
        const std::size_t part = letters.find(text[at]);
        if (part == std::string_view::npos || seen[part]) {
            return false;
        }
        seen[part] = true;
    }
    LabelSetup.TimeFormat = text;
    return true;
}

}  // namespace zk
