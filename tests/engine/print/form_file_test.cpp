// Saving the label as a form file.

#include "engine/print/form_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/config/program_paths.h"
#include "engine/model/figure_list.h"
#include "engine/print/command_lines.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class SaveAsFormTest : public test::EngineTest {
protected:
    SaveAsFormTest()
    {
        ProgramPaths.WorkDir = "/start/";
        AppendFigure(TBarFigure{1, 2, 30, 4, 0});
    }

    std::string Path(const char* name) const { return (TempDir() / name).string(); }

    static std::string Contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
};

TEST_F(SaveAsFormTest, WritesTheFormFileAndRemembersItsFolder)
{
    const std::string path = Path("label.ejf");
    ui.saveFileChoices = {path};
    SaveAsForm();
    ASSERT_EQ(ui.saveFileDialogs.size(), 1u);
    const auto& dialog = ui.saveFileDialogs[0];
    EXPECT_EQ(dialog.title, "Save as form");
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(dialog.filter, "Label printer forms (*.ejf)|*.EJF");
    EXPECT_EQ(dialog.defaultExtension, "EJF");
    EXPECT_EQ(dialog.initialDir, "/start/");
    EXPECT_EQ(Contents(path),
              "; Saved by VORTAN Label Editor\r\n"
              "D8\r\nS4\r\nI0\r\nZT\r\nTDDD-MN-Y4\r\nTTH:M:S\r\nQ200,24+8\r\nq384\r\nj0\r\nR0,0\r\n"
              "LO1,2,30,4\r\n"
              "\r\n");
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(SaveAsFormTest, NothingToSaveWithoutFigures)
{
    ClearFigureList();
    ui.saveFileChoices = {Path("x.ejf")};
    SaveAsForm();
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to save");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_TRUE(ui.saveFileDialogs.empty());
}

TEST_F(SaveAsFormTest, CancelWritesNothing)
{
    SaveAsForm();
    EXPECT_EQ(ui.saveFileDialogs.size(), 1u);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TempDir())) {
        EXPECT_NE(entry.path().extension(), ".ejf");
    }
    EXPECT_EQ(ProgramPaths.WorkDir, "/start/");
}

TEST_F(SaveAsFormTest, AnExistingFileIsReplacedWholeOnlyAfterYes)
{
    const std::string path = Path("old.ejf");
    const std::string old(5000, 'o');
    Write(path, old);
    ui.saveFileChoices = {path, path};
    ui.answers = {0, 1};
    SaveAsForm();
    EXPECT_EQ(Contents(path), old);
    SaveAsForm();
    EXPECT_EQ(Contents(path), FormFileText());
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Warning");
    EXPECT_EQ(ui.messageBoxes[0].text, "File exists. Overwrite?");
    EXPECT_TRUE(ui.messageBoxes[0].yesNo);
}

TEST_F(SaveAsFormTest, AFileThatCannotBeCreatedIsReported)
{
    ui.saveFileChoices = {Path("missing/folder/x.ejf")};
    SaveAsForm();
    EXPECT_EQ(ui.OnlyMessage(), "Can't open output file");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
}

}  // namespace
}  // namespace zk
