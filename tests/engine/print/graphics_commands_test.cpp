// Raw graphics of pictures and glyphs, and the stored picture's PCX header.

#include "engine/print/graphics_commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace zk {
namespace {

struct ByteCase {
    std::uint8_t byte;
    int width;
    int index;
    std::uint8_t sent;
};

class PictureByteTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(PictureByteTest, WhitensTheBitsBeyondTheWidth)
{
    EXPECT_EQ(PictureByte(GetParam().byte, GetParam().width, GetParam().index), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Widths, PictureByteTest,
                         ::testing::Values(ByteCase{0xA5, 10, 0, 0xA5},  // wholly inside
                                           ByteCase{0x00, 10, 1, 0x3F},  // 10 dots: six low bits set
                                           ByteCase{0x80, 9, 1, 0xFF},   // 9 dots: only the top bit kept
                                           ByteCase{0x00, 15, 1, 0x01},
                                           ByteCase{0x12, 16, 1, 0x12},  // exactly two bytes wide
                                           ByteCase{0x00, 8, 1, 0xFF},   // wholly beyond
                                           ByteCase{0x00, 0, 0, 0xFF}));

std::shared_ptr<TPictureData> TwoByteRows(int rows)
{
    auto data = std::make_shared<TPictureData>();
    data->BytesPerLine = 2;
    for (int r = 0; r < rows; ++r) {
        if (r % 2 == 0) {
            data->Rows.insert(data->Rows.end(), {0xC2, 0x0F});  // a run of two 0x0F
        } else {
            data->Rows.insert(data->Rows.end(), {static_cast<std::uint8_t>(r), 0x80});
        }
    }
    return data;
}

std::string ExpectedRows(int first, int rows)
{
    std::string bytes;
    for (int r = first; r < rows; ++r) {
        if (r % 2 == 0) {
            bytes += "\x0F\x3F";
        } else {
            bytes.push_back(static_cast<char>(r));
            bytes.push_back(static_cast<char>(0xBF));
        }
    }
    return bytes;
}

TEST(PictureGraphicsTest, DecodesRunsAndWhitensThePad)
{
    TPictureFigure picture;
    picture.X = 7;
    picture.Y = 3;
    picture.Width = 10;
    picture.Height = 4;
    picture.Data = TwoByteRows(4);
    EXPECT_EQ(PictureGraphics(picture), "GW7,3,2,4," + ExpectedRows(0, 4) + "\r\n");
}

TEST(PictureGraphicsTest, RowsAboveTheLabelTopAreLeftOut)
{
    TPictureFigure picture;
    picture.X = 7;
    picture.Y = -5;
    picture.Width = 10;
    picture.Height = 20;
    picture.Data = TwoByteRows(20);
    const std::string sent = PictureGraphics(picture);
    EXPECT_EQ(sent, "GW7,0,2,15," + ExpectedRows(5, 20) + "\r\n");
    EXPECT_EQ(sent.size(), 11u + 15u * 2u + 2u);
}

// The announced byte count is always sent; what the data do not fill is
// white, from the row they end inside.
TEST(PictureGraphicsTest, RowsFromWhereTheDataEndAreWhite)
{
    TPictureFigure picture;
    picture.Width = 16;
    picture.Height = 2;
    picture.Data = std::make_shared<TPictureData>();
    picture.Data->BytesPerLine = 2;
    picture.Data->Rows = {0xC5, 0x11, 0xC3};  // a run longer than its row, then a cut run
    EXPECT_EQ(PictureGraphics(picture), std::string("GW0,0,2,2,\x11\x11\xFF\xFF\r\n"));
    picture.Data->Rows = {0x01};
    EXPECT_EQ(PictureGraphics(picture), std::string("GW0,0,2,2,\xFF\xFF\xFF\xFF\r\n"));
}

TEST(PictureGraphicsTest, NothingForAPictureWithoutDataOrWhollyAboveTheLabel)
{
    TPictureFigure picture;
    picture.Width = 8;
    picture.Height = 4;
    EXPECT_EQ(PictureGraphics(picture), "");
    picture.Data = TwoByteRows(4);
    picture.Y = -4;
    EXPECT_EQ(PictureGraphics(picture), "");
}

class GlyphGraphicsTest : public ::testing::Test {
protected:
    GlyphGraphicsTest() : buffer(512 * GlyphBufferRowBytes, 0xFF)
    {
        setup.LabelWidth = 400;
        setup.LabelLength = 200;
        for (std::size_t i = 0; i < 4; ++i) {
            buffer[GlyphBufferRowBytes * 0 + i] = static_cast<std::uint8_t>(0x10 + i);
            buffer[GlyphBufferRowBytes * 1 + i] = static_cast<std::uint8_t>(0x20 + i);
        }
    }

    std::vector<std::uint8_t> buffer;
    TLabelSetup setup;
};

TEST_F(GlyphGraphicsTest, SendsEachRowVMultTimesFromTheFirstBufferRow)
{
    EXPECT_EQ(GlyphGraphics(12, 30, 3, 2, 2, buffer, setup),
              "GW12,30,3,4,\x10\x11\x12\x10\x11\x12\x20\x21\x22\x20\x21\x22\r\n");
}

// The dots left of the label and the rows above it (repeats counted) are
// left out, and what is left starts at 0: 11 dots of each row, shifted
// left by 5, the bits past the block white.
TEST_F(GlyphGraphicsTest, CutsInDotsAtTheLeftAndTopEdges)
{
    EXPECT_EQ(GlyphGraphics(-5, -1, 2, 2, 2, buffer, setup), "GW0,0,2,3,\x02\x3F\x04\x3F\x04\x3F\r\n");
    EXPECT_EQ(GlyphGraphics(-9, 7, 2, 1, 1, buffer, setup), "GW0,7,1,1,\x23\r\n");
}

struct RefusedBlock {
    int x, y, bytesPerRow, rows, vMult;
};

class GlyphRefusalTest : public GlyphGraphicsTest, public ::testing::WithParamInterface<RefusedBlock> {};

TEST_P(GlyphRefusalTest, SendsNothing)
{
    const RefusedBlock& b = GetParam();
    EXPECT_EQ(GlyphGraphics(b.x, b.y, b.bytesPerRow, b.rows, b.vMult, buffer, setup), "");
}

INSTANTIATE_TEST_SUITE_P(OffLabelOrTooBig, GlyphRefusalTest,
                         ::testing::Values(RefusedBlock{401, 0, 2, 2, 1},    // right of the label
                                           RefusedBlock{-16, 0, 2, 2, 1},    // left of it: dots -16..-1
                                           RefusedBlock{0, 201, 2, 2, 1},    // below it
                                           RefusedBlock{0, -5, 2, 2, 1},     // above it
                                           RefusedBlock{0, -4, 2, 2, 2},     // above it, rows repeated
                                           RefusedBlock{0, 0, 2, 257, 2},    // over 512 rows sent
                                           RefusedBlock{0, 0, 65, 2, 1},     // wider than a buffer row
                                           RefusedBlock{0, 0, 2, 2, 0}));    // no repeat

TEST(PcxStoreHeaderTest, HoldsSizeResolutionPaletteAndBytesPerLine)
{
    TPictureFigure picture;
    picture.Width = 300;
    picture.Height = 20;
    picture.Data = std::make_shared<TPictureData>();
    picture.Data->BytesPerLine = 38;
    const auto header = PcxStoreHeader(picture);
    std::array<std::uint8_t, PcxHeaderSize> expected{};
    const std::uint8_t head[] = {10, 5, 1, 1, 0, 0, 0, 0, 43, 1, 19, 0, 150, 0, 150, 0, 0, 0, 0, 255, 255, 255};
    std::copy(std::begin(head), std::end(head), expected.begin());
    expected[65] = 1;
    expected[66] = 38;
    expected[67] = 0;
    expected[68] = 1;
    EXPECT_EQ(header, expected);
}

}  // namespace
}  // namespace zk
