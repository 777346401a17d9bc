#include "shell/thumbnail_image.h"

#include <QImage>

#include "shell/shell_list.h"
#include "tests/shell/temp_folders.h"

namespace zk {
namespace {

class ThumbnailImageTest : public test::TempFolders {
protected:
    void SetUp() override
    {
        MakeDir("home/pictures");
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(picture.save(QString::fromStdString(Path("home/pictures/p.png"))));
        MakeFile("home/pictures/notes.txt", "text");
    }
    bool Settled(const TQorThumbnailImage& panel) { return WaitFor([&] { return !panel.Extracting(); }); }
};

TEST_F(ThumbnailImageTest, NewPanelIsASmallWhiteSquareWithoutImage)
{
    TQorThumbnailImage panel;
    EXPECT_EQ(panel.size(), QSize(64, 64));
    EXPECT_EQ(panel.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(panel.ImageVisible());
}

TEST_F(ThumbnailImageTest, ShowsThePictureOfItsPath)
{
    TQorThumbnailImage panel;
    panel.SetPath(Path("home/pictures/p.png"));
    ASSERT_TRUE(Settled(panel));
    EXPECT_TRUE(panel.ImageVisible());
    EXPECT_EQ(panel.Picture().size(), QSize(40, 20));
    panel.SetPath(Path("home/pictures/notes.txt"));
    ASSERT_TRUE(Settled(panel));
    EXPECT_FALSE(panel.ImageVisible());
}

TEST_F(ThumbnailImageTest, FollowsTheFileSelectedInALinkedList)
{
    TQorShellLink link;
    TQorShellList list;
    TQorThumbnailImage panel;
    list.SetShellLink(&link);
    panel.SetShellLink(&link);
    list.SetPath(Path("home/pictures"));
    list.SelectItem(list.IndexOfPIDL(Path("home/pictures/p.png")));
    ASSERT_TRUE(Settled(panel));
    EXPECT_EQ(panel.Path(), Path("home/pictures/p.png"));
    EXPECT_TRUE(panel.ImageVisible());

    list.ClearSelection();
    list.SelectItem(list.IndexOfPIDL(Path("home/pictures/notes.txt")));
    ASSERT_TRUE(Settled(panel));
    EXPECT_EQ(panel.Path(), Path("home/pictures/notes.txt"));
    EXPECT_FALSE(panel.ImageVisible());
}

TEST_F(ThumbnailImageTest, DisablingHidesEnablingMakesItAgain)
{
    TQorThumbnailImage panel;
    panel.SetPath(Path("home/pictures/p.png"));
    ASSERT_TRUE(Settled(panel));
    panel.setEnabled(false);
    EXPECT_FALSE(panel.ImageVisible());
    panel.setEnabled(true);
    EXPECT_TRUE(panel.Extracting());
    ASSERT_TRUE(Settled(panel));
    EXPECT_TRUE(panel.ImageVisible());
}

TEST_F(ThumbnailImageTest, OnlyTheLatestRequestIsShown)
{
    TQorThumbnailImage panel;
    panel.SetPath(Path("home/pictures/p.png"));
    panel.SetPath(Path("home/pictures/notes.txt"));
    ASSERT_TRUE(Settled(panel));
    QTest::qWait(50);  // an abandoned result arriving late changes nothing
    EXPECT_FALSE(panel.ImageVisible());
}

}  // namespace
}  // namespace zk
