// Byte tables of the printer command lines that the test print, the store
// stream and the form file share.

#include "engine/print/command_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/model/figure_list.h"
#include "engine/model/variables.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using W = CommandWriter;

class CommandLinesTest : public test::EngineTest {};

TTextFigure Text(int font, std::uint16_t attributes, const char* data)
{
    TTextFigure f;
    f.X = 10;
    f.Y = 20;
    f.Rotation = 1;
    f.Font = static_cast<std::int16_t>(font);
    f.HMult = 2;
    f.VMult = 3;
    f.Attributes = attributes;
    f.Data = data;
    return f;
}

TBarcodeFigure Barcode(int type, int humanReadable)
{
    TBarcodeFigure f;
    f.Type = static_cast<std::int16_t>(type);
    f.X = 30;
    f.Y = 40;
    f.Rotation = 2;
    f.Narrow = 2;
    f.Wide = 5;
    f.Height = 60;
    f.HumanReadable = static_cast<std::int16_t>(humanReadable);
    f.Data = "\"12345\"";
    return f;
}

TPdf417Figure Pdf(std::uint8_t security, std::uint8_t compaction, std::uint8_t position, std::uint8_t moduleWidth,
                  std::uint8_t moduleHeight, std::uint8_t rotation)
{
    TPdf417Figure f;
    f.X = 5;
    f.Y = 6;
    f.MaxWidth = 400;
    f.MaxHeight = 300;
    f.MaxRows = 20;
    f.MaxCols = 4;
    f.SecurityLevel = security;
    f.Compaction = compaction;
    f.Position = position;
    f.ModuleWidth = moduleWidth;
    f.ModuleHeight = moduleHeight;
    f.Rotation = rotation;
    f.Data = "\"PDF\"";
    return f;
}

struct FigureCase {
    const char* name;
    std::function<TFigurePayload()> payload;
    W writer;
    std::string line;
};

class FigureLineTest : public CommandLinesTest, public ::testing::WithParamInterface<FigureCase> {};

TEST_P(FigureLineTest, WritesTheCommandLine)
{
    // Soft fonts 6 and 7 are "A" and "B".
    EXPECT_EQ(FigureLine(GetParam().payload(), GetParam().writer, "AB"), GetParam().line);
}

constexpr std::uint16_t ENGLISH = TextAttr::UseEnglish;
constexpr std::uint16_t REVERSE = TextAttr::ReverseDirection;

TBarFigure Bar(int mode) { return {1, 2, 300, 4, static_cast<std::int16_t>(mode)}; }
TLineFigure Line(int mode) { return {1, 2, 50, 60, 3, static_cast<std::int16_t>(mode)}; }
TPictureFigure Picture()
{
    TPictureFigure f;
    f.X = 7;
    f.Y = -8;
    f.Name = "LOGO1";
    return f;
}

const FigureCase FIGURE_CASES[] = {
    // Texts in resident fonts: the three writers agree.
    {"ResidentPrint", [] { return Text(2, 0, "\"ABC\""); }, W::PrintStream, "A10,20,1,2,2,3,N,\"ABC\"\r\n"},
    {"ResidentStyles", [] { return Text(3, 3, "V01"); }, W::PrintStream, "A10,20,1,3,2,3,W,V01\r\n"},
    {"ResidentEnglishReversePrint", [] { return Text(3, ENGLISH | REVERSE | 2, "\"X\""); }, W::PrintStream,
     "A10,20,1,3*,2,3,B,*\"X\"\r\n"},
    {"ResidentEnglishReverseForm", [] { return Text(3, ENGLISH | REVERSE | 2, "\"X\""); }, W::FormFile,
     "A10,20,1,3*,2,3,B,*\"X\"\r\n"},
    {"ResidentEnglishReverseStore", [] { return Text(3, ENGLISH | REVERSE | 2, "\"X\""); }, W::StoreStream,
     "A10,20,1,3*,2,3,B,*\"X\"\r\n"},
    {"ResidentInverseForm", [] { return Text(0, 1, "\"X\""); }, W::FormFile, "A10,20,1,0,2,3,R,\"X\"\r\n"},
    {"StyleOutOfRangeIsNormal", [] { return Text(1, 9, "\"X\""); }, W::PrintStream, "A10,20,1,1,2,3,N,\"X\"\r\n"},
    // Soft fonts: the letter, no English mark and always N in the print
    // stream; normal or bold only in the stored writers.
    {"SoftPrint", [] { return Text(7, ENGLISH | 2, "\"t\""); }, W::PrintStream, "A10,20,1,B,2,3,N,\"t\"\r\n"},
    {"SoftForm", [] { return Text(7, ENGLISH | 2, "\"t\""); }, W::FormFile, "A10,20,1,B*,2,3,B,\"t\"\r\n"},
    {"SoftStore", [] { return Text(6, 2, "\"t\""); }, W::StoreStream, "A10,20,1,A,2,3,B,\"t\"\r\n"},
    {"SoftInverseStoredAsNormal", [] { return Text(6, 1 | REVERSE, "\"t\""); }, W::FormFile,
     "A10,20,1,A,2,3,N,*\"t\"\r\n"},
    {"SoftFontMissing", [] { return Text(9, 0, "\"t\""); }, W::PrintStream, "A10,20,1,?,2,3,N,\"t\"\r\n"},
    // A letter's code: a font the printer lacked when the form was read back.
    {"LetterCodePrint", [] { return Text('Q', 0, "\"t\""); }, W::PrintStream, "A10,20,1,Q,2,3,N,\"t\"\r\n"},
    {"LetterCodeForm", [] { return Text('Z', ENGLISH, "\"t\""); }, W::FormFile, "A10,20,1,Z*,2,3,N,\"t\"\r\n"},
    {"LetterCodeStore", [] { return Text('A', 2, "\"t\""); }, W::StoreStream, "A10,20,1,A,2,3,B,\"t\"\r\n"},
    // Barcodes: the type code of the barcode table, the human-readable code.
    {"BarcodeCode39", [] { return Barcode(0, 0); }, W::PrintStream, "B30,40,2,3,2,5,60,N,\"12345\"\r\n"},
    {"BarcodeCode128", [] { return Barcode(3, 1); }, W::FormFile, "B30,40,2,1,2,5,60,B,\"12345\"\r\n"},
    {"BarcodeEan13Centre", [] { return Barcode(8, 2); }, W::StoreStream, "B30,40,2,E30,2,5,60,BC,\"12345\"\r\n"},
    {"BarcodeLastTypeRight", [] { return Barcode(28, 3); }, W::PrintStream, "B30,40,2,A35,2,5,60,BR,\"12345\"\r\n"},
    {"BarcodeTypeOutOfRange", [] { return Barcode(29, 7); }, W::PrintStream, "B30,40,2,,2,5,60,N,\"12345\"\r\n"},
    {"BarBlack", [] { return Bar(0); }, W::PrintStream, "LO1,2,300,4\r\n"},
    {"BarXor", [] { return Bar(1); }, W::FormFile, "LE1,2,300,4\r\n"},
    {"BarWhite", [] { return Bar(2); }, W::StoreStream, "LW1,2,300,4\r\n"},
    {"LineBlack", [] { return Line(0); }, W::PrintStream, "LS1,2,3,50,60\r\n"},
    {"LineXor", [] { return Line(1); }, W::PrintStream, "LS1,2,3E,50,60\r\n"},
    {"LineWhite", [] { return Line(2); }, W::FormFile, "LS1,2,3W,50,60\r\n"},
    {"Box", [] { return TBoxFigure{-4, 5, 100, 80, 2}; }, W::PrintStream, "X-4,5,2,100,80\r\n"},
    {"PicturePrint", [] { return Picture(); }, W::PrintStream, "GG7,-8,\"LOGO1\"\r\n"},
    {"PictureForm", [] { return Picture(); }, W::FormFile, "GG7,-8,\"LOGO1\"\r\n"},
    {"PictureStoreEndsInLoneLf", [] { return Picture(); }, W::StoreStream, "GG7,-8,\"LOGO1\"\n"},
    {"SoftFontFigureWritesNothing", [] { return TSoftFontFigure{}; }, W::FormFile, ""},
    // PDF417: only the items that differ from the printer's defaults.
    {"Pdf417Defaults", [] { return Pdf(0, 0, 1, 6, 24, 0); }, W::PrintStream, "b5,6,P,400,300,r20,l4,\"PDF\"\r\n"},
    {"Pdf417AllItems", [] { return Pdf(4, 1, 0, 3, 10, 3); }, W::PrintStream,
     "b5,6,P,400,300,s3,c1,f0,x3,y10,r20,l4,o3,\"PDF\"\r\n"},
    {"Pdf417HeightFollowsWidth", [] { return Pdf(1, 2, 1, 2, 8, 0); }, W::FormFile,
     "b5,6,P,400,300,s0,x2,r20,l4,\"PDF\"\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Figures, FigureLineTest, ::testing::ValuesIn(FIGURE_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLinesTest, LongPdf417DataIsWrittenWhole)
{
    TPdf417Figure f = Pdf(0, 0, 1, 6, 24, 0);
    f.Data = "\"" + std::string(3000, 'x') + "\"";
    const std::string line = FigureLine(f, W::PrintStream, "");
    EXPECT_EQ(line, "b5,6,P,400,300,r20,l4," + f.Data + "\r\n");
}

TEST_F(CommandLinesTest, TheLongestLineIsAPdf417LineWithWidestFieldsAndFullData)
{
    TPdf417Figure f;
    f.X = -32768;
    f.Y = -32768;
    f.MaxWidth = f.MaxHeight = f.MaxRows = f.MaxCols = 65535;
    f.SecurityLevel = 255;
    f.Compaction = 1;
    f.Position = 0;
    f.ModuleWidth = 255;
    f.ModuleHeight = 255;
    f.Rotation = 255;
    f.Data = std::string(Pdf417DataBufferSize - 1, 'x');
    for (const W writer : {W::PrintStream, W::StoreStream, W::FormFile}) {
        EXPECT_EQ(FigureLine(f, writer, "").size(), LongestCommandLine + 2);
    }
}

struct QCase {
    int paperType;
    int offset;
    std::string lines;
};

class QLineTest : public CommandLinesTest, public ::testing::WithParamInterface<QCase> {};

TEST_P(QLineTest, WritesLengthGapOffsetThenWidth)
{
    TLabelSetup setup;
    setup.LabelLength = 200;
    setup.LabelGap = 24;
    setup.LabelWidth = 384;
    setup.PaperType = GetParam().paperType;
    setup.LabelOffset = GetParam().offset;
    const std::string all = LabelSetupLines(setup, W::PrintStream);
    EXPECT_NE(all.find("\r\n" + GetParam().lines), std::string::npos) << all;
}

INSTANTIATE_TEST_SUITE_P(Offsets, QLineTest,
                         ::testing::Values(QCase{1, 8, "Q200,24+8\r\nq384\r\n"}, QCase{1, -8, "Q200,24-8\r\nq384\r\n"},
                                           QCase{1, 0, "Q200,24\r\nq384\r\n"}, QCase{0, 3, "Q200,24+3\r\nq384\r\n"},
                                           QCase{2, 8, "Q200,B24+8\r\nq384\r\n"},
                                           QCase{2, -1, "Q200,B24-1\r\nq384\r\n"}));

TLabelSetup SampleSetup()
{
    TLabelSetup s;
    s.Darkness = 10;
    s.Speed = 3;
    s.Language = 7;
    s.Orientation = 1;
    s.LabelLength = 200;
    s.LabelGap = 24;
    s.LabelOffset = 0;
    s.LabelWidth = 400;
    s.NormalSpacing = 0;
    s.LeftMargin = -5;
    s.TopMargin = 12;
    s.DateFormat = "DD/MN/Y2";
    s.TimeFormat = "H:M";
    return s;
}

TEST_F(CommandLinesTest, SetupLinesFollowTheOrderOfEachWriter)
{
    const TLabelSetup s = SampleSetup();
    const std::string head = "D10\r\nS3\r\nI7\r\nZB\r\n";
    const std::string q = "Q200,24\r\nq400\r\n";
    const std::string j = "j1\r\n";
    const std::string r = "R-5,12\r\n";
    const std::string t = "TDDD/MN/Y2\r\nTTH:M\r\n";
    EXPECT_EQ(LabelSetupLines(s, W::PrintStream), head + q + j + r + t);
    EXPECT_EQ(LabelSetupLines(s, W::StoreStream), head + q + j + t + r);
    EXPECT_EQ(LabelSetupLines(s, W::FormFile), head + t + q + j + r);
}

TEST_F(CommandLinesTest, TopOrientationAndNormalSpacing)
{
    TLabelSetup s = SampleSetup();
    s.Orientation = 0;
    s.NormalSpacing = 1;
    const std::string lines = LabelSetupLines(s, W::PrintStream);
    EXPECT_EQ(lines.substr(0, 17), "D10\r\nS3\r\nI7\r\nZT\r\n");
    EXPECT_NE(lines.find("\r\nj0\r\n"), std::string::npos);
}

void Define(TVariable& v, int length, int justification, char pad, int step, const char* prompt, const char* value)
{
    v.Defined = 1;
    v.Length = static_cast<std::uint8_t>(length);
    v.Justification = static_cast<std::uint8_t>(justification);
    v.PadChar = static_cast<std::uint8_t>(pad);
    v.Step = static_cast<std::int8_t>(step);
    v.Prompt = prompt;
    v.Value = value;
}

class DefinitionLinesTest : public CommandLinesTest {
protected:
    DefinitionLinesTest()
    {
        Define(Variables[3], 8, 0, '0', 0, "Say \"hi\" \\ now", "abc");
        Define(Variables[1], 12, 3, '*', 0, "Lot", "L1");
        Define(Variables[31], 5, 2, ' ', 0, "Centre", "C");
        Define(Counters[0], 6, 3, '0', -2, "Serial \"no\" \\", "10");
        Define(Counters[7], 4, 1, ' ', 5, "Box", "7");
    }
};

// '"' and '\' are escaped in variable and counter prompts alike, as the
// printer reads them back; the print and store streams and the form file
// all write these lines.
TEST_F(DefinitionLinesTest, VariableAndCounterPromptsAreEscaped)
{
    const std::string expected =
        "V01,12,R*,\"Lot\"\r\n"
        "V03,08,N,\"Say \\\"hi\\\" \\\\ now\"\r\n"
        "V31,05,C,\"Centre\"\r\n"
        "C00,06,R0,-2,\"Serial \\\"no\\\" \\\\\"\r\n"
        "C07,04,L,+5,\"Box\"\r\n";
    EXPECT_EQ(VarCntDefinitionLines(), expected);
}

TEST_F(DefinitionLinesTest, ValuesFollowTheQuestionMarkInDefinitionOrder)
{
    EXPECT_EQ(CurrentValueLines(), "?\r\nL1\r\nabc\r\nC\r\n10\r\n7\r\n");
}

TEST_F(DefinitionLinesTest, AFullPromptAndANulPadStayInsideTheirFields)
{
    ClearVarsCounters();
    Define(Variables[0], 2, 1, '\0', 0, "", "");
    Variables[0].Prompt = std::string(40, 'p');
    EXPECT_EQ(VarCntDefinitionLines(), "V00,02,L,\"" + std::string(27, 'p') + "\"\r\n");
}

TEST_F(CommandLinesTest, FormFileHoldsHeaderDefinitionsSetupAndFiguresInOrder)
{
    LabelSetup = SampleSetup();
    Define(Counters[2], 3, 0, ' ', 1, "N", "1");
    TSoftFontFigure font;
    font.Letter = "K";
    AppendFigure(Text(6, 0, "\"soft\""));
    AppendFigure(font);
    AppendFigure(Bar(0));
    EXPECT_EQ(FormFileText(),
              "; Saved by VORTAN Label Editor\r\n"
              "C02,03,N,+1,\"N\"\r\n"
              "D10\r\nS3\r\nI7\r\nZB\r\nTDDD/MN/Y2\r\nTTH:M\r\nQ200,24\r\nq400\r\nj1\r\nR-5,12\r\n"
              "A10,20,1,K,2,3,N,\"soft\"\r\n"
              "LO1,2,300,4\r\n"
              "\r\n");
}

}  // namespace
}  // namespace zk
