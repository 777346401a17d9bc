#include "engine/picture/picture_file.h"

#include <gtest/gtest.h>

#include "engine/model/payload_codec.h"
#include "engine/picture/pcx_image_buffer.h"
#include "tests/engine/picture/picture_builders.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using test::BmpLayout;
using test::Bytes;
using test::PcxLayout;

class PictureFileTest : public test::EngineTest {
protected:
    Bytes Staged() const
    {
        const auto image = PcxImageBuffer.Image();
        return Bytes(image.begin(), image.end());
    }
};

constexpr const char* kMono = "Not monochrome graphics";

struct LoadCase {
    const char* what;
    Bytes file;
    int result;
    const char* caption;  // null: no message
    const char* text;
};

PcxLayout Pcx(void (*change)(PcxLayout&))
{
    PcxLayout layout;
    change(layout);
    return layout;
}

BmpLayout Bmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount = 1)
{
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bitCount;
    return layout;
}

TEST_F(PictureFileTest, SizeLimitsAndMessages)
{
    const LoadCase cases[] = {
        {"PCX of 130 bytes", test::MakePcx({}), 1, nullptr, nullptr},
        {"PCX of 129 bytes", test::MakePcx(Pcx([](PcxLayout& s) { s.fileSize = 129; })), 0, "Error", "File too big"},
        {"PCX of 49280 bytes", test::MakePcx(Pcx([](PcxLayout& s) { s.fileSize = 49280; })), 1, nullptr, nullptr},
        {"PCX of 49281 bytes", test::MakePcx(Pcx([](PcxLayout& s) { s.fileSize = 49281; })), 0, "Error", "File too big"},
        {"PCX of 2 bits per pixel", test::MakePcx(Pcx([](PcxLayout& s) { s.bitsPerPixel = 2; })), 0, kMono,
         "Use Color to Black && White converter"},
        {"PCX of 2 planes", test::MakePcx(Pcx([](PcxLayout& s) { s.planes = 2; })), 0, kMono,
         "Use Color to Black && White converter"},
        {"PCX of 127 bytes per line", test::MakePcx(Pcx([](PcxLayout& s) { s.bytesPerLine = 127; })), 0, "Error",
         "Horizontal size too big"},
        {"PCX of 126 bytes per line", test::MakePcx(Pcx([](PcxLayout& s) { s.bytesPerLine = 126; })), 1, nullptr,
         nullptr},
        {"PCX of 1600 rows", test::MakePcx(Pcx([](PcxLayout& s) { s.ymax = 1599; })), 1, nullptr, nullptr},
        {"PCX of 1601 rows", test::MakePcx(Pcx([](PcxLayout& s) { s.ymax = 1600; })), 0, "Error",
         "Vertical size too big"},
        {"PCX: rows too many, then not monochrome: the later check wins",
         test::MakePcx(Pcx([](PcxLayout& s) { s.ymax = 1600; s.planes = 2; })), 0, kMono,
         "Use Color to Black && White converter"},
        {"PCX: not monochrome, then rows too many: the later check wins",
         test::MakePcx(Pcx([](PcxLayout& s) { s.ymax = 1600; s.bitsPerPixel = 4; })), 0, "Error",
         "Vertical size too big"},
        {"PCX wider than its rows", test::MakePcx(Pcx([](PcxLayout& s) { s.xmax = 16; })), 0, "Error",
         "Horizontal size too big"},
        {"BMP 1007 dots wide", test::MakeBmp(Bmp(1007, 1)), 2, nullptr, nullptr},
        {"BMP 1008 dots wide", test::MakeBmp(Bmp(1008, 1)), 0, "Error", "Horizontal size too big"},
        {"BMP 0 dots wide", test::MakeBmp(Bmp(0, 40)), 0, "Error", "Horizontal size too big"},
        {"BMP of 1600 rows", test::MakeBmp(Bmp(1, 1600)), 2, nullptr, nullptr},
        {"BMP of 1601 rows", test::MakeBmp(Bmp(1, 1601)), 0, "Error", "Vertical size too big"},
        {"BMP of no rows and no width: the height test comes later", test::MakeBmp(Bmp(0, 0)), 0, "Error",
         "Vertical size too big"},
        {"BMP of 24 bits per pixel", test::MakeBmp(Bmp(8, 4, 24)), 0, kMono, "Use Color to Black && White converter"},
        {"BMP of 127 bytes", [] { BmpLayout s = Bmp(8, 1); s.padTo = 127; return test::MakeBmp(s); }(), 0, "Error",
         "File too big"},
        {"BMP above 63488 bytes", test::MakeBmp(Bmp(1000, 500)), 0, "Error", "File too big"},
        {"BMP whose rows are cut off", [] { Bytes b = test::MakeBmp(Bmp(64, 40)); b.resize(200); return b; }(), 0,
         "Error", "Invalid graphics format"},
        {"neither PCX nor BMP", Bytes(200, 'x'), 0, "Error", "Invalid graphics format"},
        {"an empty file", Bytes{}, 0, "Error", "Invalid graphics format"},
    };
    for (const auto& c : cases) {
        ui.messageBoxes.clear();
        EXPECT_EQ(LoadPictureBytes(c.file), c.result) << c.what;
        if (c.caption == nullptr) {
            EXPECT_TRUE(ui.messageBoxes.empty()) << c.what;
        } else {
            ASSERT_EQ(ui.messageBoxes.size(), 1u) << c.what;
            EXPECT_EQ(ui.messageBoxes[0].caption, c.caption) << c.what;
            EXPECT_EQ(ui.messageBoxes[0].text, c.text) << c.what;
        }
    }
}

TEST_F(PictureFileTest, PcxIsStagedAsItIsEvenWhenALaterCheckFails)
{
    const Bytes file = test::MakePcx(Pcx([](PcxLayout& s) { s.planes = 2; s.fileSize = 300; }));
    EXPECT_EQ(LoadPictureBytes(file), 0);
    EXPECT_EQ(Staged(), file);
}

// A 16 x 2 picture: row 0 black left half, row 1 all paper.
const Bytes kRow0 = {0x00, 0xFF};
const Bytes kRow1 = {0xFF, 0xFF};

Bytes ExpectedConverted16x2()
{
    Bytes header(128, 0);
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = 1;
    header[8] = 15;  // Xmax
    header[10] = 1;  // Ymax
    header[12] = 120;
    header[14] = 120;
    for (int i = 0; i < 16; ++i) {
        header[16 + 3 * i] = header[17 + 3 * i] = header[18 + 3 * i] = static_cast<std::uint8_t>(15 - i);
    }
    header[65] = 1;
    header[66] = 2;  // bytes per line
    header[68] = 1;  // palette information
    const Bytes rows = {0x00, 0xC1, 0xFF, 0xC2, 0xFF};
    header.insert(header.end(), rows.begin(), rows.end());
    return header;
}

TEST_F(PictureFileTest, BmpConvertsToPcxInEitherRowOrder)
{
    for (const std::int32_t height : {2, -2}) {
        BmpLayout layout = Bmp(16, height);
        layout.rowsFromTop = {kRow0, kRow1};
        EXPECT_EQ(LoadPictureBytes(test::MakeBmp(layout)), 2) << height;
        EXPECT_EQ(Staged(), ExpectedConverted16x2()) << height;
    }
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(PictureFileTest, WhiteFirstPaletteIsInvertedSoBlackStaysBlack)
{
    BmpLayout layout = Bmp(16, 2);
    layout.palette0 = 0x00FFFFFF;
    layout.palette1 = 0x00000000;
    layout.rowsFromTop = {{0xFF, 0x00}, {0x00, 0x00}};  // bit 1 = black here
    EXPECT_EQ(LoadPictureBytes(test::MakeBmp(layout)), 2);
    EXPECT_EQ(Staged(), ExpectedConverted16x2());
}

TEST_F(PictureFileTest, DotsPastTheWidthArePaper)
{
    BmpLayout layout = Bmp(10, 1);
    layout.rowsFromTop = {{0x00, 0x00}};
    EXPECT_EQ(LoadPictureBytes(test::MakeBmp(layout)), 2);
    const Bytes staged = Staged();
    ASSERT_EQ(staged.size(), 128u + 2u);
    EXPECT_EQ(GetLe16(&staged[66]), 2);
    EXPECT_EQ(staged[128], 0x00);
    EXPECT_EQ(staged[129], 0x3F);  // 6 padding dots white, a literal at the row end
}

TEST_F(PictureFileTest, ConvertedImageMustStayUnderTheLimit)
{
    // Every byte of these rows needs two bytes: 252 per row of 126 bytes.
    Bytes row(126);
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = (i % 2 == 0) ? 0xAA : 0xBB;
    }
    for (const auto& [rows, result] : {std::pair{194, 2}, std::pair{195, 0}}) {
        ui.messageBoxes.clear();
        BmpLayout layout = Bmp(1007, rows);
        layout.rowsFromTop.assign(static_cast<std::size_t>(rows), row);
        EXPECT_EQ(LoadPictureBytes(test::MakeBmp(layout)), result) << rows;
        if (result == 2) {
            EXPECT_EQ(PcxImageBuffer.PcxImageLength, 128 + 252 * rows);
        } else {
            EXPECT_EQ(ui.OnlyMessage(), "File too big");
        }
    }
}

TEST_F(PictureFileTest, FileLoaderReadsFromDisk)
{
    const std::string path = (TempDir() / "picture.pcx").string();
    const Bytes file = test::MakePcx({});
    test::WriteFile(path, file);
    EXPECT_EQ(LoadPictureFile(path), 1);
    EXPECT_EQ(Staged(), file);

    EXPECT_EQ(LoadPictureFile((TempDir() / "missing.pcx").string()), 0);
    EXPECT_EQ(ui.OnlyMessage(), "Can't open input file");
    EXPECT_EQ(ui.messageBoxes.back().caption, "Error");
}

}  // namespace
}  // namespace zk
