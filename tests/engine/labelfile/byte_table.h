#pragma once
// Expected file bytes written out by hand, field by field.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zk::test {

class ByteTable {
public:
    ByteTable& Byte(std::uint8_t v)
    {
        bytes.push_back(v);
        return *this;
    }
    ByteTable& Be16(std::uint16_t v) { return Byte(static_cast<std::uint8_t>(v >> 8)).Byte(static_cast<std::uint8_t>(v)); }
    ByteTable& Le16(std::uint16_t v) { return Byte(static_cast<std::uint8_t>(v)).Byte(static_cast<std::uint8_t>(v >> 8)); }
    // The characters, then zero bytes up to size.
    ByteTable& Text(std::string_view text, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            Byte(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
        }
        return *this;
    }
    ByteTable& Zeros(std::size_t count) { return Text("", count); }
    ByteTable& Raw(const std::vector<std::uint8_t>& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }

    std::vector<std::uint8_t> bytes;
};

// The header of a label with the default setup.
inline ByteTable PlainHeader()
{
    ByteTable t;
    t.Text("ZK7300 FILE", 12).Be16(384).Be16(200).Be16(0).Be16(0).Be16(8);
    t.Byte(0).Byte(8).Byte(4).Byte(0).Byte(24).Byte(0).Zeros(4);
    t.Text("DD-MN-Y4", 16).Text("H:M:S", 16);
    return t;
}

}  // namespace zk::test
