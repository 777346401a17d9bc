// Test prints, the store stream and the short print commands, end to end
// over the printer emulator: the recorded bytes are compared with streams
// written out by hand.

#include "engine/print/printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/link/comm_link.h"
#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "engine/report/reporting.h"
#include "engine/text/printer_font.h"
#include "engine/text/text_render_state.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

using namespace std::string_literals;

constexpr const char* RETRY_QUESTION = "Can't write to comm. port. Retry ?";
// The default label setup in the print stream's order.
const std::string PRINT_SETUP = "D8\r\nS4\r\nI0\r\nZT\r\nQ200,24+8\r\nq384\r\nj0\r\nR0,0\r\nTDDD-MN-Y4\r\nTTH:M:S\r\n";
const std::string STORE_SETUP = "D8\r\nS4\r\nI0\r\nZT\r\nQ200,24+8\r\nq384\r\nj0\r\nTDDD-MN-Y4\r\nTTH:M:S\r\nR0,0\r\n";

class PrintingTest : public test::EngineTest {
protected:
    PrintingTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
    }

    // Everything the printer got, once count bytes have come.
    std::string ReceivedBytes(std::size_t count)
    {
        EXPECT_TRUE(printer.WaitForReceived(count));
        return printer.Received();
    }

    bool HasEvent(const std::string& event) const
    {
        return std::find(ui.events.begin(), ui.events.end(), event) != ui.events.end();
    }

    test::PrinterEmulator printer;
};

void DefineRecord(TVariable& v, int length, int step, const char* prompt, const char* value)
{
    v.Defined = 1;
    v.Length = static_cast<std::uint8_t>(length);
    v.Step = static_cast<std::int8_t>(step);
    v.Prompt = prompt;
    v.Value = value;
}

const std::vector<std::uint8_t> FONT_BLOCK = {2, 0, 1, 'A', 3, 1, 0x80, 'B', 3, 1, 0x0A};

TFigurePayload SoftFont(const char* letter)
{
    TSoftFontFigure font;
    font.Letter = letter;
    font.CharCount = 2;
    font.Height = 1;
    font.DataLength = static_cast<std::uint16_t>(FONT_BLOCK.size());
    font.Data = std::make_shared<TFontData>(TFontData{FONT_BLOCK});
    return font;
}

// More than the pseudo-terminal queues (about 20 KB), so that a stalled
// printer makes the writes block.
void AddBulk()
{
    TPdf417Figure pdf;
    pdf.Data = std::string(3000, 'x');
    for (int i = 0; i < 12; ++i) {
        AppendFigure(pdf);
    }
}

void AddSmallLabel()
{
    DefineRecord(Variables[0], 10, 0, "Name \"x\"", "Bob");
    DefineRecord(Counters[1], 4, 2, "Count", "10");
    TTextFigure text;
    text.X = 10;
    text.Y = 20;
    text.Font = 3;
    text.Data = "V00";
    AppendFigure(text);
    AppendFigure(TBoxFigure{0, 0, 100, 50, 2});
    TBarcodeFigure barcode;
    barcode.Type = 0;
    barcode.X = 5;
    barcode.Y = 60;
    barcode.Narrow = 2;
    barcode.Wide = 4;
    barcode.Height = 40;
    barcode.HumanReadable = 2;
    barcode.Data = "C01";
    AppendFigure(barcode);
}

TEST_F(PrintingTest, TestPrintSendsTheWholeLabelAndAdvancesTheCounters)
{
    AddSmallLabel();
    Settings.PrintCopies = 3;
    ASSERT_TRUE(PrintLabel());
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n"
                                 "V00,10,N,\"Name \\\"x\\\"\"\r\n"
                                 "C01,04,N,+2,\"Count\"\r\n"
                                 "?\r\nBob\r\n10\r\n" +
                                 PRINT_SETUP +
                                 "A10,20,0,3,1,1,N,V00\r\n"
                                 "X0,0,2,100,50\r\n"
                                 "B5,60,0,3,2,4,40,BC,C01\r\n"
                                 "P3\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(ui.events.front(), "busy:Printing label. Please wait !");
    EXPECT_EQ(ui.events.back(), "close");
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(Counters[1].Value, "12");
    EXPECT_EQ(Variables[0].Value, "Bob");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(PrintingTest, EveryFigureKindHasItsLineAndSoftFontsNone)
{
    TSoftFontFigure font;
    font.Letter = "Z";
    AppendFigure(font);
    TTextFigure soft;
    soft.Font = 6;
    soft.Attributes = TextAttr::ReverseDirection;
    soft.Data = "\"s\"";
    AppendFigure(soft);
    AppendFigure(TBarFigure{1, 2, 3, 4, 2});
    AppendFigure(TLineFigure{5, 6, 7, 8, 3, 1});
    AppendFigure(TBoxFigure{9, 10, 11, 12, 1});
    TPictureFigure picture;
    picture.X = 13;
    picture.Y = 14;
    picture.Name = "PICT0001";
    AppendFigure(picture);
    TPdf417Figure pdf;
    pdf.X = 15;
    pdf.Y = 16;
    pdf.MaxWidth = 200;
    pdf.MaxHeight = 100;
    pdf.SecurityLevel = 3;
    pdf.Position = 1;
    pdf.ModuleWidth = 6;
    pdf.ModuleHeight = 24;
    pdf.MaxRows = 10;
    pdf.MaxCols = 3;
    pdf.Data = "V01";
    AppendFigure(pdf);
    ASSERT_TRUE(PrintLabel());
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n?\r\n" + PRINT_SETUP +
                                 "A0,0,0,Z,1,1,N,*\"s\"\r\n"
                                 "LW1,2,3,4\r\n"
                                 "LS5,6,3E,7,8\r\n"
                                 "X9,10,1,11,12\r\n"
                                 "GG13,14,\"PICT0001\"\r\n"
                                 "b15,16,P,200,100,s2,r10,l3,V01\r\n"
                                 "P1\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
}

TEST_F(PrintingTest, NothingToPrintWithoutADrawableFigure)
{
    EXPECT_FALSE(PrintLabel());
    AppendFigure(TSoftFontFigure{});
    EXPECT_FALSE(PrintLabel());
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[1].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[1].text, "Nothing to print");
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(PrintingTest, ARefusedWriteStopsTheStreamAndAdvancesNothing)
{
    AddSmallLabel();
    AddBulk();
    printer.OnCommand("VC", [](test::PrinterEmulator& p, const std::string&) { p.Stall(); });
    EXPECT_FALSE(PrintLabel());
    EXPECT_EQ(CommLink.WriteAborted, 1);
    ASSERT_FALSE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.messageBoxes.back().text, RETRY_QUESTION);
    // Closing and reporting are the caller's: the test print dialog reports,
    // the new-values dialog does not.
    EXPECT_FALSE(HasEvent("error:Error:No printer response"));
    EXPECT_EQ(Counters[1].Value, "10");
    EXPECT_GE(CommLink.PortHandle, 0);
    ClosePort();
    printer.Resume();
    EXPECT_TRUE(printer.WaitForLines(3));
    EXPECT_EQ(printer.Received().find("P1\r\n"), std::string::npos);
}

TEST_F(PrintingTest, DirectGraphicsSendsPicturesAsRawGraphics)
{
    Settings.DirectGraphics = 1;
    TPictureFigure picture;
    picture.X = 4;
    picture.Y = -1;
    picture.Width = 10;
    picture.Height = 3;
    picture.Name = "LOGO";
    picture.Data = std::make_shared<TPictureData>();
    picture.Data->BytesPerLine = 2;
    picture.Data->Rows = {0x01, 0x02, 0xC4, 0x00};
    picture.DataLength = static_cast<std::uint16_t>(picture.Data->BlockLength());
    AppendFigure(picture);
    ASSERT_TRUE(PrintLabel());
    // Row 0 is above the label; the run of row 1 ends with it, so row 2 has
    // no data and goes out white, as it is drawn.
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n?\r\n" + PRINT_SETUP + "GW4,0,2,2,\x00\x3F\xFF\xFF\r\nP1\r\n"s;
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
}

TEST_F(PrintingTest, DirectGraphicsSendsSoftFontTextGlyphByGlyph)
{
    Settings.DirectGraphics = 1;
    AppendFigure(SoftFont("A"));
    TTextFigure text;
    text.X = 10;
    text.Y = 20;
    text.Font = 6;
    text.Data = "\"AB\"";
    AppendFigure(text);
    ASSERT_TRUE(PrintLabel());
    // Glyph A has its left dot inked, glyph B its fifth and seventh dots;
    // the pen moves by the advance plus two.
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n?\r\n" + PRINT_SETUP +
                                 "GW10,20,1,1,\x7F\r\nGW15,20,1,1,\xF5\r\nP1\r\n"s;
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(SendGlyphsAsGraphics, 0);
}

// A soft font the label holds no glyphs of can't be drawn as graphics: the
// printer gets the text's line and uses its own font of that letter.
TEST_F(PrintingTest, DirectGraphicsSendsATextInAFontTheLabelLacksAsItsLine)
{
    Settings.DirectGraphics = 1;
    TTextFigure text;
    text.X = 10;
    text.Y = 20;
    text.Font = 'Q';
    text.Data = "\"AB\"";
    AppendFigure(text);
    ASSERT_TRUE(PrintLabel());
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n?\r\n" + PRINT_SETUP + "A10,20,0,Q,1,1,N,\"AB\"\r\nP1\r\n"s;
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
}

TEST_F(PrintingTest, WithoutDirectGraphicsAPictureIsCalledByName)
{
    TPictureFigure picture;
    picture.X = 4;
    picture.Y = 9;
    picture.Name = "LOGO";
    AppendFigure(picture);
    ASSERT_TRUE(PrintLabel());
    const std::string expected = "\r\nUN\r\nN\r\nVC\r\n?\r\n" + PRINT_SETUP + "GG4,9,\"LOGO\"\r\nP1\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
}

std::shared_ptr<TPictureData> SmallPicture()
{
    auto data = std::make_shared<TPictureData>();
    data->BytesPerLine = 1;
    data->Rows = {0xC1, 0xAA, 0x55};
    return data;
}

TFigurePayload PictureAt(int x, const char* name, std::shared_ptr<TPictureData> data)
{
    TPictureFigure picture;
    picture.X = static_cast<std::int16_t>(x);
    picture.Width = 8;
    picture.Height = 2;
    picture.Name = name;
    picture.DataLength = data ? static_cast<std::uint16_t>(data->BlockLength()) : 0;
    picture.Data = std::move(data);
    return picture;
}

std::string PcxHeaderOfSmallPicture()
{
    std::string header(128, '\0');
    const char head[] = {10, 5, 1, 1, 0, 0, 0, 0, 7, 0, 1, 0, (char)150, 0, (char)150, 0, 0, 0, 0, (char)255, (char)255,
                         (char)255};
    header.replace(0, sizeof head, head, sizeof head);
    header[65] = 1;
    header[66] = 1;
    header[68] = 1;
    return header;
}

TEST_F(PrintingTest, StoreSendsFormSharedPicturesOnceAndFonts)
{
    DefineRecord(Variables[2], 5, 0, "P\\", "v");
    TTextFigure text;
    text.X = 1;
    text.Y = 2;
    text.Font = 6;
    text.Data = "\"T\"";
    AppendFigure(text);
    const auto shared = SmallPicture();
    AppendFigure(PictureAt(0, "LOGO", shared));
    AppendFigure(PictureAt(50, "LOGO", shared));
    AppendFigure(PictureAt(5, "EMPTY", nullptr));
    AppendFigure(SoftFont("A"));
    FigureList.FigureHead->Flags = FigureFlag::DataWritten;  // left over marks are cleared first

    StoreCurrentForm("F1");

    const std::string fontBlock(FONT_BLOCK.begin(), FONT_BLOCK.end());
    const std::string expected = "\r\nN\r\nFK\"F1\"\r\nFS\"F1\"\r\n"
                                 "V02,05,N,\"P\\\\\"\r\n" +
                                 STORE_SETUP +
                                 "A1,2,0,A,1,1,N,\"T\"\r\n"
                                 "GG0,0,\"LOGO\"\n"
                                 "GG50,0,\"LOGO\"\n"
                                 "GG5,0,\"EMPTY\"\n"
                                 "FE\r\n"
                                 "\r\n\nGK\"LOGO\"\r\nGM\"LOGO\"131\n" +
                                 PcxHeaderOfSmallPicture() + "\xC1\xAA\x55\r\n\n\n" +
                                 "\r\n\nEK\"A\"\r\nES\"A\"" + fontBlock + std::string(256, '\r') + "\r\nFR\"F1\"\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Store current form as F1", "pause:150",
                                                   "text:Store picture \"LOGO\"", "pause:100", "pause:100",
                                                   "text:Store font \"A\"", "pause:100", "pause:50"}));
    EXPECT_EQ(StatusBoxEnabled, 0);
    EXPECT_EQ(CommLink.PortHandle, -1);
    for (const TFigure* figure : Figures()) {
        EXPECT_EQ(figure->Flags & FigureFlag::DataWritten, 0);
    }
}

TEST_F(PrintingTest, ARefusedWriteEndsTheStoreAndClosesThePort)
{
    AppendFigure(PictureAt(0, "LOGO", SmallPicture()));
    AddBulk();
    printer.OnCommand("FS", [](test::PrinterEmulator& p, const std::string&) { p.Stall(); });
    StoreCurrentForm("F2");
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_EQ(CommLink.PortHandle, -1);
    EXPECT_FALSE(std::find(ui.events.begin(), ui.events.end(), "text:Store picture \"LOGO\"") != ui.events.end());
    EXPECT_EQ(FigureList.FigureHead->Flags & FigureFlag::DataWritten, 0);
}

TEST_F(PrintingTest, StoredFormPrintSelectsTheFormAndPrintsSetsAndCopies)
{
    Settings.PrintSets = 2;
    Settings.PrintCopies = 3;
    ASSERT_TRUE(PrintStoredForm("SHIP"));
    const std::string expected = "\r\nUN\r\nFR\"SHIP\"\r\n\n\rP2,3\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(PrintingTest, ContinuePrintSendsPcAndReports)
{
    StatusBoxEnabled = 0;
    ContinuePrint();
    const std::string expected = "\n\rUN\r\nPC\r\n";
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"text:Continue interrupted print ...", "close"}));
    EXPECT_EQ(StatusBoxEnabled, 1);
}

TEST_F(PrintingTest, BitmapTestPrintSendsOneRawGraphic)
{
    LabelSetup.Darkness = 11;
    // 16 dots wide, two rows, scan lines padded to four bytes.
    const std::vector<std::uint8_t> bits = {0x01, 0x0A, 0xEE, 0xEE, 0x0D, 0x00, 0xEE, 0xEE};
    ASSERT_TRUE(TestPrintBitmap({16, 2, 4, bits}));
    const std::string expected = "\r\nN\r\nQ2,80\r\nq16\r\nD11\r\nGW0,0,2,2,\x01\x0A\x0D\x00\r\nP1\r\n"s;
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
}

TEST_F(PrintingTest, BitmapTestPrintRefusesABitmapShorterThanItsRows)
{
    const std::vector<std::uint8_t> bits(5);
    EXPECT_FALSE(TestPrintBitmap({16, 2, 4, bits}));
    EXPECT_EQ(printer.Received(), "");
}

TEST_F(PrintingTest, SendRawBytesStopsAtTheFirstRefusedByte)
{
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(SendRawBytes("\x00\x01\xFF"s));
    EXPECT_EQ(ReceivedBytes(3), "\x00\x01\xFF"s);
    ClosePort();
}

TEST_F(PrintingTest, GlyphGraphicsGoToThePrinter)
{
    PrinterFont.GlyphRenderBuffer.fill(0xFF);
    PrinterFont.GlyphRenderBuffer[0] = 0x81;
    ASSERT_TRUE(OpenPort());
    SendGlyphGraphics(1, 2, 1, 1, 3);
    EXPECT_TRUE(SendPictureByte(0x00, 4, 0));
    const std::string expected = "GW1,2,1,3,\x81\x81\x81\r\n\x0F"s;
    EXPECT_EQ(ReceivedBytes(expected.size()), expected);
    ClosePort();
}

struct CounterCase {
    const char* value;
    int step;
    std::int64_t labels;
    const char* result;
};

class IncrementCountersTest : public test::EngineTest, public ::testing::WithParamInterface<CounterCase> {};

TEST_P(IncrementCountersTest, AdvancesByLabelsTimesStep)
{
    DefineRecord(Counters[3], 8, GetParam().step, "", GetParam().value);
    Counters[4].Value = "5";
    Counters[4].Step = 1;
    IncrementCounters(GetParam().labels);
    EXPECT_EQ(Counters[3].Value, GetParam().result);
    EXPECT_EQ(Counters[4].Value, "5");  // not defined
}

INSTANTIATE_TEST_SUITE_P(Values, IncrementCountersTest,
                         ::testing::Values(CounterCase{"10", -2, 3, "4"}, CounterCase{"10", 1, 1, "11"},
                                           CounterCase{"  7x", 5, 2, "17"}, CounterCase{"abc", 1, 1, "1"},
                                           CounterCase{"", -1, 1, "-1"}, CounterCase{"-3", 2, 0, "-3"},
                                           CounterCase{"9223372036854775806", 3, 1, "9223372036854775807"},
                                           CounterCase{"-9223372036854775800", -128, 999, "-9223372036854775808"},
                                           CounterCase{"99999999999999999999999", 1, 1, "9223372036854775807"}));

}  // namespace
}  // namespace zk
