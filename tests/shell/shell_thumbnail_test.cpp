#include "shell/shell_thumbnail.h"

#include <QImage>

#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

class ShellThumbnailTest : public test::TempFolders {
protected:
    std::string Picture(const std::string& name, int width, int height, const char* format = "PNG")
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setPixel(0, 0, qRgb(0, 0, 255));
        EXPECT_TRUE(image.save(QString::fromStdString(Path(name)), format));
        return Path(name);
    }
};

TEST_F(ShellThumbnailTest, PictureFitsTheBoxWithItsProportions)
{
    struct Case {
        int width, height;     // of the picture
        int boxW, boxH;        // asked for
        int expectW, expectH;  // of the thumbnail
    };
    const Case cases[] = {
        {200, 100, 64, 64, 64, 32},  // wide: width fills
        {100, 200, 64, 64, 32, 64},  // tall: height fills
        {20, 10, 64, 64, 20, 10},    // small: never enlarged
        {200, 100, 0, 64, 64, 32},   // no box: 64 x 64
        {1000, 1, 64, 64, 64, 1},    // a line keeps a pixel
    };
    for (const Case& c : cases) {
        const QImage thumbnail = GetThumbnailBitmap(Picture("p.png", c.width, c.height), c.boxW, c.boxH);
        EXPECT_EQ(thumbnail.size(), QSize(c.expectW, c.expectH)) << c.width << "x" << c.height;
    }
}

TEST_F(ShellThumbnailTest, KeepsThePictureContent)
{
    const QImage thumbnail = GetThumbnailBitmap(Picture("p.png", 16, 16), 64, 64);
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(QColor(thumbnail.pixel(0, 0)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(thumbnail.pixel(8, 8)), QColor(Qt::red));
}

// A name from an older system that is no UTF-8 names the picture all the same.
TEST_F(ShellThumbnailTest, APictureWhoseNameIsNoUtf8HasAThumbnail)
{
    const std::string named = Path("\xE4.png");
    std::filesystem::rename(Picture("p.png", 16, 16), named);
    const QImage thumbnail = GetThumbnailBitmap(named, 64, 64);
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(QColor(thumbnail.pixel(0, 0)), QColor(0, 0, 255));
}

TEST_F(ShellThumbnailTest, NoThumbnailForOtherObjects)
{
    MakeFile("notes.txt", "not a picture");
    MakeFile("broken.png", "\x89PNG\r\n\x1a\n truncated");
    MakeDir("folder.png");
    for (const char* name : {"notes.txt", "broken.png", "folder.png", "missing.png"}) {
        EXPECT_TRUE(GetThumbnailBitmap(Path(name), 64, 64).isNull()) << name;
    }
}

}  // namespace
}  // namespace zk
