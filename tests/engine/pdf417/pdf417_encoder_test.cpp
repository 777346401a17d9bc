#include "engine/pdf417/pdf417_encoder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/model/label_setup.h"
#include "engine/pdf417/pdf417_patterns.h"
#include "engine/render/label_image.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

TPdf417Figure Figure(const std::string& data)
{
    TPdf417Figure f;
    f.X = 40;
    f.Y = 40;
    f.MaxWidth = 400;
    f.MaxHeight = 300;
    f.MaxCols = 34;
    f.MaxRows = 90;
    f.Position = 1;
    f.ModuleWidth = 2;
    f.ModuleHeight = 6;
    f.Data = "\"" + data + "\"";
    return f;
}

using Pdf417EncoderTest = test::EngineTest;

TEST(Pdf417LevelTest, ChosenByCountOrAsked)
{
    struct Row {
        std::uint8_t security;
        int count;
        int level;
    };
    const Row rows[] = {
        {0, 1, 1},   {0, 31, 1},  {0, 32, 2},  {0, 63, 2},  {0, 64, 3},  {0, 127, 3}, {0, 128, 4},
        {0, 255, 4}, {0, 256, 5}, {0, 511, 5}, {0, 512, 6}, {0, 900, 6}, {1, 500, 0}, {9, 5, 8},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Pdf417ChooseLevel(row.security, row.count), row.level)
            << "security " << int(row.security) << " count " << row.count;
    }
}

TEST_F(Pdf417EncoderTest, ThirtyTwoCodewordsGetLevelTwo)
{
    // 62 capitals pack into 31 codewords, 32 with the descriptor.
    const TPdf417Symbol level2 = BuildPdf417Symbol(Figure(std::string(62, 'A')));
    ASSERT_FALSE(level2.Failed);
    EXPECT_EQ(level2.Layout.Level, 2);
    EXPECT_EQ(level2.Codewords.Count - level2.Codewords.Values[0], 8);
    EXPECT_EQ(BuildPdf417Symbol(Figure(std::string(60, 'A'))).Layout.Level, 1);
}

TEST_F(Pdf417EncoderTest, DescriptorPaddingAndSize)
{
    const TPdf417Symbol s = BuildPdf417Symbol(Figure("PDF417"));
    ASSERT_FALSE(s.Failed);
    const int size = s.Layout.Rows * s.Layout.Columns;
    EXPECT_EQ(s.Codewords.Count, size);
    EXPECT_EQ(s.Codewords.Values[0], size - 4);  // level 1: 4 error-correction codewords
    EXPECT_EQ(s.Codewords.Values[1], 453);
    for (int i = 5; i < s.Codewords.Values[0]; ++i) EXPECT_EQ(s.Codewords.Values[static_cast<std::size_t>(i)], 900);
    EXPECT_GE(s.Layout.Rows, 3);
}

TEST_F(Pdf417EncoderTest, MaxColsFiveAllowsOneDataColumn)
{
    TPdf417Figure f = Figure("PDF417");
    f.MaxCols = 5;
    const TPdf417Symbol s = BuildPdf417Symbol(f);
    ASSERT_FALSE(s.Failed);
    EXPECT_EQ(s.Layout.Columns, 1);
    f.MaxCols = 4;
    EXPECT_TRUE(BuildPdf417Symbol(f).Failed);
}

// Limits far beyond what a symbol has, as a label file may hold them: the
// symbol is built within its own limits of 30 data columns and 90 rows.
TEST_F(Pdf417EncoderTest, HugeColumnAndRowLimitsBuildTheSymbol)
{
    TPdf417Figure f = Figure(std::string(300, 'A'));
    for (const auto& [cols, rows] : {std::pair<std::uint16_t, std::uint16_t>{44118, 65535}, {65535, 65535}}) {
        f.MaxCols = cols;
        f.MaxRows = rows;
        const TPdf417Symbol s = BuildPdf417Symbol(f);
        EXPECT_FALSE(s.Failed) << cols << " x " << rows;
        EXPECT_LE(s.Layout.Columns, 30);
        EXPECT_LE(s.Layout.Rows, 90);
    }
}

TEST_F(Pdf417EncoderTest, DialogDefaultsShrinkModulesAndRows)
{
    // 170 x 64 dots hold no column of 6-dot modules; by the shrinking rules
    // the symbol ends at module width 2, row height 7, 1 column of 9 rows.
    TPdf417Figure f = Figure("PDF417");
    f.MaxWidth = 170;
    f.MaxHeight = 64;
    f.MaxCols = 16;
    f.MaxRows = 30;
    f.ModuleWidth = 6;
    f.ModuleHeight = 24;
    const TPdf417Symbol s = BuildPdf417Symbol(f);
    ASSERT_FALSE(s.Failed);
    EXPECT_EQ(s.Layout.ModuleWidth, 2);
    EXPECT_EQ(s.Layout.RowHeight, 7);
    EXPECT_EQ(s.Layout.Columns, 1);
    EXPECT_EQ(s.Layout.Rows, 9);
}

TEST_F(Pdf417EncoderTest, FailuresGiveThePlaceholder)
{
    struct Row {
        const char* name;
        TPdf417Figure figure;
    };
    TPdf417Figure empty = Figure("");
    TPdf417Figure none = Figure("");
    none.Data.clear();
    TPdf417Figure unquoted = Figure("");
    unquoted.Data = "NOT QUOTED";
    TPdf417Figure tooFewRows = Figure(std::string(100, 'A'));
    tooFewRows.MaxRows = 3;
    tooFewRows.MaxCols = 8;
    TPdf417Figure tooSmall = Figure("PDF417");
    tooSmall.MaxWidth = 100;
    tooSmall.MaxHeight = 10;
    TPdf417Figure noModule = Figure("PDF417");
    noModule.ModuleWidth = 0;
    TPdf417Figure noRowHeight = Figure("PDF417");
    noRowHeight.ModuleHeight = 0;
    const Row rows[] = {{"empty", empty},       {"none", none},           {"unquoted", unquoted},
                        {"rows", tooFewRows},   {"small", tooSmall},      {"module width 0", noModule},
                        {"row height 0", noRowHeight}};
    const std::vector<std::uint16_t> placeholder = {4, 137, 524, 539, 535, 771};
    for (const Row& row : rows) {
        const TPdf417Symbol s = BuildPdf417Symbol(row.figure);
        EXPECT_TRUE(s.Failed) << row.name;
        EXPECT_EQ(std::vector<std::uint16_t>(s.Codewords.Values.begin(), s.Codewords.Values.begin() + s.Codewords.Count),
                  placeholder)
            << row.name;
        EXPECT_EQ(s.Layout.Rows, 6);
        EXPECT_EQ(s.Layout.Columns, 1);
        EXPECT_EQ(s.Layout.ModuleWidth, 2);
        EXPECT_EQ(s.Layout.RowHeight, 8);
        EXPECT_EQ(s.Layout.Level, 0);
    }
}

TEST_F(Pdf417EncoderTest, CentredSymbolInItsOwnSizeHasNoOffset)
{
    TPdf417Figure f = Figure("Exact fit");
    const TPdf417Layout fitted = BuildPdf417Symbol(f).Layout;
    f.MaxWidth = static_cast<std::uint16_t>((fitted.Columns + 4) * 17 * fitted.ModuleWidth);
    f.MaxHeight = static_cast<std::uint16_t>(fitted.Rows * fitted.RowHeight);
    const TPdf417Layout exact = BuildPdf417Symbol(f).Layout;
    ASSERT_EQ(exact.Columns, fitted.Columns);
    ASSERT_EQ(exact.Rows, fitted.Rows);
    LabelImage.Resize(f.X + f.MaxWidth + 40, f.Y + f.MaxHeight + 40);
    EncodePdf417(f);
    // The start pattern's bar opens every row at X; the rows end at Y + MaxHeight.
    EXPECT_EQ(LabelImage.Pixel(f.X, f.Y), Black);
    EXPECT_EQ(LabelImage.Pixel(f.X - 1, f.Y), White);
    EXPECT_EQ(LabelImage.Pixel(f.X, f.Y - 1), White);
    EXPECT_EQ(LabelImage.Pixel(f.X, f.Y + f.MaxHeight - 1), Black);
    EXPECT_EQ(LabelImage.Pixel(f.X, f.Y + f.MaxHeight), White);
}

TEST_F(Pdf417EncoderTest, RotationsTurnAboutTheAnchor)
{
    // Position 0: the symbol starts at the anchor and grows, for rotation
    // 0, 1, 2, 3, to the right and down, down and left, left and up, up and
    // right. The first module of the first row touches the anchor.
    struct Row {
        int rotation;
        int dx, dy;  // a pixel inside the first row's start bar, from the anchor
    };
    const Row rows[] = {{0, 1, 1}, {1, -1, 1}, {2, -1, -1}, {3, 1, -1}};
    for (const Row& row : rows) {
        TPdf417Figure f = Figure("Turn");
        f.X = 300;
        f.Y = 300;
        f.Position = 0;
        f.Rotation = static_cast<std::uint8_t>(row.rotation);
        LabelImage.Resize(600, 600);
        EncodePdf417(f);
        EXPECT_EQ(LabelImage.Pixel(300, 300), Black) << "rotation " << row.rotation;
        EXPECT_EQ(LabelImage.Pixel(300 + row.dx, 300 + row.dy), Black) << "rotation " << row.rotation;
        EXPECT_EQ(LabelImage.Pixel(300 - row.dx, 300 - row.dy), White) << "rotation " << row.rotation;
    }
}

TEST_F(Pdf417EncoderTest, FailureCrossCoversTheRectangle)
{
    LabelSetup.LeftMargin = 10;
    LabelSetup.TopMargin = 5;
    struct Row {
        int rotation;
        int x1, y1, x2, y2;  // cross corners relative to the anchor, W = 200, H = 100
    };
    const Row rows[] = {
        {0, 3, 3, 194, 94},
        {1, -97, 3, -3, 194},
        {2, -197, -97, -6, -6},
        {3, 3, -197, 94, -6},
    };
    for (const Row& row : rows) {
        TPdf417Figure f = Figure("");
        f.X = 300;
        f.Y = 300;
        f.MaxWidth = 200;
        f.MaxHeight = 100;
        f.Rotation = static_cast<std::uint8_t>(row.rotation);
        LabelImage.Resize(700, 700);
        EncodePdf417(f);
        const int x = f.X + 10;
        const int y = f.Y + 5;
        for (const auto& [px, py] : {std::pair{row.x1, row.y1}, std::pair{row.x2, row.y2}, std::pair{row.x1, row.y2},
                                     std::pair{row.x2, row.y1}}) {
            EXPECT_EQ(LabelImage.Pixel(x + px, y + py), Red) << "rotation " << row.rotation << " at " << px << "," << py;
        }
        EXPECT_EQ(LabelImage.Pixel(x + (row.x1 + row.x2) / 2, y + (row.y1 + row.y2) / 2), Red);
    }
}

TEST_F(Pdf417EncoderTest, DrawingClipsToTheImage)
{
    LabelImage.Resize(50, 50);
    TPdf417Figure f = Figure("Clipped");
    f.X = -30000;
    f.Y = 32000;
    EncodePdf417(f);
    f.X = 10;
    f.Y = 10;
    f.Rotation = 2;
    EncodePdf417(f);
    f.Data.clear();
    f.MaxWidth = 65535;
    f.MaxHeight = 65535;
    EncodePdf417(f);
    EXPECT_EQ(LabelImage.Pixel(10 - 3 - 5, 10 - 3 - 5), Red);
}

TEST(Pdf417PatternTest, EveryPatternIsDistinctAndStartsWithABar)
{
    std::set<std::uint32_t> seen;
    for (int cluster = 0; cluster < 3; ++cluster) {
        for (int cw = 0; cw < Pdf417CodewordCount; ++cw) {
            const std::uint16_t modules = Pdf417Pattern(cluster, cw);
            EXPECT_EQ(modules & 1u, 0u) << "a symbol character ends in a space";
            seen.insert(modules);
        }
    }
    EXPECT_EQ(seen.size(), 3u * Pdf417CodewordCount);
    // Cluster 0, codeword 0 is 31111136 in the standard's table.
    EXPECT_EQ(0x10000u | Pdf417Pattern(0, 0), 0b111'0'1'0'1'0'111'000000u);
}

}  // namespace
}  // namespace zk
