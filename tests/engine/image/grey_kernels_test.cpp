// The converter's kernels on small images with hand-worked pixels.

#include <gtest/gtest.h>

#include <vector>

#include "engine/image/grey_kernels.h"

namespace zk {
namespace {

std::uint32_t Grey(int value)
{
    const auto v = static_cast<std::uint8_t>(value);
    return MakePixel(v, v, v);
}

TColourImage Uniform(int width, int height, std::uint32_t pixel) { return TColourImage(width, height, pixel); }

TEST(ContrastCurveTest, IsZeroAtTheEndsAndTheMiddleAndReachesTwentySix)
{
    for (int grey : {0, 1, 127, 128, 129, 255}) {
        EXPECT_EQ(ContrastCurve[grey], 0) << grey;
    }
    EXPECT_EQ(ContrastCurve[2], -1);
    EXPECT_EQ(ContrastCurve[48], -26);
    EXPECT_EQ(ContrastCurve[100], -15);
    EXPECT_EQ(ContrastCurve[200], 26);
    EXPECT_EQ(ContrastCurve[254], 1);
    for (int grey = 0; grey < 256; ++grey) {
        EXPECT_TRUE(grey < 128 ? ContrastCurve[grey] <= 0 : ContrastCurve[grey] >= 0) << grey;
        EXPECT_LE(std::abs(ContrastCurve[grey]), 26);
    }
}

TEST(ChannelGainsTest, ScaleEachChannelBySixteenthsAndSaturate)
{
    const struct {
        std::uint32_t pixel;
        int red, green, blue;
        std::uint32_t expected;
    } rows[] = {
        {0x12345678, 16, 16, 16, 0x12345678},  // 16 keeps everything, the fourth byte too
        {0xFF102030, 32, 32, 32, 0xFF204060},  // 32 doubles
        {0xFF90A0B0, 32, 16, 0, 0xFFFFA000},   // doubling saturates, 0 removes
        {0xFF0F0F0F, 1, 17, 31, 0xFF000F1D},   // 15 x 1 >> 4 = 0, 15 x 17 >> 4 = 15, 15 x 31 >> 4 = 29
        {0xFFFFFFFF, 0, 0, 0, 0xFF000000},
    };
    for (const auto& row : rows) {
        std::vector<std::uint32_t> pixels = {row.pixel};
        ApplyChannelGains(pixels, row.red, row.green, row.blue);
        EXPECT_EQ(pixels[0], row.expected) << std::hex << row.pixel;
    }
}

TEST(GreyWithBrightnessContrastTest, WeighsTheChannelsThenAddsBrightnessAndContrast)
{
    const struct {
        std::uint32_t pixel;
        int brightness, contrast;
        int expected;
    } rows[] = {
        {MakePixel(255, 255, 255), 0, 0, 255},
        {MakePixel(0, 0, 0), 0, 0, 0},
        {MakePixel(255, 0, 0), 0, 0, 75},   // 19 x 255 >> 6
        {MakePixel(0, 255, 0), 0, 0, 151},  // 38 x 255 >> 6
        {MakePixel(0, 0, 255), 0, 0, 27},   // 7 x 255 >> 6
        {Grey(200), 0, 250, 255},           // 200 + 65, limited
        {Grey(60), 0, 250, 0},              // 60 - 65, limited
        {Grey(100), 0, 50, 93},             // 50 x -15 / 100 = -7.5, towards zero
        {Grey(150), -100, 0, 50},
        {Grey(250), 100, 0, 255},
        {Grey(30), -100, 128, 0},           // limited to 0 before the curve
        {Grey(128), 0, 250, 128},
    };
    for (const auto& row : rows) {
        TGreyWork work(1, 1);
        GreyWithBrightnessContrast(Uniform(1, 1, row.pixel), work, row.brightness, row.contrast);
        EXPECT_EQ(work.CellOfPixel(0, 0), row.expected) << std::hex << row.pixel << std::dec << " " << row.brightness
                                                        << " " << row.contrast;
    }
}

TEST(GreyWithBrightnessContrastTest, FillsTheWorkRowsFromTheBottomImageRowWithZeroBorders)
{
    TColourImage image(2, 2);
    image.At(0, 0) = Grey(10);
    image.At(1, 0) = Grey(20);
    image.At(0, 1) = Grey(30);
    image.At(1, 1) = Grey(40);
    TGreyWork work(2, 2);
    GreyWithBrightnessContrast(image, work, 0, 0);
    const std::vector<std::int32_t> expected = {
        0, 0,  0,  0,  // first zero row
        0, 30, 40, 0,  // the bottom image row
        0, 10, 20, 0,  // the top image row
        0, 0,  0,  0,  // the row that takes the last row's error
    };
    EXPECT_EQ(work.Cells, expected);
}

TEST(SerpentineErrorDiffusionTest, SpreadsTheErrorByTheFloydSteinbergSharesInOneRow)
{
    TGreyWork work(2, 1);
    work.CellOfPixel(0, 0) = 100;
    work.CellOfPixel(1, 0) = 100;
    SerpentineErrorDiffusion(work);
    // 100 -> 0: +43 ahead (143), +31 below, +6 below ahead, +18 below behind.
    // 143 -> 255, error 112: -49 on the border, -35 below (6 -> 0), -7 below
    // ahead, -21 below behind (31 -> 10).
    const std::vector<std::int32_t> expected = {
        0, 0,  0,   0,
        0, 0,  255, 0,
        18, 10, 0,  0,
    };
    EXPECT_EQ(work.Cells, expected);
}

TEST(SerpentineErrorDiffusionTest, WalksTheNextRowFromRightToLeft)
{
    TGreyWork work(2, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            work.CellOfPixel(x, y) = 100;
        }
    }
    SerpentineErrorDiffusion(work);
    // Bottom row (work row 1) left to right: black, white. It leaves the top
    // row at 110, 71; walked right to left, 71 becomes black and its error
    // lifts 110 to 141, which becomes white.
    EXPECT_EQ(work.CellOfPixel(0, 1), 0);
    EXPECT_EQ(work.CellOfPixel(1, 1), 255);
    EXPECT_EQ(work.CellOfPixel(0, 0), 255);
    EXPECT_EQ(work.CellOfPixel(1, 0), 0);
}

TEST(ConvertToMonochromeTest, ThresholdSplitsAt127)
{
    const struct {
        int grey;
        bool white;
    } rows[] = {{127, true}, {126, false}, {255, true}, {0, false}};
    for (const auto& row : rows) {
        const TMonoImage16 result = ConvertToMonochrome(Uniform(5, 3, Grey(row.grey)), 0, 0, true);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x) {
                EXPECT_EQ(result.IsWhite(x, y), row.white) << row.grey << " at " << x << "," << y;
            }
        }
    }
}

TEST(ConvertToMonochromeTest, WhiteAndBlackStayForNeutralSettings)
{
    for (bool threshold : {false, true}) {
        EXPECT_TRUE(ConvertToMonochrome(Uniform(7, 7, Grey(255)), 0, 0, threshold).IsWhite(3, 3));
        EXPECT_FALSE(ConvertToMonochrome(Uniform(7, 7, Grey(0)), 0, 0, threshold).IsWhite(3, 3));
    }
    TColourImage white = Uniform(4, 4, Grey(255));
    ApplyChannelGains(white.Pixels, 0, 0, 0);
    EXPECT_FALSE(ConvertToMonochrome(white, 0, 0, false).IsWhite(2, 2));
}

TEST(ConvertToMonochromeTest, DiffusionOfHalfGreyBlackensAboutHalfTheDots)
{
    const TMonoImage16 result = ConvertToMonochrome(Uniform(64, 64, Grey(128)), 0, 0, false);
    int black = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            black += result.IsWhite(x, y) ? 0 : 1;
        }
    }
    EXPECT_GT(black, 64 * 64 * 45 / 100);
    EXPECT_LT(black, 64 * 64 * 55 / 100);
}

TEST(GreyToMonochrome16Test, AnOddRowEndsWithAWhiteWord)
{
    TGreyWork work(3, 2);
    TMonoImage16 result(3, 2);
    GreyToMonochrome16(work, result);
    EXPECT_EQ(result.WordsPerRow(), 4);
    EXPECT_EQ(result.Words, (std::vector<std::uint16_t>{0, 0, 0, 0xFFFF, 0, 0, 0, 0xFFFF}));
}

}  // namespace
}  // namespace zk
