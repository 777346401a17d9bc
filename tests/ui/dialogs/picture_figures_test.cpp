// Picture names and shared picture blocks as the picture dialog changes them.

#include <gtest/gtest.h>

#include "engine/model/figure_list.h"
#include "tests/support/engine_fixture.h"
#include "ui/dialogs/picture_figures.h"

namespace zk::test {
namespace {

class PictureFiguresTest : public EngineTest {
protected:
    static TPictureFigure& AddPicture(const char* name, std::shared_ptr<TPictureData> data)
    {
        TPictureFigure picture;
        picture.Name = name;
        picture.Data = std::move(data);
        EXPECT_EQ(AppendFigure(picture), 0);
        return FigureList.FigureTail->Picture();
    }
};

TEST_F(PictureFiguresTest, ANameIsFreeUnlessAnotherPictureHasIt)
{
    AddPicture("LOGO", nullptr);
    AppendFigure(TTextFigure{});
    EXPECT_FALSE(PictureNameIsFree("LOGO", ""));
    EXPECT_TRUE(PictureNameIsFree("LOGO", "LOGO"));  // the edited picture keeps its own name
    EXPECT_TRUE(PictureNameIsFree("LOGO2", ""));
    EXPECT_TRUE(PictureNameIsFree("logo", ""));
}

TEST_F(PictureFiguresTest, RenamingRenamesTheWholeGroup)
{
    TPictureFigure& a = AddPicture("A", nullptr);
    TPictureFigure& b = AddPicture("B", nullptr);
    TPictureFigure& a2 = AddPicture("A", nullptr);
    RenamePictureFigureGroup("A", "C");
    EXPECT_EQ(a.Name, "C");
    EXPECT_EQ(b.Name, "B");
    EXPECT_EQ(a2.Name, "C");
}

TEST_F(PictureFiguresTest, RepointingMovesEveryFigureOfTheOldBlock)
{
    auto oldBlock = std::make_shared<TPictureData>();
    oldBlock->RefCount = 2;
    auto otherBlock = std::make_shared<TPictureData>();
    otherBlock->RefCount = 1;
    TPictureFigure& a = AddPicture("OLD", oldBlock);
    TPictureFigure& other = AddPicture("OTHER", otherBlock);
    TPictureFigure& b = AddPicture("OLD", oldBlock);
    const std::weak_ptr<TPictureData> oldWatch = oldBlock;
    oldBlock.reset();

    TNewPicture picture{std::make_shared<TPictureData>(), 64, 32, 258};
    picture.Data->RefCount = 1;
    RepointPictureFigureGroup(a.Data, picture, "NEW");

    EXPECT_EQ(picture.Data->RefCount, 2u);
    for (const TPictureFigure* moved : {&a, &b}) {
        EXPECT_EQ(moved->Data, picture.Data);
        EXPECT_EQ(moved->Width, 64);
        EXPECT_EQ(moved->Height, 32);
        EXPECT_EQ(moved->DataLength, 258);
        EXPECT_EQ(moved->Name, "NEW");
    }
    EXPECT_EQ(other.Data, otherBlock);
    EXPECT_EQ(other.Name, "OTHER");
    EXPECT_TRUE(oldWatch.expired());
}

TEST_F(PictureFiguresTest, RepointingFromNoBlockMovesNothing)
{
    TPictureFigure& blockless = AddPicture("X", nullptr);
    TNewPicture picture{std::make_shared<TPictureData>(), 8, 8, 10};
    RepointPictureFigureGroup(nullptr, picture, "Y");
    EXPECT_EQ(picture.Data->RefCount, 0u);
    EXPECT_EQ(blockless.Data, nullptr);
    EXPECT_EQ(blockless.Name, "X");
}

}  // namespace
}  // namespace zk::test
