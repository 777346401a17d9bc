// Reading colour BMP files of every kind the converter takes, and refusing
// damaged ones without reading past their bytes.

#include <gtest/gtest.h>

#include <limits>

#include "engine/image/colour_bmp_reader.h"
#include "tests/support/test_pictures.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& out, std::size_t at, std::uint32_t value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i) {
        out.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A BMP with an info header (or a 12-byte core header), the given palette
// or masks and the rows as stored, first stored row first.
Bytes MakeBmp(int bits, std::int32_t width, std::int32_t height, const Bytes& palette, const std::vector<Bytes>& rows,
              bool core = false, std::uint32_t compression = 0)
{
    const std::size_t headerSize = core ? 12 : 40;
    const std::size_t offset = 14 + headerSize + palette.size();
    Bytes file(offset, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLe(file, 10, static_cast<std::uint32_t>(offset));
    PutLe(file, 14, static_cast<std::uint32_t>(headerSize));
    if (core) {
        PutLe(file, 18, static_cast<std::uint32_t>(width), 2);
        PutLe(file, 20, static_cast<std::uint32_t>(height), 2);
        PutLe(file, 22, 1, 2);
        PutLe(file, 24, static_cast<std::uint32_t>(bits), 2);
    } else {
        PutLe(file, 18, static_cast<std::uint32_t>(width));
        PutLe(file, 22, static_cast<std::uint32_t>(height));
        PutLe(file, 26, 1, 2);
        PutLe(file, 28, static_cast<std::uint32_t>(bits), 2);
        PutLe(file, 30, compression);
    }
    std::copy(palette.begin(), palette.end(), file.begin() + 14 + headerSize);
    for (const Bytes& row : rows) {
        file.insert(file.end(), row.begin(), row.end());
    }
    return file;
}

const std::uint32_t R = MakePixel(255, 0, 0), G = MakePixel(0, 255, 0), B = MakePixel(0, 0, 255),
                    W = MakePixel(255, 255, 255), K = MakePixel(0, 0, 0);

TEST(ColourBmpReaderTest, ReadsEveryPixelFormatInBothRowOrders)
{
    // Palette entries are blue, green, red, reserved.
    const Bytes palette4 = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    const struct {
        const char* name;
        Bytes file;
        std::vector<std::uint32_t> expected;  // 2 x 2, top row first
    } rows[] = {
        {"24 bit bottom-up",
         MakeBmp(24, 2, 2, {}, {{0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}}),
         {B, W, R, G}},
        {"24 bit top-down",
         MakeBmp(24, 2, -2, {}, {{0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}}),
         {R, G, B, W}},
        {"32 bit", MakeBmp(32, 2, 1, {}, {{0, 0, 255, 9, 255, 0, 0, 9}}), {R, B}},
        {"16 bit 5-5-5", MakeBmp(16, 2, 1, {}, {{0x00, 0x7C, 0x1F, 0x00}}), {R, B}},
        {"8 bit palette", MakeBmp(8, 2, 2, palette4, {{2, 1, 0, 0}, {3, 0, 0, 0}}), {B, K, G, R}},
        {"4 bit palette", MakeBmp(4, 2, 1, palette4, {{0x13, 0, 0, 0}}), {R, B}},
        {"1 bit palette", MakeBmp(1, 2, 1, {0, 0, 0, 0, 255, 255, 255, 0}, {{0x40, 0, 0, 0}}), {K, W}},
        {"core header", MakeBmp(24, 1, 2, {}, {{0, 255, 0, 0}, {0, 0, 255, 0}}, true), {R, G}},
        {"last row without padding", MakeBmp(24, 1, 1, {}, {{255, 0, 0}}), {B}},
    };
    for (const auto& row : rows) {
        const TImageReadResult result = ReadColourBmp(row.file);
        ASSERT_TRUE(result.Ok()) << row.name << ": " << result.Error;
        EXPECT_EQ(result.Image.Pixels, row.expected) << row.name;
    }
}

TEST(ColourBmpReaderTest, ReadsBitFieldMasks)
{
    Bytes masks(12);
    PutLe(masks, 0, 0x0000F800);  // red in the high bits of a 16-bit pixel: 5-6-5
    PutLe(masks, 4, 0x000007E0);
    PutLe(masks, 8, 0x0000001F);
    const TImageReadResult result = ReadColourBmp(MakeBmp(16, 2, 1, masks, {{0x00, 0xF8, 0xE0, 0x07}}, false, 3));
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.Pixels, (std::vector<std::uint32_t>{R, G}));
}

TEST(ColourBmpReaderTest, WritesOfTheTestsReadBack)
{
    const TColourImage image = test::QuarteredImage(5, 3);
    const TImageReadResult result = ReadColourBmp(test::Bmp24Bytes(image));
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.Image.Pixels, image.Pixels);
}

TEST(ColourBmpReaderTest, DamagedFilesGiveAnErrorAndNoImage)
{
    const Bytes good = MakeBmp(24, 2, 2, {}, {{0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}});
    Bytes farOffset = good;
    PutLe(farOffset, 10, 0xFFFFFFF0);
    Bytes hugeHeader = good;
    PutLe(hugeHeader, 14, 0x7FFFFFFF);
    Bytes smallestHeight = good;
    PutLe(smallestHeight, 22, 0x80000000);
    Bytes hugeWidth = good;
    PutLe(hugeWidth, 18, 0x7FFFFFFF);
    Bytes zeroWidth = good;
    PutLe(zeroWidth, 18, 0);
    Bytes paletteBeyondEnd = MakeBmp(8, 1, 1, {}, {{0, 0, 0, 0}});
    PutLe(paletteBeyondEnd, 46, 0xFFFFFFFF);  // colours used
    paletteBeyondEnd.resize(54);
    const struct {
        const char* name;
        Bytes file;
    } rows[] = {
        {"empty", {}},
        {"not a BMP", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"header cut", Bytes(good.begin(), good.begin() + 30)},
        {"rows cut", Bytes(good.begin(), good.end() - 4)},
        {"offset past the end", farOffset},
        {"header longer than the file", hugeHeader},
        {"height of the smallest int", smallestHeight},
        {"width too big", hugeWidth},
        {"width 0", zeroWidth},
        {"RLE8", MakeBmp(8, 1, 1, Bytes(1024), {{0, 0, 0, 0}}, false, 1)},
        {"bit count 7", MakeBmp(7, 1, 1, {}, {{0, 0, 0, 0}})},
        {"bit fields without masks", MakeBmp(32, 1, 1, {}, {}, false, 3)},
        {"palette and rows missing", paletteBeyondEnd},
    };
    for (const auto& row : rows) {
        const TImageReadResult result = ReadColourBmp(row.file);
        EXPECT_FALSE(result.Ok()) << row.name;
        EXPECT_TRUE(result.Image.Empty()) << row.name;
    }
}

TEST(ColourBmpReaderTest, ShortPaletteLeavesMissingEntriesBlack)
{
    // Two colours listed, index 3 used: no bytes are read beyond the file.
    Bytes file = MakeBmp(8, 1, 1, {255, 255, 255, 0, 255, 255, 255, 0}, {{3, 0, 0, 0}});
    PutLe(file, 46, 2);
    const TImageReadResult result = ReadColourBmp(file);
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.Pixels[0] & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace zk
