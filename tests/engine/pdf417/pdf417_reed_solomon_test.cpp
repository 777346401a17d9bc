#include "engine/pdf417/pdf417_reed_solomon.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace zk {
namespace {

TEST(ReedSolomonTest, CoefficientsMatchAnnexF)
{
    // Tables F.1 to F.3 of ISO/IEC 15438 (k = 2, 4, 8).
    const std::vector<std::vector<int>> tables = {
        {27, 917},
        {522, 568, 723, 809},
        {237, 308, 436, 284, 646, 653, 428, 379},
    };
    for (int level = 0; level < 3; ++level) {
        std::vector<int> actual;
        for (int j = 0; j < Pdf417EcCount(level); ++j) actual.push_back(Pdf417EcCoefficient(level, j));
        EXPECT_EQ(actual, tables[static_cast<std::size_t>(level)]) << "level " << level;
    }
    // Both ends of Table F.9 (k = 512).
    EXPECT_EQ(Pdf417EcCoefficient(8, 0), 352);
    EXPECT_EQ(Pdf417EcCoefficient(8, 511), 263);
}

TEST(ReedSolomonTest, PlaceholderSymbolIsConsistent)
{
    // The failure symbol's error correction: "ERROR" at level 0.
    std::array<std::uint16_t, 6> cw = {4, 137, 524, 539, 0, 0};
    Pdf417ReedSolomon(cw, 0, 4, 2);
    EXPECT_EQ(cw[4], 535);
    EXPECT_EQ(cw[5], 771);
}

// A codeword sequence c_0 .. c_(n-1) (c_0 the highest power) with its error
// correction is a multiple of the generator, so it vanishes at 3^1 .. 3^k.
std::uint32_t EvaluateAt(const std::vector<std::uint16_t>& cw, std::uint32_t x)
{
    std::uint32_t value = 0;
    for (std::uint16_t c : cw) value = (value * x + c) % 929;
    return value;
}

TEST(ReedSolomonTest, EveryLevelGivesACodeOfTheGenerator)
{
    for (int level = 0; level <= Pdf417MaxLevel; ++level) {
        const int k = Pdf417EcCount(level);
        const int dataCount = 928 - k < 200 ? 928 - k : 200;
        std::vector<std::uint16_t> cw(static_cast<std::size_t>(dataCount + k));
        std::uint32_t seed = 12345u + static_cast<std::uint32_t>(level);
        for (int i = 0; i < dataCount; ++i) {
            seed = seed * 1103515245u + 12345u;
            cw[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>((seed >> 8) % 929);
        }
        Pdf417ReedSolomon(cw, level, dataCount, k);
        std::uint32_t root = 1;
        for (int i = 1; i <= k; ++i) {
            root = root * 3 % 929;
            ASSERT_EQ(EvaluateAt(cw, root), 0u) << "level " << level << " root 3^" << i;
        }
    }
}

}  // namespace
}  // namespace zk
