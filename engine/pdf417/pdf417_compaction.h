#pragma once
// PDF417 high-level encoding: data bytes to codewords by text, numeric and
// byte compaction.

#include <array>
#include <cstdint>
#include <string_view>

namespace zk {

// The symbol's codewords: entry 0 is the length descriptor, then data, pad
// and error correction. A symbol never holds more than 928 codewords (the
// 929th entry gives room for the write that detects an overflow).
struct TPdf417Codewords {
    static constexpr int Capacity = 929;
    std::array<std::uint16_t, Capacity> Values{};
    int Count = 1;  // entry 0 is reserved for the descriptor
    bool Overflow = false;

    void Append(int codeword)
    {
        if (Count >= Capacity) {
            Overflow = true;
            return;
        }
        Values[static_cast<std::size_t>(Count++)] = static_cast<std::uint16_t>(codeword);
    }
};

// Compacts data into codewords after entry 0. byteOnly puts every byte into
// byte compaction; otherwise the data starts in text compaction and switches
// to numeric for runs of 10 or more digits and to byte for runs of bytes that
// text cannot encode. Stops early with Overflow set when the data needs more
// codewords than a symbol holds.
void Pdf417Compact(std::string_view data, bool byteOnly, TPdf417Codewords& codewords);

}  // namespace zk
