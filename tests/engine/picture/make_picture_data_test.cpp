#include <gtest/gtest.h>

#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/picture/picture_data.h"
#include "tests/engine/picture/picture_builders.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class MakePictureDataTest : public test::EngineTest {};

TEST_F(MakePictureDataTest, FromFileBuildsTheHandOverBlock)
{
    test::BmpLayout layout;
    layout.width = 16;
    layout.height = 2;
    layout.rowsFromTop = {{0x00, 0xFF}, {0xFF, 0xFF}};
    const std::string path = (TempDir() / "logo.bmp").string();
    test::WriteFile(path, test::MakeBmp(layout));

    ASSERT_TRUE(MakePictureData(path, true));
    ASSERT_TRUE(NewPictureData);
    EXPECT_EQ(NewPictureData->RefCount, 1u);
    EXPECT_EQ(NewPictureData->BytesPerLine, 2);
    EXPECT_EQ(NewPictureData->Rows, (std::vector<std::uint8_t>{0x00, 0xC1, 0xFF, 0xC2, 0xFF}));
    EXPECT_EQ(NewPictureDataLength, 7);
    EXPECT_EQ(NewPictureWidth, 16);
    EXPECT_EQ(NewPictureHeight, 2);
}

TEST_F(MakePictureDataTest, FailedLoadKeepsThePreviousBlock)
{
    const std::string good = (TempDir() / "good.pcx").string();
    test::WriteFile(good, test::MakePcx({}));
    ASSERT_TRUE(MakePictureData(good, true));
    const auto previous = NewPictureData;

    EXPECT_FALSE(MakePictureData((TempDir() / "missing.pcx").string(), true));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open input file");
    EXPECT_EQ(NewPictureData, previous);
}

TEST_F(MakePictureDataTest, LoadedPictureSharedByFiguresSurvivesTheLabelFile)
{
    const std::string path = (TempDir() / "p.pcx").string();
    test::WriteFile(path, test::MakePcx({}));
    for (int i = 0; i < 3; ++i) {
        TPictureFigure picture;
        picture.Name = "OLD";
        ASSERT_EQ(AppendFigure(picture), 0);
    }
    ASSERT_TRUE(MakePictureData(path, true));
    EXPECT_EQ(RepointPictureFigures(nullptr, "OLD", NewPictureData, "LOGO"), 3u);

    const auto file = EncodeLabelFile();
    ClearFigureList();
    NewPictureData.reset();
    ASSERT_EQ(ReadLabelImage(file), LabelReadResult::Complete);
    const TPictureFigure& first = FigureList.FigureHead->Picture();
    ASSERT_TRUE(first.Data);
    EXPECT_EQ(first.Data->RefCount, 3u);
    EXPECT_EQ(first.DataLength, 4);
    EXPECT_EQ(first.Name, "LOGO");
    EXPECT_EQ(FigureList.FigureTail->Picture().Data, first.Data);
}

}  // namespace
}  // namespace zk
