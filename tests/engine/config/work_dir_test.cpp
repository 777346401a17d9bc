// Where the file dialogs start: the user's home folder unless the
// configuration names a folder that still exists.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/configuration.h"
#include "engine/config/program_paths.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

namespace fs = std::filesystem;

class WorkDirTest : public test::EngineTest {
protected:
    static std::string Home() { return std::string(std::getenv("HOME")) + "/"; }
};

TEST_F(WorkDirTest, StartsInTheHomeFolderNotTheProgramFolder)
{
    const std::string exe = (TempDir() / "zkedit").string();
    const char* argv[] = {exe.c_str()};
    InitProgramPaths(1, argv);
    EXPECT_NE(ProgramPaths.WorkDir, ProgramPaths.ProgramDir);
    EXPECT_EQ(ProgramPaths.WorkDir, Home());
}

TEST_F(WorkDirTest, AConfiguredFolderIsKeptOnlyWhileItExists)
{
    const fs::path labels = TempDir() / "labels";
    fs::create_directories(labels);
    std::ofstream(TempDir() / "plain-file") << "x";
    const struct {
        std::string configured;
        std::string expected;
    } cases[] = {
        {labels.string() + "/", labels.string() + "/"},
        {"", Home()},
        {(TempDir() / "gone").string() + "/", Home()},
        {(TempDir() / "plain-file").string(), Home()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configured);
        fs::create_directories(ProgramPaths.UserDir);
        std::ofstream(ProgramPaths.ConfigFileName, std::ios::binary) << "WORK DIRECTORY = " << c.configured << "\r\n";
        ProgramPaths.WorkDir = ProgramPaths.ProgramDir;
        LoadConfiguration();
        UseExistingWorkDir();
        EXPECT_EQ(ProgramPaths.WorkDir, c.expected);
    }
}

}  // namespace
}  // namespace zk
