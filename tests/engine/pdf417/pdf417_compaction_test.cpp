#include "engine/pdf417/pdf417_compaction.h"

#include <gtest/gtest.h>

#include <cctype>

#include <string>
#include <vector>

namespace zk {
namespace {

std::vector<int> Compact(const std::string& data, bool byteOnly)
{
    TPdf417Codewords cw;
    Pdf417Compact(data, byteOnly, cw);
    EXPECT_FALSE(cw.Overflow);
    return {cw.Values.begin() + 1, cw.Values.begin() + cw.Count};
}

struct CompactionCase {
    const char* name;
    std::string data;
    bool byteOnly;
    std::vector<int> expected;
};

// Text values pair up as 30 x first + second; 27, 28 and 29 are the sub-mode
// latches and shifts, 29 also pads an odd count.
const CompactionCase CASES[] = {
    // ISO/IEC 15438 text compaction example.
    {"alpha then mixed", "PDF417", false, {453, 178, 121, 239}},
    {"nine digits stay text", "123456789", false, {841, 63, 125, 187, 249}},
    {"ten digits go numeric", "1234567890", false, {902, 15, 369, 753, 190}},
    // ISO/IEC 15438 numeric compaction example.
    {"numeric with leading zeros", "000213298174000", false, {902, 1, 624, 434, 632, 282, 200}},
    {"numeric then text", "1234567890AB", false, {902, 15, 369, 753, 190, 900, 1}},
    {"numeric then one text character goes to bytes", "1234567890A", false, {902, 15, 369, 753, 190, 901, 65}},
    {"lower latch", "ab", false, {810, 59}},
    {"alpha shift from lower", "aBc", false, {810, 811, 89}},
    {"alpha latch from lower", "aBC", false, {810, 868, 32}},
    {"punctuation shift from alpha", "A;B", false, {29, 1}},
    {"punctuation latch from alpha", "A;<", false, {28, 750, 59}},
    {"alpha from mixed", "1A", false, {841, 840}},
    {"lower from mixed", "1a", false, {841, 810}},
    {"punctuation latch from mixed", "1;<", false, {841, 750, 59}},
    {"punctuation shift from mixed", "1;2", false, {841, 870, 89}},
    {"alpha from punctuation", "A;<B", false, {28, 750, 59, 59}},
    {"lower from punctuation", "A;<b", false, {28, 750, 59, 811}},
    {"mixed from punctuation", "A;<1", false, {28, 750, 59, 841}},
    {"space in lower stays lower", "a b", false, {810, 781}},
    {"one byte inside text is shifted", "AB\x01" "CD", false, {1, 913, 1, 63}},
    {"byte shift first", "\x01" "AB", false, {913, 1, 1}},
    // After an odd count in punctuation the pad 29 latches to alpha.
    {"byte shift after punctuation pad", "A;<\x01" "B", false, {28, 750, 59, 913, 1, 59}},
    {"two bytes go to byte compaction", "AB\x80\x81" "CD", false, {1, 901, 128, 129, 67, 68}},
    {"bytes then four text characters", "\x80\x81" "ABCD", false, {901, 128, 129, 900, 1, 63}},
    {"bytes then four digits", "\x80\x81" "1234", false, {901, 128, 129, 902, 12, 434}},
    // ISO/IEC 15438 byte compaction example.
    {"six bytes", "alcool", true, {924, 163, 238, 432, 766, 244}},
    {"seven bytes", "alcoolA", true, {901, 163, 238, 432, 766, 244, 65}},
    {"byte only keeps digits in bytes", "1234567890", true, {901, 82, 399, 748, 339, 234, 55, 56, 57, 48}},
    {"twelve bytes", "\x80\x81\x82\x83\x84\x85\x80\x81\x82\x83\x84\x85", true,
     {924, 215, 318, 502, 193, 33, 215, 318, 502, 193, 33}},
};

class CompactionTest : public ::testing::TestWithParam<CompactionCase> {};

TEST_P(CompactionTest, GivesTheCodewords)
{
    const CompactionCase& c = GetParam();
    EXPECT_EQ(Compact(c.data, c.byteOnly), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CompactionTest, ::testing::ValuesIn(CASES),
                         [](const auto& info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

TEST(CompactionLimitTest, NumericGroupsHoldFortyFourDigits)
{
    // 44 digits give 15 codewords; the 45th starts a second group.
    const std::vector<int> cw44 = Compact(std::string(44, '9'), false);
    const std::vector<int> cw45 = Compact(std::string(45, '9'), false);
    EXPECT_EQ(cw44.size(), 1u + 15u);
    EXPECT_EQ(cw45.size(), 1u + 15u + 1u);
    EXPECT_EQ(cw45.back(), 19);  // "19"
}

TEST(CompactionLimitTest, DataBeyondASymbolOverflows)
{
    TPdf417Codewords cw;
    Pdf417Compact(std::string(1200, '\x80'), true, cw);
    EXPECT_TRUE(cw.Overflow);
    EXPECT_EQ(cw.Count, TPdf417Codewords::Capacity);
}

}  // namespace
}  // namespace zk
