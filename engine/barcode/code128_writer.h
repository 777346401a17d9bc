#pragma once
// Shared by the Code 128 based symbologies (Code 128, SSCC-18, EAN 128):
// a bounded list of symbol values and the writer that adds the check
// character and the stop.

#include <array>
#include <cstddef>

namespace zk {

namespace Code128 {
inline constexpr int CodeC = 99;
inline constexpr int CodeB = 100;
inline constexpr int CodeA = 101;
inline constexpr int Fnc1 = 102;
inline constexpr int Fnc3 = 96;
inline constexpr int StartA = 103;
inline constexpr int StartB = 104;
inline constexpr int StartC = 105;
inline constexpr int Stop = 106;
}  // namespace Code128

// Start value first. Room for a set switch before every character of the
// longest BarcodeText, and more; further values are dropped (the module
// array would be full long before).
class TCode128Values {
public:
    void push(int value)
    {
        if (m_count < m_values.size()) {
            m_values[m_count++] = value;
        }
    }
    std::size_t size() const { return m_count; }
    int operator[](std::size_t i) const { return m_values[i]; }

private:
    std::array<int, 256> m_values{};
    std::size_t m_count = 0;
};

// Writes every value's 11-module pattern, the mod 103 check character, the
// stop and its final 2-module bar, `narrow` dots per module. Leaves the
// check value in BarcodeCheckSum.
void WriteCode128(const TCode128Values& values, int narrow);

}  // namespace zk
