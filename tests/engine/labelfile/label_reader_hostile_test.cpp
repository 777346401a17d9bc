// Damaged and hostile label files: each is bounded or ends the reading
// with the figures read so far kept, and none reads past the file.

#include <gtest/gtest.h>

#include "engine/labelfile/label_reader.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "tests/engine/labelfile/byte_table.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::ByteTable;

Bytes BarRecord(std::int16_t x)
{
    return ByteTable().Byte('R').Be16(10).Le16(static_cast<std::uint16_t>(x)).Zeros(8).bytes;
}

Bytes PictureRecord(const char* name, std::uint16_t dataLength)
{
    return ByteTable().Byte('G').Be16(26).Zeros(8).Le16(dataLength).Text(name, 16).bytes;
}

Bytes VariableRecord(std::uint16_t length, std::uint8_t index)
{
    ByteTable t;
    t.Byte('V').Be16(length).Byte(index).Byte(1);
    if (length > 2) {
        t.Zeros(length - 2u);
    }
    return t.bytes;
}

class LabelReaderHostileTest : public test::EngineTest {
protected:
    // The bar X positions read, in list order.
    static std::vector<std::int16_t> Bars()
    {
        std::vector<std::int16_t> xs;
        for (const TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Bar)) {
                xs.push_back(figure->Bar().X);
            }
        }
        return xs;
    }
};

struct HostileCase {
    const char* what;
    Bytes records;  // after a plain header; bar 1 before, bar 2 after
    LabelReadResult result;
    std::vector<std::int16_t> bars;
};

TEST_F(LabelReaderHostileTest, DamagedRecordsStopOrAreSkipped)
{
    const HostileCase cases[] = {
        {"a text record longer than a payload",
         ByteTable().Byte('A').Be16(85).Zeros(85).bytes, LabelReadResult::Stopped, {1}},
        {"a record running past the end of the file",
         ByteTable().Byte('L').Be16(12).Zeros(5).bytes, LabelReadResult::Stopped, {1}},
        {"a length cut in half", ByteTable().Byte('X').Byte(0).bytes, LabelReadResult::Stopped, {1}},
        {"an unknown record type", ByteTable().Byte('Z').Be16(0).bytes, LabelReadResult::Stopped, {1}},
        {"a variable record above 97 bytes", VariableRecord(98, 0), LabelReadResult::Stopped, {1}},
        {"a variable record of no bytes", VariableRecord(0, 0), LabelReadResult::Stopped, {1}},
        {"a variable index past 31 skips only that record", VariableRecord(97, 32), LabelReadResult::Complete,
         {1, 2}},
        {"a counter index past 7 skips only that record",
         [] { Bytes b = VariableRecord(97, 8); b[0] = 'C'; return b; }(), LabelReadResult::Complete, {1, 2}},
        {"a picture block past the end of the file", PictureRecord("P", 500), LabelReadResult::Stopped, {1}},
        {"a picture block of one byte", [] { Bytes b = PictureRecord("P", 1); b.push_back(0); return b; }(),
         LabelReadResult::Stopped, {1}},
        {"a soft font above 49152 bytes",
         [] {
             ByteTable t;
             t.Byte('E').Be16(8).Le16(1).Le16(8).Le16(49153).Text("A", 2).Zeros(49153);
             return t.bytes;
         }(),
         LabelReadResult::Stopped, {1}},
        {"a PDF417 text past the end of the file",
         ByteTable().Byte('b').Be16(18).Zeros(18).Be16(40).Text("AB", 3).bytes, LabelReadResult::Stopped, {1}},
    };
    for (const auto& c : cases) {
        ClearFigureList();
        ByteTable file = test::PlainHeader();
        file.Raw(BarRecord(1)).Raw(c.records);
        const bool followerFits = c.result == LabelReadResult::Complete;
        if (followerFits) {
            file.Raw(BarRecord(2));
        }
        EXPECT_EQ(ReadLabelImage(file.bytes), c.result) << c.what;
        EXPECT_EQ(Bars(), c.bars) << c.what;
    }
}

TEST_F(LabelReaderHostileTest, ShortRecordsAndMissingNulsStayInsideTheirFields)
{
    ByteTable t = test::PlainHeader();
    // A text whose Data fills the whole payload with no NUL.
    t.Byte('A').Be16(84).Zeros(16).Text(std::string(68, 'x'), 68);
    // A bar of 4 bytes: the rest reads as zero.
    t.Byte('R').Be16(4).Le16(7).Le16(8);
    // A variable record of 10 bytes: the prompt is cut, the rest zero.
    t.Byte('V').Be16(10).Byte(4).Byte(1).Byte(3).Byte(0).Byte(' ').Byte(0).Text("ABCD", 4);
    // A PDF417 text without its NUL.
    t.Byte('b').Be16(18).Zeros(18).Be16(3).Text("XYZ", 3);
    ASSERT_EQ(ReadLabelImage(t.bytes), LabelReadResult::Complete);

    std::vector<const TFigure*> list;
    for (const TFigure* figure : Figures()) {
        list.push_back(figure);
    }
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->Text().Data, std::string(67, 'x'));
    EXPECT_EQ(list[1]->Bar().X, 7);
    EXPECT_EQ(list[1]->Bar().Width, 0);
    EXPECT_EQ(list[2]->Pdf417().Data, "XYZ");
    EXPECT_EQ(Variables[4].Defined, 1);
    EXPECT_EQ(Variables[4].Prompt, "ABCD");
    EXPECT_EQ(Variables[4].Value, "");
}

TEST_F(LabelReaderHostileTest, HeaderValuesAreBounded)
{
    ByteTable t;
    t.Text("ZK7300 FILE", 12).Be16(65535).Be16(3).Be16(0x8000).Be16(0x7FFF).Be16(0);
    t.Byte(0xFF).Byte(200).Byte(200).Byte(200).Byte(200).Byte(200).Zeros(4);
    // Formats of 16 characters with no NUL in their fields.
    t.Text(std::string(16, 'D'), 16).Text(std::string(16, 'T'), 16);
    ASSERT_EQ(ReadLabelImage(t.bytes), LabelReadResult::Complete);
    const TLabelSetup& s = LabelSetup;
    EXPECT_EQ(s.LabelWidth, 608);
    EXPECT_EQ(s.LabelLength, 80);
    EXPECT_EQ(s.LeftMargin, -32768);
    EXPECT_EQ(s.TopMargin, 32767);
    EXPECT_EQ(s.Orientation, 1);
    EXPECT_EQ(s.NormalSpacing, 0);
    EXPECT_EQ(s.Darkness, 15);
    EXPECT_EQ(s.Speed, 6);
    EXPECT_EQ(s.Language, 0);
    EXPECT_EQ(s.LabelGap, 100);
    EXPECT_EQ(s.PaperType, 2);
    EXPECT_EQ(s.DateFormat, std::string(15, 'D'));
    EXPECT_EQ(s.TimeFormat, std::string(15, 'T'));
}

TEST_F(LabelReaderHostileTest, PictureCountsComeFromTheFiguresNotTheFile)
{
    ByteTable t = test::PlainHeader();
    // The block claims 200 sharers; two figures share it, a third of
    // another name has none to share.
    t.Raw(PictureRecord("P", 3)).Byte(200).Byte(1).Byte(0xFF);
    t.Raw(PictureRecord("P", 0)).Raw(PictureRecord("ORPHAN", 0));
    ASSERT_EQ(ReadLabelImage(t.bytes), LabelReadResult::Complete);
    std::vector<const TPictureFigure*> pictures;
    for (const TFigure* figure : Figures()) {
        pictures.push_back(&figure->Picture());
    }
    ASSERT_EQ(pictures.size(), 3u);
    ASSERT_TRUE(pictures[0]->Data);
    EXPECT_EQ(pictures[0]->Data->RefCount, 2u);
    EXPECT_EQ(pictures[1]->Data, pictures[0]->Data);
    EXPECT_EQ(pictures[1]->DataLength, 3);
    EXPECT_EQ(pictures[2]->Data, nullptr);
    EXPECT_EQ(pictures[2]->DataLength, 0);
}

TEST_F(LabelReaderHostileTest, SoftFontOfTheLimitIsRead)
{
    ByteTable t = test::PlainHeader();
    t.Byte('E').Be16(8).Le16(1).Le16(8).Le16(49152).Text("A", 2).Zeros(49152);
    ASSERT_EQ(ReadLabelImage(t.bytes), LabelReadResult::Complete);
    ASSERT_NE(FigureList.FigureHead, nullptr);
    EXPECT_EQ(FigureList.FigureHead->SoftFont().Data->Bytes.size(), 49152u);
}

TEST_F(LabelReaderHostileTest, NoLabelLeavesTheModelUntouched)
{
    ASSERT_EQ(AppendFigure(TBoxFigure{1, 1, 9, 9, 2}), 0);
    LabelSetup.LabelWidth = 500;
    Variables[0].Defined = 1;
    Bytes wrongMagic = test::PlainHeader().bytes;
    wrongMagic[6] = 'X';
    const Bytes header = test::PlainHeader().bytes;
    const Bytes cases[] = {wrongMagic, Bytes(header.begin(), header.end() - 1), Bytes{}};
    for (const Bytes& file : cases) {
        EXPECT_EQ(ReadLabelImage(file), LabelReadResult::NotALabel);
        EXPECT_EQ(CountFigures(), 1u);
        EXPECT_EQ(LabelSetup.LabelWidth, 500);
        EXPECT_EQ(Variables[0].Defined, 1);
    }
}

}  // namespace
}  // namespace zk
