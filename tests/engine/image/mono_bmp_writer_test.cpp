// The converter's result as 1-bit rows and as a BMP file that the picture
// loader reads back with the same dots.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/image/grey_kernels.h"
#include "engine/image/mono_bmp_writer.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/picture/picture_file.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

// A checkerboard of 3-dot squares with one black dot in the top left corner
// column, so that row order and bit order both show.
TMonoImage16 Pattern(int width, int height)
{
    TColourImage colour(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool black = ((x / 3 + y / 3) % 2 == 0) || (x == 0 && y == 0);
            colour.At(x, y) = black ? MakePixel(0, 0, 0) : MakePixel(255, 255, 255);
        }
    }
    return ConvertToMonochrome(colour, 0, 0, true);
}

class MonoBmpWriterTest : public test::EngineTest {};

TEST_F(MonoBmpWriterTest, PackedRowsRoundTheWidthUpWithWhiteColumns)
{
    const TMonoImage16 image(100, 2);  // white
    TMonoImage16 black(100, 2);
    std::fill(black.Words.begin(), black.Words.end(), MonoBlack);
    const TMonoBitmap bitmap = PackMonoRows(black, 32);
    EXPECT_EQ(bitmap.Width, 128);
    EXPECT_EQ(bitmap.Height, 2);
    EXPECT_EQ(bitmap.BytesPerScanLine, 16u);
    for (int y = 0; y < 2; ++y) {
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(bitmap.Bits[y * 16 + i], 0x00);
        }
        EXPECT_EQ(bitmap.Bits[y * 16 + 12], 0x0F);  // dots 96..99 black, 100..103 white
        for (int i = 13; i < 16; ++i) {
            EXPECT_EQ(bitmap.Bits[y * 16 + i], 0xFF);
        }
    }
    EXPECT_EQ(PackMonoRows(image, 32).Bits, std::vector<std::uint8_t>(32, 0xFF));
}

TEST_F(MonoBmpWriterTest, SavedBmpLoadsBackThroughThePictureLoaderWithTheSameDots)
{
    for (const auto& [width, height] : {std::pair{4, 4}, std::pair{37, 21}, std::pair{1007, 3}}) {
        const TMonoImage16 image = Pattern(width, height);
        const std::string path = (TempDir() / "result.bmp").string();
        ASSERT_TRUE(SaveMonoBmp(path, image));
        ASSERT_EQ(LoadPictureFile(path), PictureLoadedBmp) << width << "x" << height;

        const auto pcx = PcxImageBuffer.Image();
        ASSERT_EQ(PcxWidth(pcx), width);
        ASSERT_EQ(PcxHeight(pcx), height);
        std::vector<std::uint8_t> row(static_cast<std::size_t>(PcxBytesPerLine(pcx)));
        std::size_t pos = PcxHeaderSize;
        for (int y = 0; y < height; ++y) {
            ASSERT_TRUE(DecodePcxRow(pcx, pos, row));
            for (int x = 0; x < width; ++x) {
                const bool paper = (row[x / 8] >> (7 - x % 8)) & 1;
                ASSERT_EQ(paper, image.IsWhite(x, y)) << width << "x" << height << " at " << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(MonoBmpWriterTest, ASaveThatCannotBeWrittenSaysSo)
{
    const auto path = TempDir() / "no such dir" / "x.bmp";
    EXPECT_FALSE(SaveMonoBmp(path.string(), Pattern(8, 8)));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace zk
