// The header probes of the open-picture dialog's preview.

#include <gtest/gtest.h>

#include "engine/image/picture_probe.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/named_pipe.h"
#include "tests/support/test_pictures.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

class PictureProbeTest : public test::EngineTest {
protected:
    std::string Write(const char* name, const Bytes& bytes)
    {
        const auto path = TempDir() / name;
        test::WriteBytes(path, bytes);
        return path.string();
    }
};

// A segment of the given marker with length bytes of content.
void AppendSegment(Bytes& file, std::uint8_t marker, std::size_t length)
{
    file.insert(file.end(), {0xFF, marker, static_cast<std::uint8_t>((length + 2) >> 8),
                             static_cast<std::uint8_t>(length + 2)});
    file.insert(file.end(), length, 0x11);
}

// Start of image, then skipped segments, then a frame header of 300 x 200 and 3 components.
Bytes JpegWithSegmentsFirst(std::uint8_t skippedMarker, int skipped)
{
    Bytes file = {0xFF, 0xD8};
    for (int i = 0; i < skipped; ++i) {
        AppendSegment(file, skippedMarker, 3);
    }
    file.insert(file.end(), {0xFF, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 200, 0x01, 0x2C, 0x03});
    return file;
}

TEST_F(PictureProbeTest, BmpProbeReadsTheBitCountAndTheFile)
{
    const Bytes bmp = test::Bmp24Bytes(TColourImage(3, 2));
    TPictureProbe probe;
    ASSERT_TRUE(ProbeBmpHeader(Write("a.bmp", bmp), probe));
    EXPECT_EQ(probe.BitsPerPixel, 24);
    EXPECT_EQ(probe.FileSize, static_cast<std::int64_t>(bmp.size()));
    EXPECT_GT(probe.FileDate, 0);

    Bytes noBits = bmp;
    noBits[28] = 0;
    EXPECT_FALSE(ProbeBmpHeader(Write("b.bmp", noBits), probe));
    EXPECT_FALSE(ProbeBmpHeader(Write("c.bmp", Bytes(bmp.begin(), bmp.begin() + 20)), probe));
    EXPECT_FALSE(ProbeBmpHeader((TempDir() / "missing.bmp").string(), probe));
    EXPECT_FALSE(ProbeBmpHeader(TempDir().string(), probe));
}

// A named pipe in the browsed folder is no picture; probing it must not wait
// for a writer.
TEST_F(PictureProbeTest, ANamedPipeIsNoPicture)
{
    const auto read = test::ReadUnwrittenPipe((TempDir() / "pipe.bmp").string(), [](const std::string& path) {
        TPictureProbe probe;
        return ProbeBmpHeader(path, probe) || ProbeJpegHeader(path, probe);
    });
    EXPECT_TRUE(read.Returned);
    EXPECT_FALSE(read.Result);
}

TEST_F(PictureProbeTest, JpegProbeFindsTheFrameHeader)
{
    const struct {
        const char* name;
        Bytes file;
        bool found;
    } rows[] = {
        {"plain", JpegWithSegmentsFirst(0xE0, 0), true},
        {"Huffman table first", JpegWithSegmentsFirst(0xC4, 1), true},
        {"conditioning first", JpegWithSegmentsFirst(0xCC, 1), true},
        {"99 segments first", JpegWithSegmentsFirst(0xFE, 99), true},
        {"100 segments first", JpegWithSegmentsFirst(0xFE, 100), false},
        {"start of scan first", JpegWithSegmentsFirst(0xDA, 1), false},
        {"second start of image", JpegWithSegmentsFirst(0xD8, 1), false},
        {"no start of image", Bytes{0xFF, 0xE0, 0x00, 0x04, 0, 0}, false},
        {"cut in a segment", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00}, false},
        {"length 1", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xC0}, false},
        {"cut in the frame", Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00}, false},
    };
    for (const auto& row : rows) {
        TPictureProbe probe;
        EXPECT_EQ(ProbeJpegHeader(Write("p.jpg", row.file), probe), row.found) << row.name;
        if (row.found) {
            EXPECT_EQ(probe.Width, 300) << row.name;
            EXPECT_EQ(probe.Height, 200) << row.name;
            EXPECT_EQ(probe.MaxSide, 300) << row.name;
            EXPECT_EQ(probe.BitsPerPixel, 24) << row.name;
        }
    }
}

TEST_F(PictureProbeTest, JpegProbeReadsWrittenFilesIncludingProgressiveOnes)
{
    const TColourImage image = test::QuarteredImage(40, 70);
    for (bool progressive : {false, true}) {
        TPictureProbe probe;
        ASSERT_TRUE(ProbeJpegHeader(Write("w.jpg", test::JpegBytes(image, {.Progressive = progressive})), probe));
        EXPECT_EQ(probe.Width, 40);
        EXPECT_EQ(probe.Height, 70);
        EXPECT_EQ(probe.MaxSide, 70);
    }
    TPictureProbe grey;
    ASSERT_TRUE(ProbeJpegHeader(Write("g.jpg", test::JpegBytes(image, {.Greyscale = true})), grey));
    EXPECT_EQ(grey.BitsPerPixel, 8);
}

TEST(PictureKindTest, ExtensionsInAnyCase)
{
    EXPECT_EQ(PictureKindOf("/a/b.bmp"), PictureKind::Bmp);
    EXPECT_EQ(PictureKindOf("B.BmP"), PictureKind::Bmp);
    EXPECT_EQ(PictureKindOf("x.JPG"), PictureKind::Jpeg);
    EXPECT_EQ(PictureKindOf("x.jpeg"), PictureKind::Jpeg);
    EXPECT_EQ(PictureKindOf("x.png"), PictureKind::Other);
    EXPECT_EQ(PictureKindOf("jpg"), PictureKind::Other);
}

}  // namespace
}  // namespace zk
