#include <gtest/gtest.h>

#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "tests/engine/labelfile/byte_table.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

class LabelFileFormatTest : public test::EngineTest {
protected:
    // A small label using every record type.
    void BuildSampleLabel()
    {
        TLabelSetup& s = LabelSetup;
        s.LabelWidth = 400;
        s.LabelLength = 240;
        s.LeftMargin = -10;
        s.TopMargin = 20;
        s.LabelOffset = -5;
        s.Orientation = 1;
        s.NormalSpacing = 0;
        s.Darkness = 10;
        s.Speed = 3;
        s.Language = 2;
        s.LabelGap = 24;
        s.PaperType = 1;
        s.DateFormat = "DD-MN-Y4";
        s.TimeFormat = "H:M";

        TVariable& lot = Variables[3];
        lot.Defined = 1;
        lot.Length = 5;
        lot.Justification = 1;
        lot.PadChar = '0';
        lot.Prompt = "Lot";
        lot.Value = "123";
        TVariable& count = Counters[1];
        count.Defined = 1;
        count.Length = 4;
        count.Justification = 3;
        count.PadChar = '0';
        count.Step = -1;
        count.Prompt = "Count";
        count.Value = "0007";
        Variables[5].Prompt = "not defined, not written";

        TTextFigure text;
        text.X = 10;
        text.Y = 20;
        text.VMult = 2;
        text.Font = 7;
        text.Attributes = 0x100;
        text.Rotation = 1;
        text.Data = "\"AB\"";
        ASSERT_EQ(AppendFigure(text), 0);

        ASSERT_EQ(AppendFigure(TBarFigure{1, 2, 3, 4, 1}), 0);

        block = std::make_shared<TPictureData>();
        block->RefCount = 2;
        block->BytesPerLine = 2;
        block->Rows = {0xC2, 0xFF};
        for (const std::int16_t x : {5, 7}) {
            TPictureFigure picture;
            picture.X = x;
            picture.Y = static_cast<std::int16_t>(x + 1);
            picture.Width = 16;
            picture.Height = 1;
            picture.DataLength = 4;
            picture.Name = "P";
            picture.Data = block;
            ASSERT_EQ(AppendFigure(picture), 0);
        }

        TSoftFontFigure font;
        font.CharCount = 1;
        font.Height = 2;
        font.DataLength = 5;
        font.Letter = "Q";
        font.Data = std::make_shared<TFontData>(TFontData{{1, 0, 2, 0x41, 1}});
        ASSERT_EQ(AppendFigure(font), 0);

        TPdf417Figure pdf;
        pdf.X = 10;
        pdf.Y = 11;
        pdf.MaxWidth = 300;
        pdf.MaxHeight = 100;
        pdf.SecurityLevel = 2;
        pdf.ModuleWidth = 2;
        pdf.ModuleHeight = 4;
        pdf.Data = "HI";
        ASSERT_EQ(AppendFigure(pdf), 0);
    }

    // Drops the figures and the setup; variables stay, so that a reader
    // which failed to zero them would be seen.
    static void ForgetLabel()
    {
        ClearFigureList();
        LabelSetup = TLabelSetup{};
    }

    static std::vector<TFigure*> List()
    {
        std::vector<TFigure*> list;
        for (TFigure* figure : Figures()) {
            list.push_back(figure);
        }
        return list;
    }

    std::shared_ptr<TPictureData> block;
};

Bytes ExpectedSampleBytes()
{
    test::ByteTable t;
    // Header.
    t.Text("ZK7300 FILE", 12);
    t.Be16(400).Be16(240).Be16(0xFFF6).Be16(20).Be16(0xFFFB);
    t.Byte(0x03);  // orientation 1, condensed
    t.Byte(10).Byte(3).Byte(2).Byte(24).Byte(1).Zeros(4);
    t.Text("DD-MN-Y4", 16).Text("H:M", 16);
    // V03, then C01: index, Defined, Length, Justification, PadChar, Step, Prompt[27], Value[64].
    t.Byte('V').Be16(97).Byte(3).Byte(1).Byte(5).Byte(1).Byte('0').Byte(0).Text("Lot", 27).Text("123", 64);
    t.Byte('C').Be16(97).Byte(1).Byte(1).Byte(4).Byte(3).Byte('0').Byte(0xFF).Text("Count", 27).Text("0007", 64);
    // Text in soft font 7, stored as 66.
    t.Byte('A').Be16(17 + 4);
    t.Le16(10).Le16(20).Le16(1).Le16(2).Le16(66).Le16(0x100).Le16(1).Le16(0).Text("\"AB\"", 5);
    t.Byte('R').Be16(10).Le16(1).Le16(2).Le16(3).Le16(4).Le16(1);
    // The first picture of "P" carries the block (RefCount, BytesPerLine, rows) ...
    t.Byte('G').Be16(26).Le16(5).Le16(6).Le16(16).Le16(1).Le16(4).Text("P", 16);
    t.Byte(2).Byte(2).Byte(0xC2).Byte(0xFF);
    // ... the second one none.
    t.Byte('G').Be16(26).Le16(7).Le16(8).Le16(16).Le16(1).Le16(0).Text("P", 16);
    t.Byte('E').Be16(8).Le16(1).Le16(2).Le16(5).Text("Q", 2).Raw({1, 0, 2, 0x41, 1});
    t.Byte('b').Be16(18).Le16(10).Le16(11).Le16(300).Le16(100).Le16(0).Le16(0);
    t.Byte(2).Byte(0).Byte(0).Byte(2).Byte(4).Byte(0);
    t.Be16(3).Text("HI", 3);
    return t.bytes;
}

TEST_F(LabelFileFormatTest, WritesTheExactLayout)
{
    BuildSampleLabel();
    EXPECT_EQ(EncodeLabelFile(), ExpectedSampleBytes());
    for (const TFigure* figure : Figures()) {
        EXPECT_EQ(figure->Flags & FigureFlag::DataWritten, 0);
    }
    EXPECT_EQ(List()[3]->Picture().DataLength, 4);  // the figure keeps its own length
}

TEST_F(LabelFileFormatTest, ReadsBackWhatItWrote)
{
    BuildSampleLabel();
    const Bytes first = EncodeLabelFile();
    ForgetLabel();
    ASSERT_EQ(ReadLabelImage(first), LabelReadResult::Complete);

    EXPECT_EQ(EncodeLabelFile(), first);
    EXPECT_EQ(LabelSetup.LeftMargin, -10);
    EXPECT_EQ(LabelSetup.TopMargin, 20);
    EXPECT_EQ(LabelSetup.LabelOffset, -5);
    EXPECT_EQ(LabelSetup.NormalSpacing, 0);
    EXPECT_EQ(LabelSetup.Orientation, 1);
    EXPECT_EQ(LabelSetup.TimeFormat, "H:M");
    EXPECT_EQ(Counters[1].Step, -1);
    EXPECT_EQ(Variables[3].Value, "123");
    EXPECT_EQ(Variables[5].Prompt, "");  // variables are zeroed whole before reading

    const auto list = List();
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0]->Text().Font, 7);
    const TPictureFigure& a = list[2]->Picture();
    const TPictureFigure& b = list[3]->Picture();
    ASSERT_TRUE(a.Data);
    EXPECT_EQ(a.Data, b.Data);
    EXPECT_EQ(a.Data->RefCount, 2u);
    EXPECT_EQ(b.DataLength, 4);
    EXPECT_EQ(a.Data->Rows, (Bytes{0xC2, 0xFF}));
    EXPECT_EQ(list[4]->SoftFont().Data->Bytes, (Bytes{1, 0, 2, 0x41, 1}));
    EXPECT_EQ(list[5]->Pdf417().Data, "HI");
}

TEST_F(LabelFileFormatTest, ThreeSharersWriteOneBlockAndStillDoAfterTheFirstGoes)
{
    auto shared = std::make_shared<TPictureData>();
    shared->RefCount = 3;
    shared->BytesPerLine = 1;
    shared->Rows = {0xC1, 0x00};
    for (int i = 0; i < 3; ++i) {
        TPictureFigure picture;
        picture.Name = "LOGO";
        picture.DataLength = 4;
        picture.Data = shared;
        ASSERT_EQ(AppendFigure(picture), 0);
    }
    const auto record = [](std::uint16_t dataLength) {
        return test::ByteTable().Byte('G').Be16(26).Zeros(8).Le16(dataLength).Text("LOGO", 16).bytes;
    };
    test::ByteTable expected = test::PlainHeader();
    expected.Raw(record(4)).Byte(3).Byte(1).Byte(0xC1).Byte(0x00).Raw(record(0)).Raw(record(0));
    EXPECT_EQ(EncodeLabelFile(), expected.bytes);

    ForgetLabel();
    ASSERT_EQ(ReadLabelImage(expected.bytes), LabelReadResult::Complete);
    const auto list = List();
    ASSERT_EQ(list.size(), 3u);
    for (const TFigure* figure : list) {
        EXPECT_EQ(figure->Picture().Data, list[0]->Picture().Data);
        EXPECT_EQ(figure->Picture().DataLength, 4);
    }
    EXPECT_EQ(list[0]->Picture().Data->RefCount, 3u);

    DeleteFigure(list[0]);
    test::ByteTable again = test::PlainHeader();
    again.Raw(record(4)).Byte(2).Byte(1).Byte(0xC1).Byte(0x00).Raw(record(0));
    EXPECT_EQ(EncodeLabelFile(), again.bytes);
}

TEST_F(LabelFileFormatTest, NamesMatchByTheirTextNotTheBytesAfterIt)
{
    auto shared = std::make_shared<TPictureData>();
    shared->RefCount = 2;
    shared->BytesPerLine = 1;
    shared->Rows = {0x00};
    for (const char tail : {'\0', 'x'}) {
        TPictureFigure picture;
        picture.Name = "P";
        picture.Name.bytes()[10] = tail;  // left over after the NUL
        picture.Data = shared;
        ASSERT_EQ(AppendFigure(picture), 0);
    }
    const Bytes first = EncodeLabelFile();
    EXPECT_EQ(first.size(), 64u + 2 * (3 + 26) + 3);  // one block
    ForgetLabel();
    ASSERT_EQ(ReadLabelImage(first), LabelReadResult::Complete);
    EXPECT_EQ(EncodeLabelFile(), first);
}

TEST_F(LabelFileFormatTest, FiguresOfOneNameWithTwoBlocksAreStoredAsSharingTheFirst)
{
    for (const std::uint8_t row : {0x11, 0x22}) {
        auto own = std::make_shared<TPictureData>();
        own->RefCount = 1;
        own->BytesPerLine = 1;
        own->Rows = {row};
        TPictureFigure picture;
        picture.Name = "P";
        picture.Data = own;
        ASSERT_EQ(AppendFigure(picture), 0);
    }
    const Bytes file = EncodeLabelFile();
    test::ByteTable expected = test::PlainHeader();
    expected.Byte('G').Be16(26).Zeros(8).Le16(3).Text("P", 16).Byte(2).Byte(1).Byte(0x11);
    expected.Byte('G').Be16(26).Zeros(8).Le16(0).Text("P", 16);
    EXPECT_EQ(file, expected.bytes);
}

TEST_F(LabelFileFormatTest, SoftFontNumbersAreShiftedOnlyAboveTheResidentFonts)
{
    for (const std::int16_t font : {0, 5, 6, 7}) {
        TTextFigure text;
        text.Font = font;
        ASSERT_EQ(AppendFigure(text), 0);
    }
    const Bytes file = EncodeLabelFile();
    const std::size_t record = 3 + 17;  // empty Data
    for (const auto& [index, stored] : {std::pair{0, 0}, {1, 5}, {2, 65}, {3, 66}}) {
        EXPECT_EQ(file[64 + index * record + 3 + 8], stored) << index;
    }
    ForgetLabel();
    ASSERT_EQ(ReadLabelImage(file), LabelReadResult::Complete);
    std::vector<std::int16_t> fonts;
    for (const TFigure* figure : Figures()) {
        fonts.push_back(figure->Text().Font);
    }
    EXPECT_EQ(fonts, (std::vector<std::int16_t>{0, 5, 6, 7}));
}

}  // namespace
}  // namespace zk
