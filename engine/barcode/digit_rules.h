#pragma once
// Data repairs and check digits shared by the digit-only symbologies.

#include <cstddef>
#include <initializer_list>
#include <string_view>

namespace zk {

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline int DigitValue(char c)
{
    return c - '0';
}

inline char DigitChar(int value)
{
    return static_cast<char>('0' + value);
}

// Replaces every non-digit c of BarcodeText by the digit (c mod 10) and
// sets BarcodeInvalid when there was one.
void ForceDigits();

// When BarcodeText's length is none of `lengths`, replaces it by `zeros`
// zeros and sets BarcodeInvalid. True when the length was accepted.
bool RequireLength(std::initializer_list<std::size_t> lengths, std::size_t zeros);

// The mod 10 check digit with weight 3 on the rightmost digit, then 1, 3, ...
// toward the left (GTIN, SSCC, Interleaved 2 of 5). Leaves the weighted sum
// in BarcodeCheckSum.
int Mod10Weight3CheckDigit(std::string_view digits);

}  // namespace zk
