#include "platform/code_pages.h"

namespace zk::platform {

char32_t ToUnicode(CodePage page, std::uint8_t byte)
{
    if (byte < 0x80) {
        return byte;
    }
    return CodePageUpperHalves[static_cast<std::size_t>(page)][byte - 0x80];
}

std::uint8_t FromUnicode(CodePage page, char32_t ch, std::uint8_t fallback)
{
    if (ch < 0x80) {
        return static_cast<std::uint8_t>(ch);
    }
    const CodePageHalf& half = CodePageUpperHalves[static_cast<std::size_t>(page)];
    for (std::size_t i = 0; i < half.size(); ++i) {
        if (half[i] == ch) {
            return static_cast<std::uint8_t>(0x80 + i);
        }
    }
    return fallback;
}

std::string ThroughTable(std::string_view text, const ByteTable& table)
{
    std::string out(text);
    for (char& c : out) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80) {
            c = static_cast<char>(table[byte - 0x80]);
        }
    }
    return out;
}

std::string Cp437ToCp1252(std::string_view text)
{
    std::string out = ThroughTable(text, Cp437ToCp1252Table);
    for (char& c : out) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < Cp437ControlsToCp1252.size()) {
            c = static_cast<char>(Cp437ControlsToCp1252[byte]);
        }
    }
    return out;
}

std::string Cp1252ToCp437(std::string_view text) { return ThroughTable(text, Cp1252ToCp437Table); }

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        char32_t ch = ToUnicode(CodePage::Cp1252, static_cast<std::uint8_t>(c));
        if (ch == 0 && c != 0) {
            ch = '?';
        }
        if (ch < 0x80) {
            out.push_back(static_cast<char>(ch));
        } else if (ch < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
            out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        std::size_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t ch = extra == 0 ? lead : (lead & (0x3F >> extra));
        bool valid = lead < 0x80 || extra > 0;
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size() || (static_cast<std::uint8_t>(utf8[i + k]) & 0xC0) != 0x80) {
                valid = false;
                extra = k - 1;
                break;
            }
            ch = (ch << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        out.push_back(static_cast<char>(valid ? FromUnicode(CodePage::Cp1252, ch) : '?'));
        i += extra + 1;
    }
    return out;
}

}  // namespace zk::platform
