#include "engine/config/configuration.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class ConfigurationTest : public test::EngineTest {
protected:
    void WriteConfig(const std::string& text)
    {
        std::filesystem::create_directories(ProgramPaths.UserDir);
        std::ofstream(ProgramPaths.ConfigFileName, std::ios::binary) << text;
    }
    std::string ReadConfig()
    {
        std::ifstream file(ProgramPaths.ConfigFileName, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(ConfigurationTest, ReaderClampsAsTheKeysSay)
{
    WriteConfig(
        "  width = 700 \r\nLENGTH=50\r\nLEFT MARGIN = 608\nTOP MARGIN = -3000\n"
        "DARKNESS = -1\nSPEED = 9\nPORT = -1\nBAUDS = 300\nPICTURE NUMBER = 123456\n"
        "GRID STEP = 2\nORIENTATION = 5\nLABEL GAP = 101\nPAPER TYPE = 7\nOFFSET = 99\n"
        "LANGUAGE = 99\nTRANSLATION = 5\n");
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelWidth, 608);
    EXPECT_EQ(LabelSetup.LabelLength, 80);
    EXPECT_EQ(LabelSetup.LeftMargin, 607);
    EXPECT_EQ(LabelSetup.TopMargin, -1999);
    EXPECT_EQ(LabelSetup.Darkness, 15);
    EXPECT_EQ(LabelSetup.Speed, 6);
    EXPECT_EQ(Settings.Port, 0);
    EXPECT_EQ(Settings.BaudIndex, 2);
    EXPECT_EQ(Settings.PictureNumber, 3456);
    EXPECT_EQ(Settings.GridStep, 4);
    EXPECT_EQ(LabelSetup.Orientation, 1);
    EXPECT_EQ(LabelSetup.LabelGap, 100);
    EXPECT_EQ(LabelSetup.PaperType, 2);
    EXPECT_EQ(LabelSetup.LabelOffset, 80);
    EXPECT_EQ(LabelSetup.Language, 0);  // no code table 99
    EXPECT_EQ(Settings.Translation, 0);  // only 0 and 1 exist without files
}

TEST_F(ConfigurationTest, LinesWithoutKeyOrWithSeveralEqualSigns)
{
    // No key holds "=", so a line splits at its first one and the value
    // keeps the rest (a work folder's name may hold "="); a number reads up
    // to the "=" that follows it.
    WriteConfig("DATE FORMAT=x=Y4-MN-DD\nnonsense line\n\n=\nUNKNOWN = 3\nTIME FORMAT = \t H:M \r\n"
                "WORK DIRECTORY = /home/u/a=b/\r\nGRID STEP = 12=20\r\n");
    LoadConfiguration();
    EXPECT_EQ(Settings.GridStep, 12);
    EXPECT_EQ(LabelSetup.DateFormat, "x=Y4-MN-DD");
    EXPECT_EQ(LabelSetup.TimeFormat, "H:M");
    EXPECT_EQ(ProgramPaths.WorkDir, "/home/u/a=b/");
}

TEST_F(ConfigurationTest, AWorkDirectoryHoldingEqualSignsSurvivesARestart)
{
    ProgramPaths.WorkDir = "/home/u/x=1/a=b=c/";
    SaveConfiguration();
    ProgramPaths.WorkDir.clear();
    LoadConfiguration();
    EXPECT_EQ(ProgramPaths.WorkDir, "/home/u/x=1/a=b=c/");
}

TEST_F(ConfigurationTest, ANegativeOffsetFromTheSetupDialogSurvivesARestart)
{
    LabelSetup.LabelOffset = -12;
    SaveConfiguration();
    LabelSetup.LabelOffset = 0;
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelOffset, -12);
    WriteConfig("OFFSET = -81\n");
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelOffset, -80);
}

TEST_F(ConfigurationTest, MissingFileAndMissingKeysKeepValues)
{
    LabelSetup.LabelWidth = 500;
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelWidth, 500);
    WriteConfig("SPEED = 2\n");
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelWidth, 500);
    EXPECT_EQ(LabelSetup.Speed, 2);
}

// Files that cannot be read: a directory in place of the file, and a file
// whose reads fail with an I/O error (the process's own memory file read at
// address 0).
enum class Unreadable { Directory, ReadError };

void MakeUnreadable(const std::string& path, Unreadable kind)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (kind == Unreadable::Directory) {
        std::filesystem::create_directory(path);
    } else {
        std::filesystem::create_symlink("/proc/self/mem", path);
    }
}

class UnreadableConfigurationTest : public ConfigurationTest, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(UnreadableConfigurationTest, LeavesEverySettingAsItWas)
{
    MakeUnreadable(ProgramPaths.ConfigFileName, GetParam());
    LabelSetup.LabelWidth = 500;
    Settings.GridStep = 12;
    const std::vector<std::string> ports{(TempDir() / "port").string()};
    SerialPortSource = [ports] { return ports; };
    EXPECT_NO_THROW(LoadConfiguration());
    EXPECT_EQ(LabelSetup.LabelWidth, 500);
    EXPECT_EQ(Settings.GridStep, 12);
    // The port list is refilled all the same.
    EXPECT_EQ(ProgramPaths.SerialPortList, ports);
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableConfigurationTest,
                         ::testing::Values(Unreadable::Directory, Unreadable::ReadError),
                         [](const auto& info) {
                             return info.param == Unreadable::Directory ? "Directory" : "ReadError";
                         });

TEST_F(ConfigurationTest, OverlongFormatsAreCutToTheirField)
{
    WriteConfig("DATE FORMAT = DD-MN-Y4 DD-MN-Y4 DD\n");
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.DateFormat, "DD-MN-Y4 DD-MN-");
}

TEST_F(ConfigurationTest, WrittenFileReadsBackUnchanged)
{
    LabelSetup.LabelWidth = 500;
    LabelSetup.LabelLength = 1234;
    LabelSetup.LeftMargin = -12;
    LabelSetup.TopMargin = 33;
    LabelSetup.LabelOffset = 10;
    LabelSetup.Orientation = 1;
    LabelSetup.Darkness = 14;
    LabelSetup.Speed = 5;
    LabelSetup.Language = 7;
    LabelSetup.LabelGap = 30;
    LabelSetup.PaperType = 2;
    LabelSetup.DateFormat = "Y4/MN/DD";
    LabelSetup.TimeFormat = "H.M";
    Settings.BaudIndex = 4;
    Settings.Protocol = 1;
    Settings.DirectGraphics = 1;
    Settings.PictureNumber = 42;
    Settings.ShowGrid = 1;
    Settings.GridStep = 16;
    Settings.ToolbarPos = 1;
    Settings.EnableRlDir = 1;
    ProgramPaths.WorkDir = "/home/user/" + std::string(300, 'd') + "/";
    SaveConfiguration();

    const std::string text = ReadConfig();
    EXPECT_EQ(text.substr(0, 14), "WIDTH = 500\r\nL");
    EXPECT_NE(text.find("\r\nBAUDS = 38400\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nDATE FORMAT = Y4/MN/DD\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 18), "ENABLE RLDIR = 1\r\n");

    const TLabelSetup savedSetup = LabelSetup;
    const std::string savedWorkDir = ProgramPaths.WorkDir;
    LabelSetup = TLabelSetup{};
    Settings = TSettings{};
    ProgramPaths.WorkDir.clear();
    LoadConfiguration();
    EXPECT_EQ(LabelSetup.LabelWidth, savedSetup.LabelWidth);
    EXPECT_EQ(LabelSetup.LabelLength, savedSetup.LabelLength);
    EXPECT_EQ(LabelSetup.LeftMargin, savedSetup.LeftMargin);
    EXPECT_EQ(LabelSetup.TopMargin, savedSetup.TopMargin);
    EXPECT_EQ(LabelSetup.LabelOffset, savedSetup.LabelOffset);
    EXPECT_EQ(LabelSetup.Orientation, savedSetup.Orientation);
    EXPECT_EQ(LabelSetup.Darkness, savedSetup.Darkness);
    EXPECT_EQ(LabelSetup.Speed, savedSetup.Speed);
    EXPECT_EQ(LabelSetup.Language, savedSetup.Language);
    EXPECT_EQ(LabelSetup.LabelGap, savedSetup.LabelGap);
    EXPECT_EQ(LabelSetup.PaperType, savedSetup.PaperType);
    EXPECT_EQ(LabelSetup.DateFormat, savedSetup.DateFormat);
    EXPECT_EQ(LabelSetup.TimeFormat, savedSetup.TimeFormat);
    EXPECT_EQ(Settings.BaudIndex, 4);
    EXPECT_EQ(Settings.Protocol, 1);
    EXPECT_EQ(Settings.DirectGraphics, 1);
    EXPECT_EQ(Settings.PictureNumber, 42);
    EXPECT_EQ(Settings.ShowGrid, 1);
    EXPECT_EQ(Settings.GridStep, 16);
    EXPECT_EQ(Settings.ToolbarPos, 1);
    EXPECT_EQ(Settings.EnableRlDir, 1);
    EXPECT_EQ(ProgramPaths.WorkDir, savedWorkDir);
}

TEST_F(ConfigurationTest, SavingReplacesALongerOldFile)
{
    WriteConfig(std::string(10000, '#'));
    SaveConfiguration();
    EXPECT_EQ(ReadConfig().find('#'), std::string::npos);
}

TEST_F(ConfigurationTest, SerialPortListIsNeverEmpty)
{
    SerialPortSource = nullptr;  // the machine's list; nothing is opened
    EnumerateSerialPorts();
    ASSERT_FALSE(ProgramPaths.SerialPortList.empty());
    EXPECT_EQ(ProgramPaths.SerialPortList.front().rfind("/dev/", 0), 0u);
}

TEST(ParseAtolTest, FollowsTheCLibrary)
{
    struct Case { const char* text; std::int32_t value; };
    const Case cases[] = {
        {"42", 42}, {"  -17x", -17}, {"+5", 5}, {"abc", 0}, {"", 0}, {"- 3", 0},
        {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"12 34", 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAtol(c.text), c.value) << c.text;
    }
}

}  // namespace
}  // namespace zk
