#pragma once
// A text kept in a fixed-size character field, as the label file and the
// printer records hold it. Reading always stops at the field's end, so a
// field that is full (no NUL inside) never runs into its neighbour.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace zk {

// N is the size of the field in bytes. When NulRequired is true the text
// keeps at most N-1 characters and a NUL; otherwise it may fill the field.
template <std::size_t N, bool NulRequired = true>
class FixedString {
public:
    static constexpr std::size_t Capacity = NulRequired ? N - 1 : N;

    FixedString() = default;
    FixedString(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

    // Copies at most Capacity characters; the rest of the field is zeroed.
    void assign(std::string_view text)
    {
        m_bytes.fill(0);
        const std::size_t length = std::min(text.size(), Capacity);
        if (length > 0) {  // an empty view may carry a null pointer
            std::memcpy(m_bytes.data(), text.data(), length);
        }
    }

    FixedString& operator=(std::string_view text)
    {
        assign(text);
        return *this;
    }

    std::string_view view() const
    {
        const auto* end = std::find(m_bytes.begin(), m_bytes.end(), '\0');
        return {m_bytes.data(), static_cast<std::size_t>(end - m_bytes.begin())};
    }
    std::string str() const { return std::string(view()); }
    std::size_t length() const { return view().size(); }
    bool empty() const { return m_bytes[0] == '\0'; }

    // Raw access for the byte codecs that store the field as it lies.
    std::array<char, N>& bytes() { return m_bytes; }
    const std::array<char, N>& bytes() const { return m_bytes; }

    friend bool operator==(const FixedString& a, const FixedString& b) { return a.m_bytes == b.m_bytes; }
    friend bool operator==(const FixedString& a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, N> m_bytes{};
};

}  // namespace zk
