// Photos stand upright as image viewers show them: the EXIF orientation of
// a JPEG is applied while decoding, checked pixel for pixel against what
// ImageMagick's -auto-orient makes of the same file, and a malformed EXIF
// block is ignored.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/image/colour_picture_file.h"
#include "engine/image/exif_orientation.h"
#include "engine/image/jpeg_reader.h"
#include "engine/image/picture_probe.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/test_pictures.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

// No two pixels alike along either side, so that every turn and mirror
// gives a different picture.
TColourImage Asymmetric(int width, int height)
{
    TColourImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                       static_cast<std::uint8_t>(y * 255 / (height - 1)),
                                       static_cast<std::uint8_t>(x < width / 4 && y < height / 3 ? 255 : 40));
        }
    }
    return image;
}

// A binary PPM as ImageMagick writes it: "P6", width, height, 255, pixels.
TColourImage ReadPpm(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || width <= 0 || height <= 0) {
        return {};
    }
    TColourImage image(width, height);
    for (std::uint32_t& pixel : image.Pixels) {
        char rgb[3];
        if (!in.read(rgb, 3)) {
            return {};
        }
        pixel = MakePixel(static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                          static_cast<std::uint8_t>(rgb[2]));
    }
    return image;
}

int DifferentPixels(const TColourImage& a, const TColourImage& b)
{
    if (a.Width != b.Width || a.Height != b.Height) {
        return -1;
    }
    int different = 0;
    for (std::size_t i = 0; i < a.Pixels.size(); ++i) {
        different += a.Pixels[i] != b.Pixels[i];
    }
    return different;
}

class JpegOrientationTest : public test::EngineTest {
protected:
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        test::WriteBytes(TempDir() / name, bytes);
        return (TempDir() / name).string();
    }

    // ImageMagick's upright picture of the file, decoded with the same
    // integer transform as ours.
    TColourImage MagickUpright(const std::string& path) const
    {
        const std::filesystem::path out = TempDir() / "upright.ppm";
        std::filesystem::remove(out);
        const std::string command =
            "convert -define jpeg:dct-method=islow '" + path + "' -auto-orient '" + out.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadPpm(out);
    }
};

TEST_F(JpegOrientationTest, EveryOrientationStandsUprightAsImageMagickShowsIt)
{
    const Bytes plain = test::JpegBytes(Asymmetric(40, 24), {.Quality = 90});
    const TColourImage stored = ReadJpeg(plain).Image;
    ASSERT_EQ(DifferentPixels(stored, MagickUpright(Write("plain.jpg", plain))), 0) << "the decoders agree";
    for (const bool bigEndian : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            SCOPED_TRACE(::testing::Message() << "orientation " << orientation << (bigEndian ? ", MM" : ", II"));
            const std::string path =
                Write("photo.jpg", test::WithApp1Segment(plain, test::ExifOrientationBlock(orientation, bigEndian)));
            // The converter and the open-picture preview both read through here.
            const TImageReadResult read = ReadColourPictureFile(path);
            ASSERT_TRUE(read.Ok()) << read.Error;
            const TColourImage expected = MagickUpright(path);
            ASSERT_FALSE(expected.Empty());
            EXPECT_EQ(read.Image.Width, orientation >= 5 ? 24 : 40);
            EXPECT_EQ(DifferentPixels(read.Image, expected), 0);
            if (orientation != 1) {
                EXPECT_NE(DifferentPixels(read.Image, stored), 0) << "turned or mirrored";
            }
        }
    }
}

TEST_F(JpegOrientationTest, ReducedPreviewsAndTheProbeStandUprightToo)
{
    const Bytes plain = test::JpegBytes(Asymmetric(64, 32));
    const Bytes photo = test::WithApp1Segment(plain, test::ExifOrientationBlock(6));
    const TImageReadResult preview = ReadJpeg(photo, {8, true});
    ASSERT_TRUE(preview.Ok()) << preview.Error;
    EXPECT_EQ(preview.Image.Width, 4);
    EXPECT_EQ(preview.Image.Height, 8);
    // Reddest at the right of the stored picture, so at the bottom once turned.
    EXPECT_GT(RedOf(preview.Image.At(0, 7)), RedOf(preview.Image.At(0, 0)));

    TPictureProbe probe;
    ASSERT_TRUE(ProbeJpegHeader(Write("probe.jpg", photo), probe));
    EXPECT_EQ(probe.Width, 32);
    EXPECT_EQ(probe.Height, 64);
    EXPECT_EQ(probe.MaxSide, 64);
}

TEST_F(JpegOrientationTest, ATooLargePhotoIsRefusedWithItsUprightSize)
{
    Bytes file = test::WithApp1Segment(test::JpegBytes(Asymmetric(16, 8)), test::ExifOrientationBlock(6));
    // The frame header: marker, length, precision, then height and width.
    for (std::size_t i = 0; i + 8 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 5] = 0x00;  // 8 rows
            file[i + 6] = 0x08;
            file[i + 7] = 0xEA;  // 60000 columns
            file[i + 8] = 0x60;
            break;
        }
    }
    const TImageReadResult read = ReadJpeg(file);
    ASSERT_TRUE(read.TooLarge) << read.Error;
    EXPECT_EQ(read.StatedWidth, 8);
    EXPECT_EQ(read.StatedHeight, 60000);
}

// Where the TIFF data begin in a block: after "Exif" and two NULs.
constexpr std::size_t Tiff = 6;

// A little-endian block of orientation 6 with the byte at `at` set to value.
Bytes Damaged(std::size_t at, std::uint8_t value)
{
    Bytes block = test::ExifOrientationBlock(6);
    block.at(at) = value;
    return block;
}
// The same block cut to its first size bytes.
Bytes Cut(std::size_t size)
{
    Bytes block = test::ExifOrientationBlock(6);
    block.resize(size);
    return block;
}

TEST_F(JpegOrientationTest, MalformedExifBlocksAreIgnored)
{
    // TIFF layout of the block: header 0..7, entry count 8..9, a software
    // entry 10..21, the orientation entry 22..33 (tag, type, count, value).
    const struct {
        const char* name;
        Bytes block;
    } rows[] = {
        {"no signature", Damaged(3, 'x')},
        {"cut inside the signature", Cut(4)},
        {"cut inside the header", Cut(Tiff + 5)},
        {"cut inside the entry count", Cut(Tiff + 9)},
        {"cut inside the orientation entry", Cut(Tiff + 25)},
        {"cut inside the orientation value", Cut(Tiff + 31)},
        {"unknown byte order", Damaged(Tiff + 1, 'M')},
        {"not a TIFF header", Damaged(Tiff + 2, 43)},
        {"IFD inside the header", Damaged(Tiff + 4, 0)},
        {"IFD pointing back into the header", Damaged(Tiff + 4, 4)},
        {"IFD past the end", Damaged(Tiff + 4, 200)},
        {"IFD offset far past the end", Damaged(Tiff + 7, 0xFF)},
        {"entry count past the end, the orientation within it", Damaged(Tiff + 8, 0xFF)},
        {"entry count far past the end", Damaged(Tiff + 9, 0xFF)},
        {"orientation as a LONG", Damaged(Tiff + 24, 4)},
        {"two orientation values", Damaged(Tiff + 26, 2)},
        {"orientation 0", Damaged(Tiff + 30, 0)},
        {"orientation 9", Damaged(Tiff + 30, 9)},
        {"orientation 262", Damaged(Tiff + 31, 1)},
        {"only XMP", Bytes{'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 0, 'x'}},
        {"empty", Bytes{}},
    };
    const Bytes plain = test::JpegBytes(Asymmetric(40, 24));
    const TColourImage stored = ReadJpeg(plain).Image;
    for (const auto& row : rows) {
        EXPECT_EQ(ExifOrientationOf(row.block), ExifOrientation::Upright) << row.name;
        const TImageReadResult read = ReadJpeg(test::WithApp1Segment(plain, row.block));
        ASSERT_TRUE(read.Ok()) << row.name << ": " << read.Error;
        EXPECT_EQ(DifferentPixels(read.Image, stored), 0) << row.name;
    }
}

TEST_F(JpegOrientationTest, TheFirstExifBlockCountsAndOtherApp1SegmentsArePassedOver)
{
    const Bytes plain = test::JpegBytes(Asymmetric(40, 24));
    const Bytes xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0};
    const Bytes photo = test::WithApp1Segment(
        test::WithApp1Segment(test::WithApp1Segment(plain, test::ExifOrientationBlock(3)), test::ExifOrientationBlock(8)),
        xmp);
    // Segments are inserted at the same place, so the last inserted comes first.
    const TImageReadResult read = ReadJpeg(photo);
    ASSERT_TRUE(read.Ok()) << read.Error;
    EXPECT_EQ(read.Image.Width, 24);
    EXPECT_EQ(DifferentPixels(read.Image, MagickUpright(Write("two.jpg", photo))), 0);
}

}  // namespace
}  // namespace zk
