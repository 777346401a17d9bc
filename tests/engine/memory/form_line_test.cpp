// Stored-form lines read back into figures, definitions and setup values.

#include "engine/formread/form_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/barcode/barcode_types.h"
#include "engine/formread/receive_form.h"
#include "engine/labelfile/label_reader.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

const std::vector<std::string> graphics = {"LOGO", "PICT0001"};

TFormLineChange Read(const std::string& line) { return ReadFormLine(line, graphics); }

template <typename T>
T FigureOf(const std::string& line)
{
    const TFormLineChange change = Read(line);
    const auto* payload = std::get_if<TFigurePayload>(&change);
    EXPECT_NE(payload, nullptr) << line;
    if (payload == nullptr || !std::holds_alternative<T>(*payload)) {
        ADD_FAILURE() << "wrong kind for " << line;
        return T{};
    }
    return std::get<T>(*payload);
}

TEST(FormLineText, ReadsEveryField)
{
    const auto text = FigureOf<TTextFigure>("A-10,2047,3,4*,2,8,W,*\"Hello\" V00");
    EXPECT_EQ(text.X, -10);
    EXPECT_EQ(text.Y, 2047);
    EXPECT_EQ(text.Rotation, 3);
    EXPECT_EQ(text.Font, 4);
    EXPECT_EQ(text.HMult, 2);
    EXPECT_EQ(text.VMult, 8);
    EXPECT_EQ(text.Attributes, 3 | TextAttr::UseEnglish | TextAttr::ReverseDirection);
    EXPECT_EQ(text.Data.view(), "\"Hello\" V00");
}

TEST(FormLineText, FontDigitZeroIsResidentFontZero)
{
    const auto text = FigureOf<TTextFigure>("A0,0,0,0,1,1,N,\"x\"");
    EXPECT_EQ(text.Font, 0);
    EXPECT_EQ(text.Attributes, 0);
}

TEST(FormLineText, SoftFontLetterKeepsItsUpperCaseCode)
{
    EXPECT_EQ(FigureOf<TTextFigure>("A0,0,0,b,1,1,R,\"x\"").Font, 'B');
    EXPECT_EQ(FigureOf<TTextFigure>("A0,0,0,B,1,1,R,\"x\"").Attributes, 1);
}

TEST(FormLineText, OverlongDataIsCutToTheField)
{
    const auto text = FigureOf<TTextFigure>("A0,0,0,1,1,1,N," + std::string(200, 'x'));
    EXPECT_EQ(text.Data.view(), std::string(67, 'x'));
}

TEST(FormLineBarcode, EveryTypeCodeReadsBack)
{
    for (int type = 0; type < BarcodeTypeCount; ++type) {
        const std::string code(BarcodeTypes[static_cast<std::size_t>(type)].TypeCode);
        const auto barcode = FigureOf<TBarcodeFigure>("B10,20,1," + code + ",2,5,100,BC,\"123\"");
        EXPECT_EQ(barcode.Type, type) << code;
        EXPECT_EQ(barcode.X, 10);
        EXPECT_EQ(barcode.Y, 20);
        EXPECT_EQ(barcode.Rotation, 1);
        EXPECT_EQ(barcode.Narrow, 2);
        EXPECT_EQ(barcode.Wide, 5);
        EXPECT_EQ(barcode.Height, 100);
        EXPECT_EQ(barcode.HumanReadable, 2);
        EXPECT_EQ(barcode.Data.view(), "\"123\"");
    }
}

TEST(FormLineBarcode, HumanReadableLetters)
{
    const std::vector<std::pair<std::string, int>> cases = {{"N", 0}, {"B", 1}, {"BL", 1}, {"BC", 2}, {"BR", 3}};
    for (const auto& [letters, value] : cases) {
        EXPECT_EQ(FigureOf<TBarcodeFigure>("B0,0,0,3,1,2,50," + letters + ",\"A\"").HumanReadable, value);
    }
}

TEST(FormLineShapes, BarsLinesAndBoxes)
{
    const auto bar = FigureOf<TBarFigure>("LE-5,6,2047,40");
    EXPECT_EQ(bar.Mode, 1);
    EXPECT_EQ(bar.X, -5);
    EXPECT_EQ(bar.Y, 6);
    EXPECT_EQ(bar.Width, 2047);
    EXPECT_EQ(bar.Height, 40);
    EXPECT_EQ(FigureOf<TBarFigure>("LO1,2,3,4").Mode, 0);
    EXPECT_EQ(FigureOf<TBarFigure>("LW1,2,3,4").Mode, 2);

    const auto line = FigureOf<TLineFigure>("LS1,2,80W,-2046,5");
    EXPECT_EQ(line.X1, 1);
    EXPECT_EQ(line.Y1, 2);
    EXPECT_EQ(line.Thickness, 80);
    EXPECT_EQ(line.Mode, 2);
    EXPECT_EQ(line.X2, -2046);
    EXPECT_EQ(line.Y2, 5);
    EXPECT_EQ(FigureOf<TLineFigure>("LS1,2,3,4,5").Mode, 0);
    EXPECT_EQ(FigureOf<TLineFigure>("LS1,2,3E,4,5").Mode, 1);

    const auto box = FigureOf<TBoxFigure>("X10,20,3,300,200");
    EXPECT_EQ(box.X1, 10);
    EXPECT_EQ(box.Y1, 20);
    EXPECT_EQ(box.Thickness, 3);
    EXPECT_EQ(box.X2, 300);
    EXPECT_EQ(box.Y2, 200);
}

TEST(FormLinePicture, NamesThePrintersGraphics)
{
    const auto picture = FigureOf<TPictureFigure>("GG-4,7,\"Logo\"");
    EXPECT_EQ(picture.X, -4);
    EXPECT_EQ(picture.Y, 7);
    EXPECT_EQ(picture.Name.view(), "Logo");  // as written; the list match is in upper case
    EXPECT_EQ(picture.DataLength, 0);
    EXPECT_EQ(picture.Data, nullptr);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Read("GG0,0,\"OTHER\"")));
}

TEST(FormLinePdf417, OptionsAndDefaults)
{
    const auto pdf = FigureOf<TPdf417Figure>("b10,20,P,400,300,s3,x4,r20,l10,\"DATA\"");
    EXPECT_EQ(pdf.X, 10);
    EXPECT_EQ(pdf.Y, 20);
    EXPECT_EQ(pdf.MaxWidth, 400);
    EXPECT_EQ(pdf.MaxHeight, 300);
    EXPECT_EQ(pdf.SecurityLevel, 4);
    EXPECT_EQ(pdf.ModuleWidth, 4);
    EXPECT_EQ(pdf.ModuleHeight, 16);
    EXPECT_EQ(pdf.MaxRows, 20);
    EXPECT_EQ(pdf.MaxCols, 10);
    EXPECT_EQ(pdf.Compaction, 0);
    EXPECT_EQ(pdf.Position, 1);
    EXPECT_EQ(pdf.Rotation, 0);
    EXPECT_EQ(pdf.Data, "\"DATA\"");

    const auto plain = FigureOf<TPdf417Figure>("b0,0,P,100,100,\"X\"");
    EXPECT_EQ(plain.SecurityLevel, 0);
    EXPECT_EQ(plain.ModuleWidth, 6);
    EXPECT_EQ(plain.ModuleHeight, 24);
    EXPECT_EQ(plain.MaxRows, 90);
    EXPECT_EQ(plain.MaxCols, 34);

    const auto all = FigureOf<TPdf417Figure>("b0,0,P,100,100,c1,f0,x3,y50,o2,V01");
    EXPECT_EQ(all.Compaction, 1);
    EXPECT_EQ(all.Position, 0);
    EXPECT_EQ(all.ModuleWidth, 3);
    EXPECT_EQ(all.ModuleHeight, 50);
    EXPECT_EQ(all.Rotation, 2);
    EXPECT_EQ(all.Data, "V01");
}

TEST(FormLineDefinitions, VariablesAndCounters)
{
    const auto variable = std::get<TVarCntDefinition>(Read("V31,24,R*,\"Wei\\\"ght\""));
    EXPECT_FALSE(variable.Counter);
    EXPECT_EQ(variable.Index, 31u);
    EXPECT_EQ(variable.Record.Defined, 1);
    EXPECT_EQ(variable.Record.Length, 24);
    EXPECT_EQ(variable.Record.Justification, 3);
    EXPECT_EQ(variable.Record.PadChar, '*');
    EXPECT_EQ(variable.Record.Step, 0);
    EXPECT_EQ(variable.Record.Prompt.view(), "Wei\"ght");

    const auto counter = std::get<TVarCntDefinition>(Read("C07,05,N,-100,\"Count\""));
    EXPECT_TRUE(counter.Counter);
    EXPECT_EQ(counter.Index, 7u);
    EXPECT_EQ(counter.Record.Justification, 0);
    EXPECT_EQ(counter.Record.PadChar, ' ');
    EXPECT_EQ(counter.Record.Step, -100);
    EXPECT_EQ(counter.Record.Prompt.view(), "Count");

    const auto longest = std::get<TVarCntDefinition>(Read("V00,10,N,\"" + std::string(26, 'p') + "\""));
    EXPECT_EQ(longest.Record.Prompt.view(), std::string(26, 'p'));
}

TEST(FormLineSetup, NumbersAndFormats)
{
    const std::vector<std::pair<std::string, TSetupValue>> cases = {
        {"D15", {TSetupField::Darkness, 15}},   {"I3", {TSetupField::Language, 3}},
        {"S6", {TSetupField::Speed, 6}},        {"q608", {TSetupField::LabelWidth, 608}},
        {"q80", {TSetupField::LabelWidth, 80}},
        {"ZT", {TSetupField::Orientation, 0}},  {"ZB", {TSetupField::Orientation, 1}},
        {"j0", {TSetupField::NormalSpacing, 1}}, {"j1", {TSetupField::NormalSpacing, 0}},
    };
    for (const auto& [line, expected] : cases) {
        const TFormLineChange change = Read(line);
        ASSERT_TRUE(std::holds_alternative<TSetupValue>(change)) << line;
        EXPECT_EQ(std::get<TSetupValue>(change).Field, expected.Field) << line;
        EXPECT_EQ(std::get<TSetupValue>(change).Value, expected.Value) << line;
    }
    const auto date = std::get<TSetupFormat>(Read("TDY4-MN-DD"));
    EXPECT_FALSE(date.Time);
    EXPECT_EQ(date.Format, "Y4-MN-DD");
    const auto time = std::get<TSetupFormat>(Read("TTH:M"));
    EXPECT_TRUE(time.Time);
    EXPECT_EQ(time.Format, "H:M");
}

TEST(FormLineSetup, LabelSizeLines)
{
    const auto blackLine = std::get<TLabelSize>(Read("Q200,B24+8"));
    EXPECT_EQ(blackLine.Length, 200);
    EXPECT_EQ(blackLine.Gap, 24);
    EXPECT_EQ(blackLine.Offset, 8);
    EXPECT_EQ(blackLine.PaperType, 2);

    const auto continuous = std::get<TLabelSize>(Read("Q200,24"));
    EXPECT_EQ(continuous.Length, 200);
    EXPECT_EQ(continuous.Gap, 24);
    EXPECT_EQ(continuous.Offset, 0);
    EXPECT_EQ(continuous.PaperType, 0);

    EXPECT_EQ(std::get<TLabelSize>(Read("Q1650,100-80")).Offset, -80);
    EXPECT_EQ(std::get<TLabelSize>(Read("Q80,0")).Length, 80);
}

// A sign without digits is the number 0; the field's range still applies.
TEST(FormLineNumbers, SignWithoutDigitsIsZero)
{
    const auto text = FigureOf<TTextFigure>("A+,-,0,1,1,1,N,x");
    EXPECT_EQ(text.X, 0);
    EXPECT_EQ(text.Y, 0);
    const auto line = FigureOf<TLineFigure>("LS-,+,1,-,+");
    EXPECT_EQ(line.X1, 0);
    EXPECT_EQ(line.Y2, 0);
    EXPECT_EQ(std::get<TLabelSize>(Read("Q200,24-")).Offset, 0);
    EXPECT_EQ(std::get<TVarCntDefinition>(Read("C00,05,N,+,\"p\"")).Record.Step, 0);
    for (const char* outOfRange : {"A+,0,0,1,+,1,N,x", "A+,0,0,1,1,-,N,x", "B0,0,0,3,-,2,50,N,x", "LS+,+99999,1,0,0",
                                   "Q200,24+,", "C00,05,N,+,"}) {
        EXPECT_TRUE(std::holds_alternative<std::monostate>(Read(outOfRange))) << outOfRange;
    }
}

// Lines that must change nothing: malformed, out of range or not figure lines.
class RejectedFormLineTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RejectedFormLineTest, ChangesNothing)
{
    EXPECT_TRUE(std::holds_alternative<std::monostate>(Read(GetParam()))) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectedFormLineTest,
    ::testing::Values(
        "", "A", "A10", "A10,20", "A2048,0,0,1,1,1,N,x", "A0,-2048,0,1,1,1,N,x", "A0,0,4,1,1,1,N,x",
        "A0,0,0,6,1,1,N,x", "A0,0,0,#,1,1,N,x", "A0,0,0,1,0,1,N,x", "A0,0,0,1,1,9,N,x", "A0,0,0,1,1,1,X,x",
        "A0,0,0,1,1,1,N", "A0,0,0,1;1,1,N,x", "B0,0,0,ZZ,1,2,50,N,x", "B0,0,0,3,9,2,50,N,x",
        "B0,0,0,3,1,2,256,N,x", "B0,0,0,3,1,2,50,BX,x", "B0,0,0,3,1,2,50,N", "B0,0,0,3", "V32,10,N,\"p\"",
        "C08,10,N,+1,\"p\"", "V00,25,N,\"p\"", "V00,10,X,\"p\"", "V00,10,N", "V00,10,LXY,\"p\"",
        "V00,10,N,\"p\"x", "V00,10,N,\"p", "C00,10,N,+101,\"p\"", "C00,10,N,\"p\"",
        "V00,10,N,\"" + std::string(27, 'p') + "\"", "D16", "D8x", "I16", "S7", "q609", "q0", "q79", "ZX", "ZTB", "Z",
        "j2", "j", "Q1651,24", "Q0,0", "Q79,24", "Q200,101", "Q200,121", "Q200,24+81", "Q200,24x", "Q200;24", "GG0,0,LOGO",
        "GG0,0,\"LOGO\"x", "GG2048,0,\"LOGO\"", "GG0,-2047,\"LOGO\"", "GX0,0,\"LOGO\"", "LS0,0,81,1,1",
        "LS0,0,1X,1,1", "LS0,0,1,1", "LS0,0,1,1,1,", "LO0,0,2048,1", "LO0,0,1", "LQ0,0,1,1", "X0,0,81,1,1",
        "X0,0,1,1", "X0,0,1,1,2048", "b0,0,Q,1,1,x", "b0,0,P,2048,1,x", "b0,0,P,1,1,s9,x",
        "b0,0,P,1,1,x1,x", "b0,0,P,1,1,y100,x", "b0,0,P,1,1,r2,x", "b0,0,P,1,1,l35,x", "b0,0,P,1,1,o4,x",
        "b0,0,P,1,1,c2,x", "b0,0,P,1,1,s1", "R10,10", "N", "FK\"X\"", "; comment", "P1"));

class FormLineApplyTest : public test::EngineTest {};

TEST_F(FormLineApplyTest, ParseFormLineChangesTheLabelBeingRead)
{
    GraphicsNameList = {"LOGO"};
    TLabelModel label;
    for (const std::string& line : {std::string("GG1,2,\"LOGO\""), std::string("V02,08,L0,\"Lot\""),
                                    std::string("C01,04,R0,+5,\"Serial\""), std::string("Q300,B16-4"),
                                    std::string("D12"), std::string("ZB"), std::string("j1"),
                                    std::string("TDDD.MN.Y2"), "TT" + std::string(40, 'H'),
                                    std::string("A0,0,0,9,1,1,N,\"skipped\"")}) {
        ParseFormLine(line, label);
    }

    ASSERT_EQ(CountFigures(label.Figures), 1u);
    EXPECT_EQ(label.Figures.FigureHead->Picture().Name.view(), "LOGO");
    EXPECT_EQ(label.Variables[2].Defined, 1);
    EXPECT_EQ(label.Variables[2].PadChar, '0');
    EXPECT_EQ(label.Counters[1].Step, 5);
    EXPECT_EQ(label.Counters[1].Prompt.view(), "Serial");
    EXPECT_EQ(label.Setup.LabelLength, 300);
    EXPECT_EQ(label.Setup.LabelGap, 16);
    EXPECT_EQ(label.Setup.LabelOffset, -4);
    EXPECT_EQ(label.Setup.PaperType, 2);
    EXPECT_EQ(label.Setup.Darkness, 12);
    EXPECT_EQ(label.Setup.Orientation, 1);
    EXPECT_EQ(label.Setup.NormalSpacing, 0);
    EXPECT_EQ(label.Setup.DateFormat.view(), "DD.MN.Y2");
    EXPECT_EQ(label.Setup.TimeFormat.view(), std::string(15, 'H'));
    // The live label is not touched.
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(LabelSetup.LabelLength, TLabelSetup{}.LabelLength);
    EXPECT_EQ(Variables[2].Defined, 0);
}

// Every label size and gap a form line gives is one the label file keeps:
// saved and opened again, the label has what the form gave it.
TEST_F(FormLineApplyTest, ASizeFromAFormSurvivesASaveAndAnOpen)
{
    for (int size = 0; size <= 2100; ++size) {
        const TFormLineChange width = Read("q" + std::to_string(size));
        const TFormLineChange length = Read("Q" + std::to_string(size) + ",24");
        const TFormLineChange gap = Read("Q200," + std::to_string(size));
        for (const TFormLineChange* change : {&width, &length, &gap}) {
            if (std::holds_alternative<std::monostate>(*change)) {
                continue;
            }
            TLabelModel label;
            ApplyFormLineChange(*change, label);
            LabelSetup = label.Setup;
            ASSERT_NE(ReadLabelImage(EncodeLabelFile()), LabelReadResult::NotALabel);
            EXPECT_EQ(LabelSetup.LabelWidth, label.Setup.LabelWidth) << size;
            EXPECT_EQ(LabelSetup.LabelLength, label.Setup.LabelLength) << size;
            EXPECT_EQ(LabelSetup.LabelGap, label.Setup.LabelGap) << size;
        }
    }
}

TEST_F(FormLineApplyTest, RejectedSetupLinesLeaveTheSetup)
{
    TLabelModel label;
    const TLabelSetup before = label.Setup;
    for (const char* line : {"ZX", "D16", "S9", "Q9999,24", "j5"}) {
        ParseFormLine(line, label);
    }
    EXPECT_EQ(label.Setup.Orientation, before.Orientation);
    EXPECT_EQ(label.Setup.Darkness, before.Darkness);
    EXPECT_EQ(label.Setup.Speed, before.Speed);
    EXPECT_EQ(label.Setup.LabelLength, before.LabelLength);
    EXPECT_EQ(label.Setup.NormalSpacing, before.NormalSpacing);
}

}  // namespace
}  // namespace zk
