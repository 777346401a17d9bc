#pragma once
// PDF417 error correction: Reed-Solomon over GF(929) (ISO/IEC 15438, Annex F).

#include <cstdint>
#include <span>

namespace zk {

inline constexpr int Pdf417MaxLevel = 8;

// Error-correction codewords of a level: 2^(level + 1).
constexpr int Pdf417EcCount(int level) { return 2 << level; }

// Generator polynomial coefficient a_j (j = 0 .. 2^(level+1) - 1) of a level,
// as tabled in Annex F.
std::uint16_t Pdf417EcCoefficient(int level, int j);

// Fills codewords[dataCount .. dataCount + ecCount) with the error-correction
// codewords of codewords[0 .. dataCount) for the level; ecCount must be
// Pdf417EcCount(level) and the span must hold both parts.
void Pdf417ReedSolomon(std::span<std::uint16_t> codewords, int level, int dataCount, int ecCount);

}  // namespace zk
