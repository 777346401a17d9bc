// Extracting printer objects to files over the emulator.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "engine/config/program_paths.h"
#include "engine/expr/clock.h"
#include "engine/memory/exchange_steps.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/label_setup.h"
#include "engine/print/command_lines.h"
#include "tests/engine/memory/memory_fixture.h"

namespace zk {
namespace {

class ExtractObjectsTest : public test::MemoryExchangeTest {
protected:
    ExtractObjectsTest() { SetClockNow(TClockTime{2026, 3, 7, 10, 0, 0}); }
    ~ExtractObjectsTest() override { SetClockNow(std::nullopt); }

    std::string PathOf(const std::string& name) const { return (TempDir() / name).string(); }
};

TEST_F(ExtractObjectsTest, FormFileStartsWithTheDatedHeaderAndEndsWithAnEmptyLine)
{
    memory.StoreForm("SHIP", {"D8", "A10,10,0,1,1,1,N,\"x\""});
    const std::string path = PathOf("ship.ejf");
    ExtractFormToFile("SHIP", path);
    EXPECT_EQ(ReadFile(path),
              "; Saved by VORTAN label editor on 07-03-2026\r\nD8\r\nA10,10,0,1,1,1,N,\"x\"\r\n\r\n");
    EXPECT_EQ(printer.Lines().back(), "FI\"SHIP\"");
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Extracting form \"SHIP\"",
                                                   "error:Form \"SHIP\" successfully extracted:2 lines saved to " +
                                                       path}));
}

TEST_F(ExtractObjectsTest, AnExistingFileIsReplacedOnlyOnYes)
{
    memory.StoreForm("F", {"D8"});
    const std::string path = WriteFile("f.ejf", "old contents that are longer than the new ones ...........");
    ui.answers = {0};
    ExtractFormToFile("F", path);
    EXPECT_EQ(ui.OnlyMessage(), "File exists. Overwrite?");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warning");
    EXPECT_TRUE(ReadFile(path).starts_with("old contents"));

    ui.answers = {1};
    ExtractFormToFile("F", path);
    EXPECT_EQ(ReadFile(path), "; Saved by VORTAN label editor on 07-03-2026\r\nD8\r\n\r\n");
}

TEST_F(ExtractObjectsTest, GraphicsAndFontsAreWrittenAsTheirBlocks)
{
    const std::string pcx = test::MakePcxFile(16, 2, 2, std::string("\xC2\x00\xC2\xFF", 4));
    const std::string font = test::MakeFontData("AZ", 4);
    memory.StoreGraphics("LOGO", pcx);
    memory.StoreFont("K", font);

    ExtractGraphicsToFile("LOGO", PathOf("logo.pcx"));
    EXPECT_EQ(ReadFile(PathOf("logo.pcx")), pcx);
    EXPECT_EQ(ui.events.back(), "error:PCX file \"LOGO\" successfully extracted:" + std::to_string(pcx.size()) +
                                    " bytes saved to " + PathOf("logo.pcx"));
    // The path travels as a file name, shown as the desktop shows it.
    EXPECT_EQ(ui.busyError.Parts().back(), (TReportText::Part{TReportText::Kind::FileName, PathOf("logo.pcx")}));
    ExtractFontToFile("K", PathOf("k.zft"));
    EXPECT_EQ(ReadFile(PathOf("k.zft")), font);
    EXPECT_EQ(ui.events.back(), "error:Font \"K\" successfully extracted:" + std::to_string(font.size()) +
                                    " bytes saved to " + PathOf("k.zft"));
}

TEST_F(ExtractObjectsTest, ABlockAsLongAsTheBufferIsTakenOneMoreIsRefused)
{
    memory.StoreGraphics("FULL", std::string(ExtractionBufferSize, 'g'));
    memory.StoreGraphics("OVER", std::string(ExtractionBufferSize + 1, 'g'));
    ExtractGraphicsToFile("FULL", PathOf("full.pcx"));
    EXPECT_EQ(ReadFile(PathOf("full.pcx")).size(), ExtractionBufferSize);

    ExtractGraphicsToFile("OVER", PathOf("over.pcx"));
    EXPECT_FALSE(FileExists(PathOf("over.pcx")));
    EXPECT_EQ(ui.events.back(), "error:Error:Reply too long for the extraction buffer. Nothing saved");
    // The refused block was read to its end: the next exchange is in step.
    ASSERT_TRUE(ReceiveObjectList(ObjectKindGraphics));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"FULL", "OVER"}));
}

TEST_F(ExtractObjectsTest, AFormLongerThanTheBufferIsRefused)
{
    std::vector<std::string> lines(ExtractionBufferSize / 100 + 1, std::string(98, 'x'));
    memory.StoreForm("HUGE", lines);
    ExtractFormToFile("HUGE", PathOf("huge.ejf"));
    EXPECT_FALSE(FileExists(PathOf("huge.ejf")));
    EXPECT_EQ(ui.events.back(), "error:Error:Reply too long for the extraction buffer. Nothing saved");
    ASSERT_TRUE(ReceiveObjectList(ObjectKindForm));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"HUGE"}));
}

TEST_F(ExtractObjectsTest, AReplyThatNeverEndsIsCutOffAfterTheBufferAndAShortDrain)
{
    // The printer would go on for 10 MB, far longer than the buffer and the
    // drain after it take; the extraction stops while it still sends.
    LinkTimeouts.ReplyDrainMs = 200;
    constexpr std::size_t lineCount = 100000;
    auto sent = std::make_shared<std::atomic<std::size_t>>(0);
    printer.OnCommand("FI\"", [sent](test::PrinterEmulator& p, const std::string&) {
        p.SendWhileTaken([sent]() -> std::string {
            if (*sent == lineCount) {
                return {};
            }
            ++*sent;
            return std::string(98, 'x') + "\r\n";
        });
    });
    ExtractFormToFile("ENDLESS", PathOf("endless.ejf"));
    EXPECT_FALSE(FileExists(PathOf("endless.ejf")));
    EXPECT_EQ(ui.events.back(), "error:Error:Reply too long for the extraction buffer. Nothing saved");
    EXPECT_LT(sent->load(), lineCount);
}

TEST_F(ExtractObjectsTest, ALineAsLongAsTheWritersMakeIsSavedALongerOneWritesNoFile)
{
    const std::string longest(LongestCommandLine, 'x');
    memory.StoreForm("LONG", {"D8", longest});
    memory.StoreForm("OVER", {"D8", longest + "y", "D9"});
    ExtractFormToFile("LONG", PathOf("long.ejf"));
    EXPECT_EQ(ReadFile(PathOf("long.ejf")),
              "; Saved by VORTAN label editor on 07-03-2026\r\nD8\r\n" + longest + "\r\n\r\n");

    ExtractFormToFile("OVER", PathOf("over.ejf"));
    EXPECT_FALSE(FileExists(PathOf("over.ejf")));
    EXPECT_EQ(ui.events.back(), "error:Error:Form line longer than 3140 characters. Nothing saved");
    ASSERT_TRUE(ReceiveObjectList(ObjectKindForm));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"LONG", "OVER"}));
}

TEST_F(ExtractObjectsTest, SilenceWritesNoFile)
{
    memory.StoreForm("F", {"D8"});
    memory.StoreGraphics("G", "x");
    printer.SetSilent(true);
    ExtractFormToFile("F", PathOf("f.ejf"));
    ExtractGraphicsToFile("G", PathOf("g.pcx"));
    EXPECT_FALSE(FileExists(PathOf("f.ejf")));
    EXPECT_FALSE(FileExists(PathOf("g.pcx")));
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "error:Error:No printer response"), 2);
}

// The printer trickles its reply, a byte every 250 ms, under the silence
// bound of 300 ms: a form line, a block and a refused block each end by their
// own deadline, and the extraction ends as silence does, long before the
// printer would stop.
TEST_F(ExtractObjectsTest, ATricklingReplyEndsTheExtractionWithNoPrinterResponse)
{
    using namespace std::chrono;
    Settings.BaudIndex = 6;
    LinkTimeouts.ReplyDrainMs = 300;
    const struct {
        const char* command;
        std::string head;  // sent at once, before the trickle
        std::function<void(const std::string&)> extract;
        const char* file;
    } rows[] = {
        {"FI\"", "", [](const std::string& p) { ExtractFormToFile("F", p); }, "f.ejf"},
        {"GI\"", std::string("\xff\xff", 2), [](const std::string& p) { ExtractGraphicsToFile("G", p); }, "g.pcx"},
        {"EI\"", std::string("\x01\x00", 2), [](const std::string& p) { ExtractFontToFile("A", p); }, "a.zft"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        ui.events.clear();
        printer.OnCommand(row.command, [head = row.head](test::PrinterEmulator& p, const std::string&) {
            p.Send(head);
            p.Trickle(std::string(200, 'x'), milliseconds(250));
        });
        const auto start = steady_clock::now();
        row.extract(PathOf(row.file));
        EXPECT_LT(steady_clock::now() - start, seconds(3));
        EXPECT_FALSE(FileExists(PathOf(row.file)));
        EXPECT_TRUE(SawEvent("error:Error:No printer response")) << ::testing::PrintToString(ui.events);
        // What the printer still sends is no part of the next case.
        printer.Trickle("", milliseconds(250));
        std::this_thread::sleep_for(milliseconds(300));
        ASSERT_TRUE(OpenPort());
        EXPECT_TRUE(DiscardWaitingBytes());
        ClosePort();
    }
}

TEST_F(ExtractObjectsTest, ABlockCutShortWritesNoFile)
{
    printer.ReplyTo("EI\"", std::string("\x00\x10short", 7));
    ExtractFontToFile("A", PathOf("a.zft"));
    EXPECT_FALSE(FileExists(PathOf("a.zft")));
    EXPECT_TRUE(SawEvent("error:Error:No printer response"));
}

TEST_F(ExtractObjectsTest, AnUnwritableFileIsReported)
{
    memory.StoreForm("F", {"D8"});
    ExtractFormToFile("F", PathOf("missing/dir/f.ejf"));
    EXPECT_EQ(ui.events.back(), "error:Error:Can't open output file");
}

TEST_F(ExtractObjectsTest, SaveObjectAsRunsTheSaveDialogOfTheKind)
{
    memory.StoreGraphics("LOGO", "pcx bytes");
    PrinterObjectKind = ObjectKindGraphics;
    const std::string workDir = ProgramPaths.WorkDir;
    ui.saveFileChoices = {PathOf("logo.pcx")};
    SaveObjectAs("LOGO");
    ASSERT_EQ(ui.saveFileDialogs.size(), 1u);
    EXPECT_EQ(ui.saveFileDialogs[0].title, "Save graphics as");
    EXPECT_EQ(ui.saveFileDialogs[0].defaultExtension, "PCX");
    EXPECT_EQ(ui.saveFileDialogs[0].filter, "PCX format files (*.pcx)|*.PCX");
    EXPECT_EQ(ui.saveFileDialogs[0].initialDir, workDir);
    EXPECT_EQ(ReadFile(PathOf("logo.pcx")), "pcx bytes");
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");

    PrinterObjectKind = ObjectKindFont;
    SaveObjectAs("A");  // cancelled
    EXPECT_EQ(ui.saveFileDialogs.back().title, "Save font as");
    EXPECT_EQ(ui.saveFileDialogs.back().filter, "Label font files (*.zft)|*.ZFT");

    PrinterObjectKind = ObjectKindForm;
    SaveObjectAs("F");
    EXPECT_EQ(ui.saveFileDialogs.back().title, "Save form as");

    PrinterObjectKind = ObjectKindCurrentLabel;
    SaveObjectAs("F");
    EXPECT_EQ(ui.saveFileDialogs.size(), 3u);
}

}  // namespace
}  // namespace zk
