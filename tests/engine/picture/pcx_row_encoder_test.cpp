#include "engine/picture/pcx_row_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(std::uint8_t value, std::size_t count) { return Bytes(count, value); }

Bytes Join(Bytes a, const Bytes& b)
{
    std::copy(b.begin(), b.end(), std::back_inserter(a));
    return a;
}

struct RowCase {
    const char* what;
    Bytes row;
    Bytes encoded;
};

TEST(PcxRowEncoderTest, RunAndLiteralRules)
{
    const RowCase cases[] = {
        {"64 equal bytes below 64: a run of 63, then the last as a literal", Repeat(0x00, 64), {0xFF, 0x00, 0x00}},
        {"64 equal bytes of 64 or more: a run of 63, then a run of one", Repeat(0xAA, 64), {0xFF, 0xAA, 0xC1, 0xAA}},
        {"63 equal bytes: one full run", Repeat(0x11, 63), {0xFF, 0x11}},
        {"126 equal bytes: two full runs", Repeat(0xFF, 126), {0xFF, 0xFF, 0xFF, 0xFF}},
        {"a lone 80 at the row end is a run", {80}, {0xC1, 80}},
        {"a lone 80 inside the row is a literal", {80, 1}, {80, 1}},
        {"a lone 63 at the row end is a literal", {63}, {63}},
        {"a lone 99 inside the row is a literal, 100 is a run", {99, 100, 7}, {99, 0xC1, 100, 7}},
        {"a count-like byte is always a run", {0xC5, 0xC5, 0xC0}, {0xC2, 0xC5, 0xC1, 0xC0}},
        {"short runs", {5, 5, 5, 9, 9}, {0xC3, 5, 0xC2, 9}},
        {"an empty row writes nothing", {}, {}},
    };
    for (const auto& c : cases) {
        Bytes out;
        EncodePcxRow(c.row, out);
        EXPECT_EQ(out, c.encoded) << c.what;
    }
}

TEST(PcxRowEncoderTest, RunsNeverCrossRows)
{
    Bytes out;
    EncodePcxRow(Repeat(0xAA, 2), out);
    EncodePcxRow(Repeat(0xAA, 2), out);
    EXPECT_EQ(out, Join({0xC2, 0xAA}, {0xC2, 0xAA}));
}

}  // namespace
}  // namespace zk
