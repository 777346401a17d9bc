// Loading a stored form back into the label over the emulator.

#include <gtest/gtest.h>

#include "engine/barcode/barcode_types.h"
#include "engine/config/program_paths.h"
#include "engine/formread/receive_form.h"
#include "engine/labelfile/label_file.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/label_writer.h"
#include "engine/link/comm_link.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "engine/print/command_lines.h"
#include "engine/render/redraw.h"
#include "tests/engine/memory/memory_fixture.h"

namespace zk {
namespace {

class ReceiveFormTest : public test::MemoryExchangeTest {
protected:
    ReceiveFormTest()
    {
        memory.StoreGraphics("LOGO", logo);
        memory.StoreGraphics("SEAL", test::MakePcxFile(8, 1, 1, "\xFF"));
        memory.StoreFont("A", fontA);
        memory.StoreFont("B", test::MakeFontData("B", 2));
        memory.SetValue("V00", "Bob");
        memory.SetValue("C00", "0041");
    }

    std::vector<TFigure*> FiguresOfKind(TFigureKind kind) const
    {
        std::vector<TFigure*> found;
        for (TFigure* figure : Figures()) {
            if (figure->Is(kind)) found.push_back(figure);
        }
        return found;
    }

    // 20 x 3 dots, 3 bytes a row, two rows run-length coded.
    const std::string logo = test::MakePcxFile(20, 3, 3, std::string("\xC3\xF0\xC3\x0F\xC3\xAA", 6));
    const std::string fontA = test::MakeFontData("AB", 4);
};

const std::vector<std::string> shipForm = {
    "V00,10,N,\"Name\"",
    "C00,04,R0,+1,\"Serial\"",
    "D10",
    "S3",
    "I2",
    "ZB",
    "Q300,B16+4",
    "q400",
    "j1",
    "TDDD/MN/Y4",
    "TTH:M",
    "R8,8",
    "A10,20,0,a,1,2,N,\"Soft\"",
    "A10,60,1,3*,2,2,R,*V00",
    "A10,90,0,A,1,1,N,C00",
    "B20,100,0,1E,2,4,60,BC,\"1234\"",
    "LO0,0,100,4",
    "LS5,5,3E,200,5",
    "X1,1,2,300,200",
    "GG10,10,\"LOGO\"",
    "GG50,10,\"LOGO\"",
    "GG90,10,\"logo\"",
    "b30,30,P,300,200,s2,x3,\"PDF\"",
    "N",
};

TEST_F(ReceiveFormTest, EveryLineKindComesBackIntoTheLabel)
{
    memory.StoreForm("SHIP", shipForm);
    std::vector<LabelLoadTarget> loaded;
    LabelLoadedHook = [&loaded](LabelLoadTarget target) { loaded.push_back(target); };
    ASSERT_TRUE(ReceiveForm("SHIP"));
    LabelLoadedHook = nullptr;

    EXPECT_EQ(loaded, (std::vector<LabelLoadTarget>{LabelLoadTarget::Editor}));
    EXPECT_EQ(memory.ActiveForm(), "SHIP");
    EXPECT_EQ(LabelSetup.Darkness, 10);
    EXPECT_EQ(LabelSetup.Speed, 3);
    EXPECT_EQ(LabelSetup.Language, 2);
    EXPECT_EQ(LabelSetup.Orientation, 1);
    EXPECT_EQ(LabelSetup.LabelLength, 300);
    EXPECT_EQ(LabelSetup.LabelGap, 16);
    EXPECT_EQ(LabelSetup.LabelOffset, 4);
    EXPECT_EQ(LabelSetup.PaperType, 2);
    EXPECT_EQ(LabelSetup.LabelWidth, 400);
    EXPECT_EQ(LabelSetup.NormalSpacing, 0);
    EXPECT_EQ(LabelSetup.DateFormat.view(), "DD/MN/Y4");
    EXPECT_EQ(LabelSetup.TimeFormat.view(), "H:M");
    EXPECT_EQ(LabelSetup.LeftMargin, 0);  // the reference point is not read back

    const auto texts = FiguresOfKind(TFigureKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->Text().Font, 6);
    EXPECT_EQ(texts[1]->Text().Font, 3);
    EXPECT_EQ(texts[1]->Text().Attributes, 1 | TextAttr::UseEnglish | TextAttr::ReverseDirection);
    EXPECT_EQ(texts[1]->Text().Data.view(), "V00");
    EXPECT_EQ(texts[2]->Text().Font, 6);

    const auto barcodes = FiguresOfKind(TFigureKind::Barcode);
    ASSERT_EQ(barcodes.size(), 1u);
    EXPECT_EQ(barcodes[0]->Barcode().Type, static_cast<int>(BarcodeType::Ean128));
    EXPECT_EQ(FiguresOfKind(TFigureKind::Bar).size(), 1u);
    EXPECT_EQ(FiguresOfKind(TFigureKind::Line).size(), 1u);
    EXPECT_EQ(FiguresOfKind(TFigureKind::Box).size(), 1u);
    ASSERT_EQ(FiguresOfKind(TFigureKind::Pdf417).size(), 1u);
    EXPECT_EQ(FiguresOfKind(TFigureKind::Pdf417)[0]->Pdf417().SecurityLevel, 3);

    // Two figures share one block; the lower-case name keeps no data.
    const auto pictures = FiguresOfKind(TFigureKind::Picture);
    ASSERT_EQ(pictures.size(), 3u);
    const TPictureFigure& first = pictures[0]->Picture();
    ASSERT_NE(first.Data, nullptr);
    EXPECT_EQ(first.Data, pictures[1]->Picture().Data);
    EXPECT_EQ(first.Data->RefCount, 2u);
    EXPECT_EQ(first.Width, 20);
    EXPECT_EQ(first.Height, 3);
    EXPECT_EQ(first.Data->BytesPerLine, 3);
    EXPECT_EQ(first.DataLength, logo.size() - 126);
    EXPECT_EQ(std::string(first.Data->Rows.begin(), first.Data->Rows.end()), logo.substr(128));
    EXPECT_EQ(pictures[1]->Picture().Width, 20);
    EXPECT_EQ(pictures[1]->Picture().X, 50);
    EXPECT_EQ(pictures[2]->Picture().Data, nullptr);
    EXPECT_EQ(pictures[2]->Picture().DataLength, 0);

    // Only font A is used and fetched; it is the label's first soft font.
    const auto fonts = FiguresOfKind(TFigureKind::Font);
    ASSERT_EQ(fonts.size(), 1u);
    const TSoftFontFigure& font = fonts[0]->SoftFont();
    EXPECT_EQ(font.Letter.view(), "A");
    EXPECT_EQ(font.CharCount, 2);
    EXPECT_EQ(font.Height, 4);
    EXPECT_EQ(static_cast<std::size_t>(font.DataLength), fontA.size());
    ASSERT_NE(font.Data, nullptr);
    EXPECT_EQ(std::string(font.Data->Bytes.begin(), font.Data->Bytes.end()), fontA);
    const auto lines = printer.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "EI\"B\""), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "GI\"LOGO\""), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "GI\"SEAL\""), 0);

    EXPECT_EQ(Variables[0].Defined, 1);
    EXPECT_EQ(Variables[0].Prompt.view(), "Name");
    EXPECT_EQ(Variables[0].Value.view(), "Bob");
    EXPECT_EQ(Counters[0].Step, 1);
    EXPECT_EQ(Counters[0].PadChar, '0');
    EXPECT_EQ(Counters[0].Value.view(), "0041");
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(ReceiveFormTest, LoadFormFromPrinterReportsOnceAndClosesTheList)
{
    memory.StoreForm("SHIP", shipForm);
    Variables[7].Defined = 1;
    LoadFormFromPrinter("SHIP");
    EXPECT_EQ(Variables[7].Defined, 0);
    EXPECT_EQ(ui.events.front(), "close:ObjList");
    EXPECT_EQ(ui.events[1], "busy:Receiving form \"SHIP\"");
    EXPECT_EQ(ui.events.back(), "close");
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "close"), 1);
    EXPECT_TRUE(SawEvent("text:Receiving graphics \"LOGO\""));
    EXPECT_TRUE(SawEvent("text:Receiving font \"A\""));
    EXPECT_TRUE(SawEvent("text:Receiving variables"));
    EXPECT_TRUE(GraphicsNameList.empty());
    EXPECT_TRUE(FontNameList.empty());
    EXPECT_EQ(CountFigures(), 12u);
}

// Every way a read-back can fail once it has begun: the label, its setup,
// its variables and counters stay exactly as they were, the editor is not
// told of a new label, and the user is told why.
struct ReadBackFailure {
    const char* name;
    std::function<void(test::PrinterEmulator& printer, test::PrinterMemory& memory)> fault;
    std::string message;
};

void PrintTo(const ReadBackFailure& failure, std::ostream* out) { *out << failure.name; }

class ReadBackFailureTest : public ReceiveFormTest, public ::testing::WithParamInterface<ReadBackFailure> {};

TEST_P(ReadBackFailureTest, LeavesTheLabelExactlyAsItWas)
{
    LinkTimeouts.ReplyDrainMs = 300;
    memory.StoreForm("SHIP", shipForm);
    GetParam().fault(printer, memory);
    ASSERT_EQ(AppendFigure(TBoxFigure{1, 2, 30, 40, 3}), 0);
    ASSERT_EQ(AppendFigure(TBarFigure{5, 6, 7, 8, 1}), 0);
    LabelSetup.Darkness = 14;
    LabelSetup.LabelLength = 777;
    LabelSetup.DateFormat = "Y4/MN/DD";
    Variables[3].Defined = 1;
    Variables[3].Value = "kept";
    Counters[2].Defined = 1;
    const ByteSink before = EncodeLabelFile();
    bool hookCalled = false;
    LabelLoadedHook = [&hookCalled](LabelLoadTarget) { hookCalled = true; };

    LoadFormFromPrinter("SHIP");
    LabelLoadedHook = nullptr;

    EXPECT_TRUE(EncodeLabelFile() == before);
    EXPECT_EQ(CountFigures(), 2u);
    EXPECT_FALSE(hookCalled);
    EXPECT_TRUE(SawEvent(GetParam().message));
    EXPECT_EQ(CommLink.PortHandle, -1);
}

const std::string noResponse = "error:Error:No printer response";

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadBackFailureTest,
    ::testing::Values(
        ReadBackFailure{"ListingStopsHalfWay",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.OnCommand("FI\"", [](test::PrinterEmulator& p, const std::string&) {
                                p.Send("D3\r\nQ300,24\r\nLO1,1,5,5\r\nV00,10,N,\"Name\"\r\n");
                            });
                        },
                        noResponse},
        ReadBackFailure{"PictureDoesNotCome",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.ReplyTo("GI\"", std::string("\x00\xF0", 2) + "short");
                        },
                        noResponse},
        ReadBackFailure{"FontDoesNotCome",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.ReplyTo("EI\"", std::string("\x00\x40", 2) + "short");
                        },
                        noResponse},
        ReadBackFailure{"VariablesDoNotCome",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.OnCommand("VI", [](test::PrinterEmulator&, const std::string&) {});
                        },
                        noResponse},
        ReadBackFailure{"LineNeverEnds",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.OnCommand("FI\"", [](test::PrinterEmulator& p, const std::string&) {
                                p.Send("D3\r\nLO1,1,5,5\r\n");
                                // As long as the engine reads, more of the same line.
                                p.SendWhileTaken([] { return std::string(512, 'A'); });
                            });
                        },
                        "error:Error:Form line longer than 3140 characters does not end. Form not loaded"},
        ReadBackFailure{"ListingNeverEnds",
                        [](test::PrinterEmulator& printer, test::PrinterMemory&) {
                            printer.OnCommand("FI\"", [](test::PrinterEmulator& p, const std::string&) {
                                p.SendWhileTaken([] { return std::string("D3\r\nZB\r\n"); });
                            });
                        },
                        "error:Error:Form has more than 1000 lines. Form not loaded"},
        ReadBackFailure{"MoreFiguresThanALabelMayHold",
                        [](test::PrinterEmulator&, test::PrinterMemory& memory) {
                            std::vector<std::string> lines = {"D3"};
                            for (std::size_t i = 0; i <= MaxLabelFigures; ++i) {
                                lines.push_back("LO1,1,5," + std::to_string(i % 100 + 1));
                            }
                            memory.StoreForm("SHIP", lines);
                        },
                        "error:Error:Form has more than 500 figures. Form not loaded"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceiveFormTest, AGraphicsReplyTooShortForAPcxFileKeepsTheFigureWithoutData)
{
    memory.StoreGraphics("TINY", std::string(40, 'x'));
    memory.StoreForm("F", {"GG1,1,\"TINY\"", "GG2,2,\"TINY\"", "GG3,3,\"LOGO\""});
    ASSERT_TRUE(ReceiveForm("F"));
    const auto pictures = FiguresOfKind(TFigureKind::Picture);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0]->Picture().Data, nullptr);
    EXPECT_EQ(pictures[1]->Picture().Data, nullptr);
    EXPECT_NE(pictures[2]->Picture().Data, nullptr);  // the link stayed in step
}

TEST_F(ReceiveFormTest, APictureWithoutDataIsDrawnSavedAndReadBack)
{
    memory.StoreForm("F", {"GG90,10,\"logo\"", "GG3,3,\"LOGO\""});
    ASSERT_TRUE(ReceiveForm("F"));
    ASSERT_EQ(FigureList.FigureHead->Picture().Data, nullptr);
    RedrawLabel(RedrawEditor);
    ASSERT_TRUE(EnsureUserDir());
    ASSERT_TRUE(SaveLabelFile(true));
    ASSERT_TRUE(LoadLabelFile(ProgramPaths.TempLabelFileName));
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Picture().Name.view(), "logo");
    EXPECT_NE(FigureList.FigureTail->Picture().Data, nullptr);
}

TEST_F(ReceiveFormTest, FontLettersThePrinterLacksKeepTheirCode)
{
    memory.StoreForm("F", {"A0,0,0,Q,1,1,N,\"x\"", "A0,0,0,B,1,1,N,\"y\""});
    ASSERT_TRUE(ReceiveForm("F"));
    const auto texts = FiguresOfKind(TFigureKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text().Font, 'Q');
    EXPECT_EQ(texts[1]->Text().Font, 6);
    ASSERT_EQ(FiguresOfKind(TFigureKind::Font).size(), 1u);
    EXPECT_EQ(FiguresOfKind(TFigureKind::Font)[0]->SoftFont().Letter.view(), "B");
}

TEST_F(ReceiveFormTest, ARefusedFontLeavesItsTextsWithoutAFontAndTheOthersNumbered)
{
    // A's block is over the 49152 bytes a soft font may have: it is read to
    // its end and dropped, no font figure is appended for it, and B still
    // becomes the first soft font.
    memory.StoreFont("A", "\x05" + std::string(1, '\0') + "\x10" + std::string(50000, 'x'));
    memory.StoreForm("F", {"A0,0,0,A,1,1,N,\"in A\"", "A0,40,0,B,1,1,N,\"in B\"", "LO1,1,5,5"});
    LoadFormFromPrinter("F");
    const auto texts = FiguresOfKind(TFigureKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text().Font, 'A');
    EXPECT_EQ(texts[1]->Text().Font, 6);
    const auto fonts = FiguresOfKind(TFigureKind::Font);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->SoftFont().Letter.view(), "B");
    EXPECT_EQ(fonts[0]->SoftFont().Data->Bytes.size(), test::MakeFontData("B", 2).size());
    EXPECT_EQ(ui.events.back(), "error:Warning:Font A not loaded (more than 49152 bytes or not a font)");
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "close"), 0);
    EXPECT_EQ(CountFigures(), 4u);
}

// A PDF417 line of exactly length characters.
std::string Pdf417LineOf(std::size_t length)
{
    const std::string head = "b30,30,P,300,200,";
    return head + "\"" + std::string(length - head.size() - 2, 'd') + "\"";
}

TEST_F(ReceiveFormTest, ALineAsLongAsTheWritersMakeLoadsALongerOneIsSkippedWhole)
{
    // The end of the last long line would read as a bar line if the line
    // were taken in pieces.
    memory.StoreForm("F", {"LO1,1,5,5", Pdf417LineOf(LongestCommandLine), Pdf417LineOf(LongestCommandLine + 1),
                           std::string(13 * 249, 'x') + "LO9,9,9,9", "LO2,2,6,6"});
    LoadFormFromPrinter("F");
    const auto bars = FiguresOfKind(TFigureKind::Bar);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0]->Bar().X, 1);
    EXPECT_EQ(bars[1]->Bar().X, 2);
    const auto pdfs = FiguresOfKind(TFigureKind::Pdf417);
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_EQ(pdfs[0]->Pdf417().Data, Pdf417LineOf(LongestCommandLine).substr(17));
    EXPECT_EQ(CountFigures(), 3u);
    EXPECT_EQ(ui.events.back(), "error:Warning:2 form lines longer than 3140 characters skipped");
}

TEST_F(ReceiveFormTest, GarbageLinesAreSkippedAndTheRestLoads)
{
    memory.StoreForm("F", {"A0,0,0,1,1,1,N,\"a\"", "\x7f\x80\xff garbage", "B,,,,,,,,", "X0,0,1",
                           "GG0,0,\"" + std::string(20, 'L') + "\"", "LO1,1,1,1"});
    ASSERT_TRUE(ReceiveForm("F"));
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_TRUE(FigureList.FigureHead->Is(TFigureKind::Text));
    EXPECT_TRUE(FigureList.FigureTail->Is(TFigureKind::Bar));
}

TEST_F(ReceiveFormTest, SilenceDuringTheListingFails)
{
    memory.StoreForm("F", {"D8"});
    printer.OnCommand("FI\"", [](test::PrinterEmulator& p, const std::string&) { p.Send("D8\r\n"); });
    EXPECT_FALSE(ReceiveForm("F"));
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(ReceiveFormTest, AFormFileStoredAndReadBackKeepsItsFigures)
{
    const std::string file =
        "; Saved by VORTAN Label Editor\r\nV01,08,L*,\"Lot\"\r\nD8\r\nS4\r\nI0\r\nZT\r\nTDDD-MN-Y4\r\nTTH:M:S\r\n"
        "Q200,24+8\r\nq384\r\nj0\r\nR0,0\r\nA10,10,0,2,1,1,B,\"Hello\"\r\nLW5,6,70,8\r\n\r\n";
    StoreFormFile(WriteFile("f.ejf", file), "FILE1");
    ASSERT_TRUE(WaitUntil([&] { return memory.ActiveForm() == "FILE1"; }));
    ASSERT_TRUE(ReceiveForm("FILE1"));
    ASSERT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Text().Attributes, 2);
    EXPECT_EQ(FigureList.FigureHead->Text().Data.view(), "\"Hello\"");
    EXPECT_EQ(FigureList.FigureTail->Bar().Mode, 2);
    EXPECT_EQ(Variables[1].Justification, 1);
    EXPECT_EQ(Variables[1].PadChar, '*');
    EXPECT_EQ(LabelSetup.LabelOffset, 8);
    EXPECT_EQ(LabelSetup.PaperType, 0);
    EXPECT_EQ(LabelSetup.NormalSpacing, 1);
}

}  // namespace
}  // namespace zk
