#include "engine/labelfile/label_file.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/labelfile/label_writer.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/private_mounts.h"
#include "tests/support/unprivileged_user.h"

namespace zk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class LabelFileTest : public test::EngineTest {
protected:
    std::string PathIn(const char* name) const { return (TempDir() / name).string(); }

    // A label of n bars at x = 1..n.
    static void MakeBars(int n)
    {
        ClearFigureList();
        for (int i = 1; i <= n; ++i) {
            ASSERT_EQ(AppendFigure(TBarFigure{static_cast<std::int16_t>(i), 0, 4, 4, 0}), 0);
        }
    }

    // A file holding a label of n bars, written without the dialog.
    std::string BarsFile(const char* name, int n)
    {
        MakeBars(n);
        const std::string path = PathIn(name);
        WriteBytes(path, EncodeLabelFile());
        return path;
    }
};

TEST_F(LabelFileTest, EmptyLabelIsNotSaved)
{
    EXPECT_FALSE(SaveLabelFile(false));
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to save");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_TRUE(ui.saveFileDialogs.empty());
}

TEST_F(LabelFileTest, SaveAsAsksForANameAndMovesWorkDir)
{
    MakeBars(2);
    const std::string path = PathIn("out.zlb");
    ui.saveFileChoices = {path};
    ASSERT_TRUE(SaveLabelFile(false));

    ASSERT_EQ(ui.saveFileDialogs.size(), 1u);
    const FileDialogOptions& dialog = ui.saveFileDialogs[0];
    EXPECT_EQ(dialog.title, "Save as label");
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(dialog.defaultExtension, "ZLB");
    EXPECT_EQ(dialog.filter, "Label editor files (*.zlb)|*.ZLB");
    EXPECT_EQ(dialog.initialDir, ProgramPaths.ProgramDir);
    EXPECT_EQ(ReadBytes(path), EncodeLabelFile());
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(LabelFileTest, CancelledDialogWritesNothing)
{
    MakeBars(1);
    EXPECT_FALSE(SaveLabelFile(false));
    EXPECT_EQ(ProgramPaths.WorkDir, ProgramPaths.ProgramDir);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(LabelFileTest, ExistingFileIsReplacedOnlyOnYes)
{
    const std::string path = BarsFile("old.zlb", 1);
    const Bytes old = ReadBytes(path);
    MakeBars(3);
    for (const std::uint8_t answer : {0, 1}) {
        ui.messageBoxes.clear();
        ui.saveFileChoices = {path};
        ui.answers = {answer};
        EXPECT_EQ(SaveLabelFile(false), answer == 1);
        ASSERT_EQ(ui.messageBoxes.size(), 1u);
        EXPECT_EQ(ui.messageBoxes[0].caption, "Warning");
        EXPECT_EQ(ui.messageBoxes[0].text, "File exists. Overwrite?");
        EXPECT_TRUE(ui.messageBoxes[0].yesNo);
        EXPECT_EQ(ReadBytes(path), answer == 1 ? EncodeLabelFile() : old);
    }
}

TEST_F(LabelFileTest, UnwritablePlaceIsReported)
{
    MakeBars(1);
    ui.saveFileChoices = {PathIn("no/such/dir/x.zlb")};
    EXPECT_FALSE(SaveLabelFile(false));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open output file");
    EXPECT_EQ(ProgramPaths.WorkDir, ProgramPaths.ProgramDir);
}

// Another user's folder holding a label the user may write: the label is
// saved over, as a plain open for writing would do it.
TEST_F(LabelFileTest, AWritableLabelInAFolderTheUserCantWriteIsSaved)
{
    const std::filesystem::path mount = TempDir() / "mount";
    std::filesystem::create_directories(mount);
    const std::optional<std::string> report = test::OnSecondFileSystem(mount, [&] {
        const std::filesystem::path folder = mount / "labels";
        std::filesystem::create_directory(folder);
        MakeBars(1);
        WriteBytes(folder / "mine.zlb", EncodeLabelFile());
        if (chown((folder / "mine.zlb").c_str(), test::UnprivilegedUid(), test::UnprivilegedGid()) != 0 ||
            chmod(folder.c_str(), 0555) != 0 || !test::BecomeUnprivilegedIn(mount)) {
            return std::string("set-up failed");
        }
        MakeBars(3);
        ui.saveFileChoices = {"labels/mine.zlb"};
        ui.answers = {1};
        const bool saved = SaveLabelFile(false);
        return "saved=" + std::to_string(saved) + " messages=" + std::to_string(ui.messageBoxes.size()) +
               " contents=" + std::to_string(ReadBytes("labels/mine.zlb") == EncodeLabelFile());
    });
    if (!report) {
        GTEST_SKIP() << "no private mount namespace on this system";
    }
    // The one message is the question whether to overwrite.
    EXPECT_EQ(*report, "saved=1 messages=1 contents=1");
}

TEST_F(LabelFileTest, FailureWhileWritingLeavesTheOldFileWhole)
{
    const std::string path = BarsFile("keep.zlb", 1);
    const Bytes old = ReadBytes(path);
    MakeBars(200);  // far more than the file size limit below
    ui.saveFileChoices = {path};
    ui.answers = {1};

    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved_ok = SaveLabelFile(false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(ui.messageBoxes.back().text, "Can't open output file");
    EXPECT_EQ(ReadBytes(path), old);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(TempDir())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u);  // program/ and keep.zlb: no temporary file left
}

TEST_F(LabelFileTest, ScratchFileIsWrittenWithoutAskingEvenWhenEmpty)
{
    ProgramPaths.WorkDir = "/somewhere/";
    ASSERT_TRUE(SaveLabelFile(true));
    EXPECT_TRUE(ui.saveFileDialogs.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(ReadBytes(ProgramPaths.TempLabelFileName).size(), 64u);
    EXPECT_EQ(ProgramPaths.WorkDir, "/somewhere/");
}

TEST_F(LabelFileTest, LoadReportsUnreadableAndInvalidFiles)
{
    MakeBars(2);
    EXPECT_FALSE(LoadLabelFile(PathIn("missing.zlb")));
    EXPECT_EQ(ui.OnlyMessage(), "Can't open input file");

    ui.messageBoxes.clear();
    Bytes bad = EncodeLabelFile();
    bad[0] = 'Q';
    WriteBytes(PathIn("bad.zlb"), bad);
    EXPECT_FALSE(LoadLabelFile(PathIn("bad.zlb")));
    EXPECT_EQ(ui.OnlyMessage(), "Invalid label file");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(CountFigures(), 2u);
}

// A file of as many empty bar records as a label may hold figures reads; one
// more and the file is refused whole, the label and the preview as they were.
TEST_F(LabelFileTest, AFileWithMoreFiguresThanALabelMayHoldIsInvalid)
{
    ClearFigureList();
    ByteSink file = EncodeLabelFile();  // the header of an empty label
    const Bytes bar = {'R', 0, 0};
    for (std::size_t i = 0; i < MaxLabelFigures; ++i) {
        file.insert(file.end(), bar.begin(), bar.end());
    }
    WriteBytes(PathIn("full.zlb"), file);
    file.insert(file.end(), bar.begin(), bar.end());
    WriteBytes(PathIn("over.zlb"), file);

    ASSERT_TRUE(LoadLabelFile(PathIn("full.zlb")));
    EXPECT_EQ(CountFigures(), MaxLabelFigures);

    MakeBars(2);
    LabelSetup.Darkness = 3;
    EXPECT_FALSE(LoadLabelFile(PathIn("over.zlb")));
    EXPECT_EQ(ui.OnlyMessage(), "Invalid label file");
    EXPECT_FALSE(LoadLabelPreview(PathIn("over.zlb")));
    EXPECT_EQ(CountFigures(), 2u);
    EXPECT_EQ(LabelSetup.Darkness, 3);
}

// What the reader would refuse is not written.
TEST_F(LabelFileTest, ALabelWithMoreFiguresThanTheReaderTakesIsNotSaved)
{
    MakeBars(static_cast<int>(MaxLabelFigures) + 1);
    ui.saveFileChoices = {PathIn("over.zlb")};
    EXPECT_FALSE(SaveLabelFile(false));
    EXPECT_FALSE(SaveLabelFile(true));
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Label has more than 500 figures");
    EXPECT_EQ(ui.messageBoxes[1].text, "Label has more than 500 figures");
    EXPECT_FALSE(std::filesystem::exists(PathIn("over.zlb")));
    EXPECT_FALSE(std::filesystem::exists(ProgramPaths.TempLabelFileName));

    DeleteFigure(FigureList.FigureTail);
    ui.messageBoxes.clear();
    ui.saveFileChoices = {PathIn("full.zlb")};
    ASSERT_TRUE(SaveLabelFile(false));
    ASSERT_TRUE(LoadLabelFile(PathIn("full.zlb")));
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
}

TEST_F(LabelFileTest, LoadByNameReplacesTheLabelAndRunsTheHook)
{
    const std::string path = BarsFile("three.zlb", 3);
    MakeBars(1);
    std::vector<LabelLoadTarget> hooks;
    LabelLoadedHook = [&hooks](LabelLoadTarget target) { hooks.push_back(target); };
    ASSERT_TRUE(LoadLabelFile(path));
    EXPECT_EQ(CountFigures(), 3u);
    EXPECT_EQ(hooks, std::vector<LabelLoadTarget>{LabelLoadTarget::Editor});
    EXPECT_EQ(ProgramPaths.WorkDir, ProgramPaths.ProgramDir);  // only the browser's Open moves it
}

TEST_F(LabelFileTest, NoLoadWhileAnExchangeRuns)
{
    const std::string path = BarsFile("three.zlb", 3);
    MakeBars(1);
    const TExchangeGuard running;
    EXPECT_FALSE(LoadLabelFile(path));
    EXPECT_FALSE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(ui.events, (std::vector<std::string>{"beep", "beep"}));
    EXPECT_EQ(ui.openLabelBrowserCalls, 0);
    EXPECT_EQ(CountFigures(), 1u);
}

TEST_F(LabelFileTest, BrowserOpenLoadsItsChoice)
{
    const std::string path = BarsFile("chosen.zlb", 4);
    MakeBars(1);
    ui.openLabelBrowser = [&path] {
        SelectedLabelPath = path;
        OpenLabelAccepted = 1;
    };
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(ui.openLabelBrowserCalls, 1);
    EXPECT_EQ(CountFigures(), 4u);
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
}

TEST_F(LabelFileTest, CancelledBrowserBringsTheParkedLabelBackAfterPreviews)
{
    const std::string other = BarsFile("other.zlb", 5);
    MakeBars(2);
    FigureList.FigureHead->Bar().X = 42;
    std::vector<LabelLoadTarget> hooks;
    LabelLoadedHook = [&hooks](LabelLoadTarget target) { hooks.push_back(target); };
    ui.openLabelBrowser = [&other] {
        EXPECT_TRUE(LoadLabelPreview(other));  // previews replace the live label
        EXPECT_EQ(CountFigures(), 5u);
        EXPECT_FALSE(LoadLabelPreview("/no/such/file.zlb"));
    };
    ASSERT_TRUE(LoadLabelFile(std::nullopt));
    EXPECT_EQ(CountFigures(), 2u);
    EXPECT_EQ(FigureList.FigureHead->Bar().X, 42);
    EXPECT_EQ(hooks, (std::vector<LabelLoadTarget>{LabelLoadTarget::Preview, LabelLoadTarget::Editor}));
    EXPECT_TRUE(ui.messageBoxes.empty());  // previews are silent
    EXPECT_EQ(ProgramPaths.WorkDir, ProgramPaths.ProgramDir);
}

// Open of a file that can no longer be read (gone, or no label) after a
// preview brings the parked label back instead of keeping the preview.
TEST_F(LabelFileTest, UnreadableBrowserChoiceBringsTheParkedLabelBack)
{
    const std::string other = BarsFile("other.zlb", 5);
    const std::string notALabel = PathIn("bad.zlb");
    WriteBytes(notALabel, Bytes{1, 2, 3});
    struct Case {
        std::string chosen;
        const char* message;
    } cases[] = {{PathIn("gone.zlb"), "Can't open input file"}, {notALabel, "Invalid label file"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        MakeBars(2);
        ui.messageBoxes.clear();
        ui.openLabelBrowser = [&] {
            ASSERT_TRUE(LoadLabelPreview(other));
            SelectedLabelPath = c.chosen;
            OpenLabelAccepted = 1;
        };
        EXPECT_FALSE(LoadLabelFile(std::nullopt));
        EXPECT_EQ(ui.OnlyMessage(), c.message);
        EXPECT_EQ(CountFigures(), 2u);
    }
}

// The label waits aside while the browser previews into the live label, so
// opening another label needs no file written first: with no scratch file
// to be had the browser still opens, and Cancel brings the label back.
TEST_F(LabelFileTest, TheBrowserOpensWhenNoScratchFileCanBeWritten)
{
    const std::string other = BarsFile("other.zlb", 5);
    ProgramPaths.TempLabelFileName = PathIn("no/dir/scratch");
    for (const bool open : {false, true}) {
        SCOPED_TRACE(open ? "Open" : "Cancel");
        MakeBars(2);
        FigureList.FigureHead->Bar().X = 42;
        LabelSetup.Darkness = 9;
        ui.openLabelBrowserCalls = 0;
        ui.openLabelBrowser = [&other, open] {
            ASSERT_TRUE(LoadLabelPreview(other));
            SelectedLabelPath = other;
            OpenLabelAccepted = open ? 1 : 0;
        };
        ASSERT_TRUE(LoadLabelFile(std::nullopt));
        EXPECT_EQ(ui.openLabelBrowserCalls, 1);
        EXPECT_TRUE(ui.messageBoxes.empty());
        EXPECT_EQ(CountFigures(), open ? 5u : 2u);
        if (!open) {
            EXPECT_EQ(FigureList.FigureHead->Bar().X, 42);
            EXPECT_EQ(LabelSetup.Darkness, 9);
        }
    }
}

TEST_F(LabelFileTest, PreviewReadsEveryFigureAroundAPdf417)
{
    TPdf417Figure pdf;
    pdf.Data = std::string(500, 'P');
    ASSERT_EQ(AppendFigure(TBarFigure{}), 0);
    ASSERT_EQ(AppendFigure(pdf), 0);
    ASSERT_EQ(AppendFigure(TBoxFigure{}), 0);
    const std::string path = PathIn("pdf.zlb");
    WriteBytes(path, EncodeLabelFile());
    ClearFigureList();
    ASSERT_TRUE(LoadLabelPreview(path));
    EXPECT_EQ(CountFigures(), 3u);
    EXPECT_TRUE(FigureList.FigureTail->Is(TFigureKind::Box));
    EXPECT_EQ(FigureList.FigureHead->Next->Pdf417().Data, pdf.Data);
    EXPECT_GE(ui.processMessagesCalls, 1);
}

}  // namespace
}  // namespace zk
