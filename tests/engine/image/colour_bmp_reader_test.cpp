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
        {"RLE8 with 4 bits a pixel", MakeBmp(4, 2, 1, Bytes(64), {{2, 0x11, 0, 1}}, false, 1)},
        {"RLE4 with 8 bits a pixel", MakeBmp(8, 2, 1, Bytes(64), {{2, 1, 0, 1}}, false, 2)},
        {"RLE8 with 24 bits a pixel", MakeBmp(24, 2, 1, {}, {{2, 1, 0, 1}}, false, 1)},
        {"RLE stored top-down", MakeBmp(8, 2, -1, Bytes(64), {{2, 1, 0, 1}}, false, 1)},
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

TEST(ColourBmpReaderTest, OversizedPicturesAreToldApartFromDamagedOnes)
{
    const Bytes good = MakeBmp(24, 2, 2, {}, {{0, 0, 255, 0, 255, 0, 0, 0}, {255, 0, 0, 255, 255, 255, 0, 0}});
    const struct {
        std::int32_t width;
        std::int32_t height;
        bool tooLarge;
        std::int64_t statedHeight;
    } rows[] = {
        {32769, 2, true, 2},                 // one dot past the longest side
        {8193, 8192, true, 8192},            // one column past the most dots
        {8192, 8192, false, 0},              // allowed, but its rows are missing
        {0, 2, false, 0},                    // no size at all
        {2, INT32_MIN, true, 2147483648LL},  // top-down, as tall as can be
    };
    for (const auto& row : rows) {
        Bytes file = good;
        PutLe(file, 18, static_cast<std::uint32_t>(row.width));
        PutLe(file, 22, static_cast<std::uint32_t>(row.height));
        const TImageReadResult result = ReadColourBmp(file);
        EXPECT_FALSE(result.Ok()) << row.width << " x " << row.height;
        EXPECT_EQ(result.TooLarge, row.tooLarge) << row.width << " x " << row.height;
        EXPECT_EQ(result.StatedWidth, row.tooLarge ? row.width : 0) << row.width << " x " << row.height;
        EXPECT_EQ(result.StatedHeight, row.statedHeight) << row.width << " x " << row.height;
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

// Run-length compressed pictures: 4 x 3 and smaller, palette K R G B
// (indexes 0..3), rows stored bottom row first. Pixels the codes never reach
// keep palette entry 0.
const Bytes PALETTE_KRGB = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

Bytes MakeRle(int bits, std::int32_t width, std::int32_t height, const Bytes& codes)
{
    return MakeBmp(bits, width, height, PALETTE_KRGB, {codes}, false, bits == 8 ? 1 : 2);
}

TEST(ColourBmpReaderTest, ReadsRunLengthCompressedPictures)
{
    const struct {
        const char* name;
        Bytes file;
        std::vector<std::uint32_t> expected;  // top row first
    } rows[] = {
        {"RLE8 runs, ends of rows",
         MakeRle(8, 4, 3, {3, 1, 1, 2, 0, 0, 2, 3, 0, 0, 4, 2, 0, 1}),
         {G, G, G, G, B, B, K, K, R, R, R, G}},
        {"RLE8 literal run padded to a word", MakeRle(8, 5, 1, {0, 3, 1, 2, 3, 0, 2, 2, 0, 1}), {R, G, B, G, G}},
        {"RLE8 move right and up", MakeRle(8, 4, 3, {1, 1, 0, 2, 2, 1, 1, 3, 0, 1}),
         {K, K, K, K, K, K, K, B, R, K, K, K}},
        {"RLE8 end of picture leaves the rest", MakeRle(8, 2, 2, {1, 3, 0, 1, 2, 2}), {K, K, B, K}},
        {"RLE8 last row ended without an end mark", MakeRle(8, 1, 1, {1, 1, 0, 0}), {R}},
        {"RLE4 runs alternate the two nibbles", MakeRle(4, 5, 1, {5, 0x12, 0, 1}), {R, G, R, G, R}},
        {"RLE4 literal run padded to a word", MakeRle(4, 6, 1, {0, 5, 0x12, 0x31, 0x20, 0, 1, 0x30, 0, 1}),
         {R, G, B, R, G, B}},
        {"RLE4 literal run of four, no padding", MakeRle(4, 5, 1, {0, 4, 0x31, 0x23, 1, 0x20, 0, 1}),
         {B, R, G, B, G}},
        // Codes that leave the picture put nothing outside it.
        {"run beyond the row's end is cut there", MakeRle(8, 2, 2, {5, 1, 0, 0, 1, 2, 0, 1}), {G, K, R, R}},
        {"literal run beyond the row's end is cut there", MakeRle(8, 2, 1, {0, 4, 1, 2, 3, 1, 0, 1}), {R, G}},
        {"RLE4 run beyond the row's end is cut there", MakeRle(4, 3, 1, {255, 0x13, 0, 1}), {R, B, R}},
        {"move beyond the right edge drops the row's rest",
         MakeRle(8, 2, 2, {0, 2, 5, 0, 2, 1, 0, 0, 1, 3, 0, 1}),
         {B, K, K, K}},
        {"move beyond the top ends the picture", MakeRle(8, 2, 2, {1, 1, 0, 2, 0, 7, 1, 2}), {K, K, R, K}},
        {"rows beyond the top end the picture", MakeRle(8, 1, 1, {1, 1, 0, 0, 1, 2, 0, 0, 1, 3}), {R}},
        {"largest move and run", MakeRle(8, 2, 1, {0, 2, 255, 255, 255, 1}), {K, K}},
    };
    for (const auto& row : rows) {
        const TImageReadResult result = ReadColourBmp(row.file);
        ASSERT_TRUE(result.Ok()) << row.name << ": " << result.Error;
        EXPECT_EQ(result.Image.Width * result.Image.Height, static_cast<int>(row.expected.size())) << row.name;
        EXPECT_EQ(result.Image.Pixels, row.expected) << row.name;
    }
}

TEST(ColourBmpReaderTest, RunLengthCodesCutShortAreATruncatedFile)
{
    const struct {
        const char* name;
        Bytes codes;
    } rows[] = {
        {"no codes", {}},
        {"no end mark before the last row is done", {2, 1, 0, 0, 2, 2}},
        {"count without its value", {2}},
        {"escape without its kind", {1, 1, 0}},
        {"move without its distances", {0, 2, 1}},
        {"literal run without all its pixels", {0, 5, 1, 2, 3}},
    };
    for (const auto& row : rows) {
        for (const int bits : {8, 4}) {
            const TImageReadResult result = ReadColourBmp(MakeRle(bits, 2, 2, row.codes));
            EXPECT_EQ(result.Error, "BMP file truncated") << row.name << ", " << bits << " bits";
            EXPECT_TRUE(result.Image.Empty()) << row.name << ", " << bits << " bits";
        }
    }
}

TEST(ColourBmpReaderTest, RunLengthSizeFieldIsNotTrusted)
{
    // The stored image size claims far more bytes than the file has.
    Bytes file = MakeRle(8, 2, 1, {2, 3, 0, 1});
    PutLe(file, 34, 0x7FFFFFFF);
    const TImageReadResult result = ReadColourBmp(file);
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.Pixels, (std::vector<std::uint32_t>{B, B}));
}

}  // namespace
}  // namespace zk
