#include "engine/pdf417/pdf417_reed_solomon.h"

#include <array>
#include <cassert>

namespace zk {
namespace {

constexpr std::uint32_t PRIME = 929;

// The generator polynomial of a level is g(x) = (x - 3)(x - 3^2)...(x - 3^k)
// with k = 2^(level + 1); its coefficients a_0 .. a_(k-1) (the leading 1 left
// out) are exactly those of Annex F, Tables F.1 to F.9. All levels are laid
// out one after the other: 2 + 4 + ... + 512 = 1022 entries.
constexpr int COEFFICIENT_TOTAL = 1022;

constexpr int LevelOffset(int level) { return Pdf417EcCount(level) - 2; }

constexpr auto BuildCoefficients()
{
    std::array<std::uint16_t, COEFFICIENT_TOTAL> table{};
    for (int level = 0; level <= Pdf417MaxLevel; ++level) {
        const int k = Pdf417EcCount(level);
        std::array<std::uint32_t, 513> poly{};  // poly[j]: coefficient of x^j
        poly[0] = 1;
        std::uint32_t root = 1;
        for (int i = 1; i <= k; ++i) {
            root = root * 3 % PRIME;
            // poly := poly * (x - root)
            for (int j = i; j >= 1; --j) {
                poly[j] = (poly[j - 1] + (PRIME - root) * poly[j] % PRIME) % PRIME;
            }
            poly[0] = (PRIME - root) * poly[0] % PRIME;
        }
        for (int j = 0; j < k; ++j) {
            table[LevelOffset(level) + j] = static_cast<std::uint16_t>(poly[j]);
        }
    }
    return table;
}

// Built on first use: the products of level 8 take more steps than a
// compiler allows in a constant expression.
const std::array<std::uint16_t, COEFFICIENT_TOTAL>& Coefficients()
{
    static const auto table = BuildCoefficients();
    return table;
}

}  // namespace

std::uint16_t Pdf417EcCoefficient(int level, int j) { return Coefficients()[static_cast<std::size_t>(LevelOffset(level) + j)]; }

void Pdf417ReedSolomon(std::span<std::uint16_t> codewords, int level, int dataCount, int ecCount)
{
    assert(ecCount == Pdf417EcCount(level));
    assert(static_cast<std::size_t>(dataCount + ecCount) <= codewords.size());
    const std::uint16_t* a = &Coefficients()[static_cast<std::size_t>(LevelOffset(level))];
    // Division by g(x) in a shift register, as in the standard's procedure:
    // ec[k-1] is the highest-order remainder term.
    std::array<std::uint32_t, 512> ec{};
    for (int i = 0; i < dataCount; ++i) {
        const std::uint32_t t1 = (codewords[i] + ec[ecCount - 1]) % PRIME;
        for (int j = ecCount - 1; j >= 1; --j) {
            ec[j] = (ec[j - 1] + PRIME - t1 * a[j] % PRIME) % PRIME;
        }
        ec[0] = (PRIME - t1 * a[0] % PRIME) % PRIME;
    }
    for (int j = 0; j < ecCount; ++j) {
        const std::uint32_t value = ec[ecCount - 1 - j];
        codewords[dataCount + j] = static_cast<std::uint16_t>(value == 0 ? 0 : PRIME - value);
    }
}

}  // namespace zk
