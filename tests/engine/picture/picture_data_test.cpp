#include "engine/picture/picture_data.h"

#include <gtest/gtest.h>

#include "engine/model/figure_list.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/picture_file.h"
#include "tests/engine/picture/picture_builders.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class PictureDataTest : public test::EngineTest {
protected:
    static std::shared_ptr<TPictureData> Block(std::uint32_t refCount, std::vector<std::uint8_t> rows)
    {
        auto block = std::make_shared<TPictureData>();
        block->RefCount = refCount;
        block->BytesPerLine = 2;
        block->Rows = std::move(rows);
        return block;
    }

    static void AddPicture(const char* name, std::shared_ptr<TPictureData> data)
    {
        TPictureFigure picture;
        picture.Name = name;
        picture.Width = 16;
        picture.Height = 1;
        picture.DataLength = data ? static_cast<std::uint16_t>(data->BlockLength()) : 0;
        picture.Data = std::move(data);
        ASSERT_EQ(AppendFigure(picture), 0);
    }

    static std::vector<TPictureFigure*> Pictures()
    {
        std::vector<TPictureFigure*> pictures;
        for (TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Picture)) {
                pictures.push_back(&figure->Picture());
            }
        }
        return pictures;
    }
};

TEST_F(PictureDataTest, BlockIsCutFromTheStagedPcx)
{
    test::PcxLayout layout;
    layout.xmax = 9;
    layout.ymax = 2;
    layout.fileSize = 134;
    ASSERT_EQ(LoadPictureBytes(test::MakePcx(layout)), 1);
    ASSERT_TRUE(MakePictureDataFromBuffer());
    ASSERT_TRUE(NewPictureData);
    EXPECT_EQ(NewPictureData->RefCount, 1u);
    EXPECT_EQ(NewPictureData->BytesPerLine, 2);
    EXPECT_EQ(NewPictureData->Rows, std::vector<std::uint8_t>(6, 0xFF));
    EXPECT_EQ(NewPictureDataLength, 134 - 126);
    EXPECT_EQ(NewPictureWidth, 10);
    EXPECT_EQ(NewPictureHeight, 3);
}

TEST_F(PictureDataTest, AStagedImageWithoutAPictureHeaderBuildsNothing)
{
    ASSERT_EQ(LoadPictureBytes(test::MakePcx({})), 1);
    ASSERT_TRUE(MakePictureDataFromBuffer());
    const auto previous = NewPictureData;
    for (const std::uint16_t length : {0, 127}) {
        PcxImageBuffer.PcxImageLength = length;
        EXPECT_FALSE(MakePictureDataFromBuffer()) << length;
    }
    PcxImageBuffer.PcxImageLength = 130;
    PcxImageBuffer.PcxImage[66] = 127;  // bytes per line beyond a printer row
    EXPECT_FALSE(MakePictureDataFromBuffer());
    EXPECT_EQ(NewPictureData, previous);
}

TEST_F(PictureDataTest, NameIsFreeUnlessAnotherPictureHasIt)
{
    AddPicture("LOGO", nullptr);
    ASSERT_EQ(AppendFigure(TTextFigure{}), 0);
    struct Case {
        const char* newName;
        const char* oldName;
        bool free;
    } const cases[] = {
        {"LOGO", "LOGO", true},   // keeping its own name
        {"LOGO", "OTHER", false}, // taking a name in use
        {"NEW", "LOGO", true},
        {"", "LOGO", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPictureNameFree(c.newName, c.oldName), c.free) << c.newName << " / " << c.oldName;
    }
}

TEST_F(PictureDataTest, RenameRenamesEveryFigureOfThatName)
{
    auto shared = Block(2, {1, 2});
    AddPicture("A", shared);
    AddPicture("B", nullptr);
    AddPicture("A", shared);
    RenamePictureFigures("A", "C");
    const auto pictures = Pictures();
    EXPECT_EQ(pictures[0]->Name, "C");
    EXPECT_EQ(pictures[1]->Name, "B");
    EXPECT_EQ(pictures[2]->Name, "C");
}

TEST_F(PictureDataTest, RepointMovesEveryFigureOfTheOldBlock)
{
    auto oldBlock = Block(3, {1, 2});
    auto other = Block(1, {9});
    AddPicture("A", oldBlock);
    AddPicture("B", other);
    AddPicture("A", oldBlock);
    AddPicture("A", oldBlock);
    auto newBlock = Block(1, {7, 7, 7, 7});
    NewPictureWidth = 32;
    NewPictureHeight = 5;

    EXPECT_EQ(RepointPictureFigures(oldBlock, "A", newBlock, "NEWPIC"), 3u);

    EXPECT_EQ(newBlock->RefCount, 3u);
    EXPECT_EQ(oldBlock->RefCount, 0u);
    EXPECT_EQ(other->RefCount, 1u);
    const auto pictures = Pictures();
    for (const std::size_t i : {0u, 2u, 3u}) {
        EXPECT_EQ(pictures[i]->Data, newBlock);
        EXPECT_EQ(pictures[i]->Name, "NEWPIC");
        EXPECT_EQ(pictures[i]->Width, 32);
        EXPECT_EQ(pictures[i]->Height, 5);
        EXPECT_EQ(pictures[i]->DataLength, 6);
    }
    EXPECT_EQ(pictures[1]->Data, other);
    EXPECT_EQ(pictures[1]->Name, "B");
}

TEST_F(PictureDataTest, RepointFromNoDataMovesOnlyFiguresOfThatName)
{
    AddPicture("FAILED", nullptr);
    AddPicture("OTHER", nullptr);
    AddPicture("FAILED", nullptr);
    auto newBlock = Block(1, {7});

    EXPECT_EQ(RepointPictureFigures(nullptr, "FAILED", newBlock, "FAILED"), 2u);

    EXPECT_EQ(newBlock->RefCount, 2u);
    const auto pictures = Pictures();
    EXPECT_EQ(pictures[0]->Data, newBlock);
    EXPECT_EQ(pictures[1]->Data, nullptr);
    EXPECT_EQ(pictures[2]->Data, newBlock);
}

}  // namespace
}  // namespace zk
