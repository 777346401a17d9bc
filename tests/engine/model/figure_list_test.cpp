#include "engine/model/figure_list.h"

#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "engine/model/templates.h"
#include "engine/model/variables.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class FigureListTest : public test::EngineTest {
protected:
    static TFigurePayload Bar(std::int16_t x) { return TBarFigure{x, 0, 10, 10, 0}; }
    static std::vector<int> Xs()
    {
        std::vector<int> xs;
        for (TFigure* f : Figures()) {
            xs.push_back(f->Bar().X);
        }
        return xs;
    }
    static void CheckLinks()
    {
        const TFigure* prev = nullptr;
        for (const TFigure* f = FigureList.FigureHead; f != nullptr; f = f->Next) {
            EXPECT_EQ(f->Prev, prev);
            prev = f;
        }
        EXPECT_EQ(FigureList.FigureTail, prev);
    }
};

TEST_F(FigureListTest, AppendAndInsertKeepOrderAndLinks)
{
    ASSERT_EQ(AppendFigure(Bar(1)), 0);
    ASSERT_EQ(AppendFigure(Bar(2)), 0);
    ASSERT_EQ(InsertFigureAtHead(Bar(0)), 0);
    EXPECT_EQ(Xs(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(CountFigures(), 3u);
    CheckLinks();
    for (TFigure* f : Figures()) {
        EXPECT_EQ(f->Flags, 0);
        EXPECT_EQ(f->PasteMark, 0);
        EXPECT_EQ(f->Kind(), TFigureKind::Bar);
    }
}

TEST_F(FigureListTest, InsertIntoEmptyListMakesHeadAndTail)
{
    ASSERT_EQ(InsertFigureAtHead(Bar(5)), 0);
    EXPECT_EQ(FigureList.FigureHead, FigureList.FigureTail);
    CheckLinks();
}

TEST_F(FigureListTest, DeleteHeadMiddleTailAndOnly)
{
    for (std::int16_t x = 0; x < 4; ++x) AppendFigure(Bar(x));
    DeleteFigure(FigureList.FigureHead);
    EXPECT_EQ(Xs(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(FigureList.FigureHead->Prev, nullptr);
    DeleteFigure(FigureList.FigureTail);
    EXPECT_EQ(Xs(), (std::vector<int>{1, 2}));
    EXPECT_EQ(FigureList.FigureTail->Next, nullptr);
    AppendFigure(Bar(9));
    DeleteFigure(FigureList.FigureHead->Next);
    EXPECT_EQ(Xs(), (std::vector<int>{1, 9}));
    CheckLinks();
    DeleteFigure(FigureList.FigureHead);
    DeleteFigure(FigureList.FigureHead);
    EXPECT_EQ(FigureList.FigureHead, nullptr);
    EXPECT_EQ(FigureList.FigureTail, nullptr);
    DeleteFigure(nullptr);
    EXPECT_EQ(CountFigures(), 0u);
}

TEST_F(FigureListTest, RangeAllowsDeletingTheCurrentFigure)
{
    for (std::int16_t x = 0; x < 5; ++x) AppendFigure(Bar(x));
    for (TFigure* f : Figures()) {
        if (f->Bar().X % 2 == 0) DeleteFigure(f);
    }
    EXPECT_EQ(Xs(), (std::vector<int>{1, 3}));
    CheckLinks();
}

TEST_F(FigureListTest, SharedPictureDataIsCountedAndReleased)
{
    auto data = std::make_shared<TPictureData>();
    data->RefCount = 2;
    std::weak_ptr<TPictureData> watch = data;
    TPictureFigure picture;
    picture.Name = "LOGO";
    picture.Data = data;
    AppendFigure(picture);
    AppendFigure(picture);
    picture.Data.reset();
    data.reset();

    DeleteFigure(FigureList.FigureHead);
    ASSERT_FALSE(watch.expired());
    EXPECT_EQ(FigureList.FigureHead->Picture().Data->RefCount, 1u);
    DeleteFigure(FigureList.FigureHead);
    EXPECT_TRUE(watch.expired());
}

TEST_F(FigureListTest, ClearFreesFontBlocksAndPdfText)
{
    auto font = std::make_shared<TFontData>();
    std::weak_ptr<TFontData> watch = font;
    TSoftFontFigure softFont;
    softFont.Letter = "A";
    softFont.Data = std::move(font);
    AppendFigure(softFont);
    softFont.Data.reset();
    TPdf417Figure pdf;
    pdf.Data = "\"hello\"";
    AppendFigure(pdf);

    EXPECT_EQ(CountFigures(), 2u);  // soft fonts count
    ClearFigureList();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(FigureList.FigureHead, nullptr);
    EXPECT_EQ(FigureList.FigureTail, nullptr);
}

TEST_F(FigureListTest, TemplatesGetTheirDefaults)
{
    Settings.PictureNumber = 12345;
    InitDefaultFigures();
    EXPECT_EQ(TextTemplate.Font, 3);
    EXPECT_EQ(TextTemplate.Data, "\"Text\"");
    EXPECT_EQ(BarcodeTemplate.Type, 8);
    EXPECT_EQ(BarcodeTemplate.Data, "\"123456789012\"");
    EXPECT_EQ(BarcodeTemplate.HumanReadable, 2);
    EXPECT_EQ(LineTemplate.X2, 140);
    EXPECT_EQ(BoxTemplate.Thickness, 4);
    EXPECT_EQ(PictureTemplate.Name, "PICT2345");
    EXPECT_EQ(PictureTemplate.Data, nullptr);
    EXPECT_EQ(Pdf417Template.MaxCols, 16);
    EXPECT_EQ(Pdf417Template.ModuleHeight, 24);
    EXPECT_EQ(Pdf417Template.Position, 1);
    EXPECT_EQ(Pdf417DataBuffer, "\"PDF417\"");
}

TEST_F(FigureListTest, ClearVarsCountersKeepsTexts)
{
    for (auto& v : Variables) {
        v.Defined = 1;
        v.Prompt = "Name?";
        v.Value = "Smith";
    }
    for (auto& c : Counters) c.Defined = 1;
    EXPECT_EQ(CountDefinedVarsCounters(), 40u);
    ClearVarsCounters();
    EXPECT_EQ(CountDefinedVarsCounters(), 0u);
    EXPECT_EQ(Variables[31].Prompt.view(), "Name?");
    EXPECT_EQ(Variables[31].Value.view(), "Smith");
}

TEST_F(FigureListTest, UnlinkAndRelinkMoveANodeWithoutCopying)
{
    for (std::int16_t x = 0; x < 3; ++x) AppendFigure(Bar(x));
    TFigure* middle = FigureList.FigureHead->Next;
    UnlinkFigure(middle);
    EXPECT_EQ(middle->Prev, nullptr);
    EXPECT_EQ(middle->Next, nullptr);
    EXPECT_EQ(Xs(), (std::vector<int>{0, 2}));
    CheckLinks();
    LinkFigureAtTail(middle);
    EXPECT_EQ(Xs(), (std::vector<int>{0, 2, 1}));
    CheckLinks();
    TFigure* tail = FigureList.FigureTail;
    UnlinkFigure(tail);
    LinkFigureAtHead(tail);
    EXPECT_EQ(Xs(), (std::vector<int>{1, 0, 2}));
    CheckLinks();
    EXPECT_EQ(FigureList.FigureHead, middle);
}

TEST_F(FigureListTest, UnlinkTheOnlyNodeEmptiesTheList)
{
    AppendFigure(Bar(7));
    TFigure* only = FigureList.FigureHead;
    UnlinkFigure(only);
    EXPECT_EQ(FigureList.FigureHead, nullptr);
    EXPECT_EQ(FigureList.FigureTail, nullptr);
    LinkFigureAtHead(only);
    EXPECT_EQ(FigureList.FigureHead, only);
    EXPECT_EQ(FigureList.FigureTail, only);
}

TEST(FixedStringTest, FullFieldWithoutNulIsBoundedAtItsSize)
{
    TVariable variable;
    variable.Prompt = std::string(40, 'P');
    variable.Value = "value";
    EXPECT_EQ(variable.Prompt.view(), std::string(27, 'P'));
    FixedString<16> format("0123456789ABCDEFGHIJ");
    EXPECT_EQ(format.view(), "0123456789ABCDE");  // 15 characters and a NUL
}

}  // namespace
}  // namespace zk
