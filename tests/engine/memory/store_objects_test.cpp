// Storing form and font files in printer memory over the emulator.

#include <filesystem>

#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/link/comm_link.h"
#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"
#include "engine/model/figure_list.h"
#include "tests/engine/memory/memory_fixture.h"

namespace zk {
namespace {

using StoreObjectsTest = test::MemoryExchangeTest;

const std::string formFile = "; Saved by VORTAN Label Editor\r\nV00,10,N,\"Name\"\r\nD8\r\nA10,10,0,1,1,1,N,V00\r\n\r\n";

TEST_F(StoreObjectsTest, FormFileIsSentBetweenFsAndFeAndSelected)
{
    const std::string path = WriteFile("ship.ejf", formFile);
    StoreFormFile(path, "SHIP");

    ASSERT_TRUE(WaitUntil([&] { return memory.Forms().contains("SHIP"); }));
    EXPECT_EQ(memory.Forms().at("SHIP"), (std::vector<std::string>{"; Saved by VORTAN Label Editor",
                                                                    "V00,10,N,\"Name\"", "D8",
                                                                    "A10,10,0,1,1,1,N,V00"}));
    EXPECT_EQ(printer.Received(),
              "\r\n\nN\r\nFK\"SHIP\"\r\nFS\"SHIP\"\r\n" + formFile + "\r\nFE\r\nFR\"SHIP\"\r\n\r\nUF\r\n");
    EXPECT_EQ(memory.ActiveForm(), "SHIP");
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"SHIP"}));
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Store form SHIP", "pause:150", "close",
                                                   "busy:Receiving form list", "close"}));
}

TEST_F(StoreObjectsTest, MissingInputFileSendsNothing)
{
    StoreFormFile((TempDir() / "none.ejf").string(), "X");
    StoreFontFile((TempDir() / "none.zft").string(), "A");
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(ui.messageBoxes[0].text, "Can't open input file");
    EXPECT_EQ(ui.messageBoxes[1].text, "Can't open input file");
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, AnUnreadableInputFileSendsNothing)
{
    // A directory in place of the file, and the process's own memory file,
    // whose read at address 0 fails with a real I/O error.
    const std::string directory = (TempDir() / "form.ejf").string();
    std::filesystem::create_directory(directory);
    const std::string failingRead = (TempDir() / "font.zft").string();
    std::filesystem::create_symlink("/proc/self/mem", failingRead);

    EXPECT_NO_THROW(StoreFormFile(directory, "X"));
    EXPECT_NO_THROW(StoreFontFile(failingRead, "A"));
    EXPECT_NO_THROW(StoreFormFile(failingRead, "Y"));
    ASSERT_EQ(ui.messageBoxes.size(), 3u);
    for (const auto& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.text, "Can't open input file");
    }
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, FontFileIsSentWithoutItsTextHeaderAndEndedByTheCrRun)
{
    const std::string font = test::MakeFontData("AB", 3);
    const std::vector<std::pair<std::string, std::string>> cases = {{"", "A"}, {"\r\nEK\"Q\"\r\nES\"Q\"", "B"}};
    for (const auto& [header, name] : cases) {
        SCOPED_TRACE(name);
        const std::size_t before = printer.Received().size();
        StoreFontFile(WriteFile("f.zft", header + font), name);
        ASSERT_TRUE(WaitUntil([&] { return memory.Fonts().contains(name); }));
        EXPECT_EQ(memory.Fonts().at(name), font);
        const std::string expected =
            "\r\n\nEK\"" + name + "\"\r\nES\"" + name + "\"" + font + std::string(256, '\r') + "\n\r\nUE\r\n";
        ASSERT_TRUE(WaitUntil([&] { return printer.Received().size() >= before + expected.size(); }));
        EXPECT_EQ(printer.Received().substr(before), expected);
        EXPECT_TRUE(StoreAsDlg.FList.Contains(name));
    }
}

TEST_F(StoreObjectsTest, PictureIsStoredFromTheStagingBufferAndEndedByLineFeeds)
{
    // 16 x 2 dots: per row a run of two white bytes.
    const std::string pcx = test::MakePcxFile(16, 2, 2, std::string("\xC2\xFF\xC2\xFF", 4));
    ui.openFileChoices = {WriteFile("logo.pcx", pcx)};
    ui.storeAsUser = [] {
        StoreAsDlg.ObjName = "LOGO";
        StoreAsConfirm();
    };
    StorePictureFileDialog();

    ASSERT_EQ(ui.openFileDialogs.size(), 1u);
    EXPECT_EQ(ui.openFileDialogs[0].title, "Load graphics");
    EXPECT_EQ(ui.openFileDialogs[0].filter, "Label printer graphics (*.pcx,*.bmp)|*.PCX;*.BMP");
    ASSERT_TRUE(WaitUntil([&] { return memory.Graphics().contains("LOGO"); }));
    EXPECT_EQ(memory.Graphics().at("LOGO"), pcx);
    const std::string expected = "\r\n\nGK\"LOGO\"\nGM\"LOGO\"" + std::to_string(pcx.size()) + "\n" + pcx +
                                 std::string(256, '\n') + "\r\nUG\r\n";
    ASSERT_TRUE(WaitUntil([&] { return printer.Received().size() >= expected.size() + 6; }));
    EXPECT_EQ(printer.Received().substr(6), expected);  // after the first list's UG
    EXPECT_TRUE(SawEvent("pause:100"));
    EXPECT_TRUE(SawEvent("busy:Store picture LOGO"));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"LOGO"}));
}

TEST_F(StoreObjectsTest, AnUnreadablePictureOpensNoStoreDialog)
{
    ui.openFileChoices = {WriteFile("bad.pcx", "not a picture")};
    StorePictureFileDialog();
    EXPECT_FALSE(SawEvent("dialog:StoreAs"));
    EXPECT_FALSE(ui.messageBoxes.empty());
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, InvalidNamesAreRefusedBeforeAnythingIsSent)
{
    PrinterObjectKind = ObjectKindForm;
    LoadFilesDlgFileName = WriteFile("a.ejf", formFile);
    StoreAsDlg.ObjName = "A-1";
    StoreAsConfirm();
    EXPECT_EQ(ui.OnlyMessage(), "Invalid name: A-1");
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, AnExistingNameAsksFirstAndComparesExactly)
{
    memory.StoreForm("SHIP", {"N"});
    PrinterObjectKind = ObjectKindForm;
    ASSERT_TRUE(ReceiveObjectList(ObjectKindForm));
    LoadFilesDlgFileName = WriteFile("a.ejf", formFile);

    StoreAsDlg.ObjName = "SHIP";
    ui.answers = {0};
    StoreAsConfirm();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warning");
    EXPECT_EQ(ui.messageBoxes[0].text, "Form exists. Overwrite ?");
    EXPECT_TRUE(ui.messageBoxes[0].yesNo);
    EXPECT_EQ(memory.Forms().at("SHIP"), (std::vector<std::string>{"N"}));

    StoreAsDlg.ObjName = "ship";
    StoreAsConfirm();
    EXPECT_EQ(ui.messageBoxes.size(), 1u);  // no question: the case differs
    ASSERT_TRUE(WaitUntil([&] { return memory.Forms().contains("ship"); }));

    StoreAsDlg.ObjName = "SHIP";
    ui.answers = {1};
    StoreAsConfirm();
    EXPECT_EQ(ui.messageBoxes.size(), 2u);
    ASSERT_TRUE(WaitUntil([&] { return memory.Forms().at("SHIP").size() == 4; }));
}

TEST_F(StoreObjectsTest, TheFontKindWordAsksForFonts)
{
    memory.StoreFont("A", test::MakeFontData("A", 2));
    ASSERT_TRUE(ReceiveObjectList(ObjectKindFont));
    LoadFilesDlgFileName = WriteFile("a.zft", test::MakeFontData("Z", 2));
    StoreAsDlg.ObjName = "A";
    StoreAsConfirm();
    EXPECT_EQ(ui.OnlyMessage(), "Font exists. Overwrite ?");
}

TEST_F(StoreObjectsTest, StoreFormDialogRunsTheFileDialogThenStoreAs)
{
    const std::string path = WriteFile("label.ejf", formFile);
    ui.openFileChoices = {path};
    ui.storeAsUser = [] {
        EXPECT_EQ(StoreAsDlg.Caption, "Store " + LoadFilesDlgFileName);
        StoreAsDlg.ObjName = "NEW1";
        StoreAsConfirm();
    };
    const std::string workDir = ProgramPaths.WorkDir;
    StoreFormFileDialog();

    ASSERT_EQ(ui.openFileDialogs.size(), 1u);
    const FileDialogOptions& request = ui.openFileDialogs[0];
    EXPECT_EQ(request.title, "Load form");
    EXPECT_EQ(request.defaultExtension, "EJF");
    EXPECT_EQ(request.filter, "Label printer forms (*.ejf)|*.EJF");
    EXPECT_EQ(request.initialDir, workDir);
    EXPECT_TRUE(request.fileName.empty());
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
    EXPECT_TRUE(SawEvent("dialog:StoreAs"));
    ASSERT_TRUE(WaitUntil([&] { return memory.Forms().contains("NEW1"); }));
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"NEW1"}));
}

TEST_F(StoreObjectsTest, StoreFontDialogTakesOneLetter)
{
    ui.openFileChoices = {WriteFile("f.zft", test::MakeFontData("A", 2))};
    std::size_t limit = 0;
    ui.storeAsUser = [&limit] { limit = StoreAsDlg.ObjNameMaxLength; };
    StoreFontFileDialog();
    EXPECT_EQ(limit, 1u);
    EXPECT_EQ(ui.openFileDialogs.at(0).title, "Load font");
    EXPECT_EQ(ui.openFileDialogs.at(0).filter, "Label printer fonts (*.zft)|*.ZFT");
    EXPECT_EQ(StoreAsDlg.ObjNameMaxLength, 8u);  // given back when the dialog closed
}

TEST_F(StoreObjectsTest, AnEmptyLabelHasNothingToStore)
{
    StoreCurrentLabelDialog();
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to store");
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, TheCurrentLabelDialogListsTheForms)
{
    memory.StoreForm("OLD", {"N"});
    AppendFigure(TBarFigure{});
    StoreCurrentLabelDialog();
    EXPECT_TRUE(SawEvent("dialog:StoreAs"));
    EXPECT_EQ(StoreAsDlg.Caption, "Store current label");
    EXPECT_EQ(StoreAsDlg.FList.Items, (std::vector<std::string>{"OLD"}));
    EXPECT_EQ(PrinterObjectKind, ObjectKindCurrentLabel);
}

TEST_F(StoreObjectsTest, CancelledFileDialogStopsAtOnce)
{
    StoreFormFileDialog();
    EXPECT_FALSE(SawEvent("dialog:StoreAs"));
    EXPECT_TRUE(printer.Received().empty());
}

TEST_F(StoreObjectsTest, ARefusedWriteStopsTheStore)
{
    // A form larger than the pseudo-terminal's queue: with the printer not
    // reading, a byte is refused and the user answers No to the retry.
    std::string big;
    while (big.size() < 100000) big += "A10,10,0,1,1,1,N,\"filler text\"\r\n";
    printer.Stall();
    StoreFormFile(WriteFile("big.ejf", big), "BIG");
    ASSERT_FALSE(ui.messageBoxes.empty());
    EXPECT_EQ(ui.messageBoxes.back().text, "Can't write to comm. port. Retry ?");
    EXPECT_EQ(CommLink.WriteAborted, 1);
    EXPECT_TRUE(SawEvent("error:Error:No printer response"));
    EXPECT_FALSE(SawEvent("busy:Receiving form list"));
    printer.Resume();
    ASSERT_TRUE(WaitUntil([&] { return printer.Received().size() > 4000; }));
    EXPECT_EQ(printer.Received().find("FE"), std::string::npos);
    EXPECT_FALSE(memory.Forms().contains("BIG"));
}

}  // namespace
}  // namespace zk
