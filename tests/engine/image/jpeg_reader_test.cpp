// Decoding JPEG pictures at full and reduced scale, and damaged files
// ending in an error rather than an abort.

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/image/jpeg_reader.h"
#include "tests/support/test_pictures.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool Near(std::uint32_t pixel, std::uint32_t expected, int tolerance = 12)
{
    return std::abs(RedOf(pixel) - RedOf(expected)) <= tolerance &&
           std::abs(GreenOf(pixel) - GreenOf(expected)) <= tolerance &&
           std::abs(BlueOf(pixel) - BlueOf(expected)) <= tolerance;
}

TEST(JpegReaderTest, DecodesTheColoursOfEachQuarter)
{
    const TImageReadResult result = ReadJpeg(test::JpegBytes(test::QuarteredImage(32, 16)));
    ASSERT_TRUE(result.Ok()) << result.Error;
    ASSERT_EQ(result.Image.Width, 32);
    ASSERT_EQ(result.Image.Height, 16);
    EXPECT_TRUE(Near(result.Image.At(4, 4), MakePixel(255, 0, 0)));
    EXPECT_TRUE(Near(result.Image.At(28, 4), MakePixel(0, 255, 0)));
    EXPECT_TRUE(Near(result.Image.At(4, 12), MakePixel(0, 0, 255)));
    EXPECT_TRUE(Near(result.Image.At(28, 12), MakePixel(255, 255, 255)));
}

TEST(JpegReaderTest, GreyscaleComesOutAsEqualChannels)
{
    const TImageReadResult result =
        ReadJpeg(test::JpegBytes(TColourImage(8, 8, MakePixel(90, 90, 90)), {.Greyscale = true}));
    ASSERT_TRUE(result.Ok()) << result.Error;
    const std::uint32_t pixel = result.Image.At(3, 3);
    EXPECT_EQ(RedOf(pixel), GreenOf(pixel));
    EXPECT_EQ(GreenOf(pixel), BlueOf(pixel));
    EXPECT_TRUE(Near(pixel, MakePixel(90, 90, 90), 3));
}

TEST(JpegReaderTest, ScaledDecodingDividesTheSize)
{
    const Bytes file = test::JpegBytes(test::QuarteredImage(64, 48), {.Progressive = true});
    const struct {
        int denominator, width, height;
    } rows[] = {{1, 64, 48}, {2, 32, 24}, {4, 16, 12}, {8, 8, 6}};
    for (const auto& row : rows) {
        const TImageReadResult result = ReadJpeg(file, {row.denominator, true});
        ASSERT_TRUE(result.Ok()) << result.Error;
        EXPECT_EQ(result.Image.Width, row.width) << row.denominator;
        EXPECT_EQ(result.Image.Height, row.height) << row.denominator;
    }
    EXPECT_FALSE(ReadJpeg(file, {3, false}).Ok());
}

TEST(JpegReaderTest, DamagedFilesGiveAnErrorMessage)
{
    const Bytes good = test::JpegBytes(test::QuarteredImage(16, 16));
    Bytes badFrame = good;
    // Zero the frame header's dimensions and component count.
    for (std::size_t i = 0; i + 9 < badFrame.size(); ++i) {
        if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {
            std::fill(badFrame.begin() + i + 5, badFrame.begin() + i + 10, 0);
            break;
        }
    }
    const struct {
        const char* name;
        Bytes file;
    } rows[] = {
        {"empty", {}},
        {"start of image only", {0xFF, 0xD8}},
        {"not a JPEG", {'B', 'M', 0, 0, 0, 0}},
        {"headers cut", Bytes(good.begin(), good.begin() + 100)},
        {"frame of no size", badFrame},
        {"garbage after the start", {0xFF, 0xD8, 0xFF, 0x12, 0x34, 0x56, 0x78}},
    };
    for (const auto& row : rows) {
        const TImageReadResult result = ReadJpeg(row.file);
        EXPECT_FALSE(result.Ok()) << row.name;
        EXPECT_TRUE(result.Image.Empty()) << row.name;
    }
}

TEST(JpegReaderTest, OversizedPicturesAreToldApartFromDamagedOnes)
{
    const Bytes good = test::JpegBytes(test::QuarteredImage(16, 16));
    const struct {
        int width;
        int height;
        bool tooLarge;
    } rows[] = {
        {60000, 8, true},    // past the longest side
        {9000, 9000, true},  // past the most dots
        {0, 16, false},      // no size: damaged
    };
    for (const auto& row : rows) {
        Bytes file = good;
        // The frame header: marker, length, precision, then height and width.
        for (std::size_t i = 0; i + 8 < file.size(); ++i) {
            if (file[i] == 0xFF && file[i + 1] == 0xC0) {
                file[i + 5] = static_cast<std::uint8_t>(row.height >> 8);
                file[i + 6] = static_cast<std::uint8_t>(row.height);
                file[i + 7] = static_cast<std::uint8_t>(row.width >> 8);
                file[i + 8] = static_cast<std::uint8_t>(row.width);
                break;
            }
        }
        const TImageReadResult result = ReadJpeg(file);
        EXPECT_FALSE(result.Ok()) << row.width << " x " << row.height;
        EXPECT_TRUE(result.Image.Empty());
        EXPECT_EQ(result.TooLarge, row.tooLarge) << row.width << " x " << row.height;
        EXPECT_EQ(result.StatedWidth, row.tooLarge ? row.width : 0);
        EXPECT_EQ(result.StatedHeight, row.tooLarge ? row.height : 0);
    }
}

TEST(JpegReaderTest, ScanDataCutShortStillGivesTheWholePicture)
{
    // libjpeg pads a stream that ends early; the picture keeps its size.
    const Bytes good = test::JpegBytes(test::QuarteredImage(64, 64));
    std::size_t scan = 0;
    while (scan + 1 < good.size() && !(good[scan] == 0xFF && good[scan + 1] == 0xDA)) {
        ++scan;
    }
    ASSERT_LT(scan + 20, good.size());
    const TImageReadResult result = ReadJpeg(Bytes(good.begin(), good.begin() + (scan + good.size()) / 2));
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.Width, 64);
    EXPECT_EQ(result.Image.Height, 64);
}

}  // namespace
}  // namespace zk
