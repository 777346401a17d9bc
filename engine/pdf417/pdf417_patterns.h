#pragma once
// PDF417 symbol characters and the start and stop patterns (ISO/IEC 15438).

#include <cstdint>

namespace zk {

inline constexpr int Pdf417CodewordCount = 929;

// The 16 modules after the leading bar of codeword 0..928 in cluster index
// 0..2 (clusters 0, 3 and 6 of the standard); the first module is bit 15,
// set bits are bars.
std::uint16_t Pdf417Pattern(int cluster, int codeword);

// Start pattern 81111113 (17 modules) and stop pattern 711311121
// (18 modules, ending in a bar), first module in the highest bit.
inline constexpr std::uint32_t Pdf417StartModules = 0b11111111'0'1'0'1'0'1'000;
inline constexpr int Pdf417StartLength = 17;
inline constexpr std::uint32_t Pdf417StopModules = 0b1111111'0'1'000'1'0'1'00'1;
inline constexpr int Pdf417StopLength = 18;

}  // namespace zk
