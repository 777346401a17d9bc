// The shrink step of PDF417 fitting: data columns from the rectangle's width
// alone (up to the symbol's 30), rows from the codewords.

#include "engine/pdf417/pdf417_fit.h"

#include <gtest/gtest.h>

#include <ostream>

namespace zk {
namespace {

struct ShrinkCase {
    const char* name;
    int maxWidth, maxHeight, maxCols, maxRows, moduleWidth, moduleHeight, total;
    bool fits;
    TPdf417Layout expected;  // rows, data columns, module width, row height
};

void PrintTo(const ShrinkCase& c, std::ostream* os) { *os << c.name; }

const ShrinkCase SHRINK_CASES[] = {
    // 204 / 34 - 4 = 2 data columns, though MaxCols leaves room for one.
    {"columns beyond MaxCols", 204, 40, 5, 90, 2, 8, 6, true, {3, 2, 2, 8, 0}},
    // 1360 / 34 - 4 = 36 columns: the symbol takes 30 at most.
    {"columns capped at thirty", 1360, 400, 5, 90, 2, 8, 100, true, {4, 30, 2, 8, 0}},
    // Two columns hold 8 codewords in 4 rows once the rows are 10 dots.
    {"row height lowered, then given back", 204, 40, 5, 90, 2, 12, 8, true, {4, 2, 2, 10, 0}},
    // 272 / 34 - 4 = 4 columns need only 2 rows for 6 codewords.
    {"fewer than three rows", 272, 45, 5, 90, 2, 8, 6, false, {}},
    {"MaxRows too few for the columns", 204, 400, 5, 3, 2, 8, 7, false, {}},
};

class ShrinkTest : public ::testing::TestWithParam<ShrinkCase> {};

TEST_P(ShrinkTest, FollowsTheWidthAndTheCodewords)
{
    const ShrinkCase& c = GetParam();
    TPdf417Figure figure;
    figure.MaxWidth = static_cast<std::uint16_t>(c.maxWidth);
    figure.MaxHeight = static_cast<std::uint16_t>(c.maxHeight);
    figure.MaxCols = static_cast<std::uint16_t>(c.maxCols);
    figure.MaxRows = static_cast<std::uint16_t>(c.maxRows);
    figure.ModuleWidth = static_cast<std::uint8_t>(c.moduleWidth);
    figure.ModuleHeight = static_cast<std::uint8_t>(c.moduleHeight);
    TPdf417Layout layout;
    ASSERT_EQ(Pdf417FitShrink(figure, c.total, layout), c.fits);
    if (!c.fits) return;
    EXPECT_EQ(layout.Rows, c.expected.Rows);
    EXPECT_EQ(layout.Columns, c.expected.Columns);
    EXPECT_EQ(layout.ModuleWidth, c.expected.ModuleWidth);
    EXPECT_EQ(layout.RowHeight, c.expected.RowHeight);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShrinkTest, ::testing::ValuesIn(SHRINK_CASES));

}  // namespace
}  // namespace zk
