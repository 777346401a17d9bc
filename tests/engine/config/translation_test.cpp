#include "engine/config/translation.h"

#include <fstream>
#include <gtest/gtest.h>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/named_pipe.h"

namespace zk {
namespace {

class TranslationTest : public test::EngineTest {};

TEST_F(TranslationTest, OemConversionIsCodePage437Against1252)
{
    Settings.Translation = 0;
    EXPECT_EQ(TranslateToAnsi("\x82t\x81"), "\xE9t\xFC");  // "été" as the printer holds it
    EXPECT_EQ(TranslateToOem("\xE9t\xFC"), "\x82t\x81");
    EXPECT_EQ(TranslateToOem("abc"), "abc");
}

// Characters one code page lacks get their best fit, as the desktop's own
// conversion gives; the text keeps its length.
TEST_F(TranslationTest, OemConversionFitsWhatTheOtherCodePageLacks)
{
    Settings.Translation = 0;
    EXPECT_EQ(TranslateToAnsi("\xDA\xC4\xBF|\xB3x\xBA|\xC0\xCD\xBC"), "+-+||x||+-+");
    EXPECT_EQ(TranslateToOem("\xC0la \x93Z\xFCrich\x94"), "Ala \"Z\x81rich\"");
    // Section sign and pilcrow go to the control codes 437 draws them at.
    EXPECT_EQ(TranslateToOem("\xA7 1 \xB6"), "\x15 1 \x14");
    EXPECT_EQ(TranslateToAnsi("\x15 1 \x14"), "\xA7 1 \xB6");
}

TEST_F(TranslationTest, NoneCopies)
{
    Settings.Translation = 1;
    EXPECT_EQ(TranslateToAnsi("\x82\xFF"), "\x82\xFF");
}

TEST_F(TranslationTest, TranslationFileTablesAreUsedAndShortFilesFillPartly)
{
    const auto path = std::filesystem::path(ProgramPaths.ProgramDir) / "mine.trn";
    std::string bytes(130, '\0');
    for (int i = 0; i < 128; ++i) bytes[i] = static_cast<char>(0xFF - i);  // to OEM: reversed
    bytes[128] = 'A';
    bytes[129] = 'B';
    std::ofstream(path, std::ios::binary) << bytes;
    ProgramPaths.TranslationFileList = {path};
    Settings.TranslationCount = 3;
    ProgramPaths.TranslateToAnsiTable.fill('?');
    Settings.Translation = 2;
    LoadTranslationTables();
    ASSERT_EQ(Settings.Translation, 2);
    EXPECT_EQ(TranslateToOem("\x80\xFFz"), "\xFF\x80z");
    EXPECT_EQ(TranslateToAnsi("\x80\x81\x82"), "AB?");
}

TEST_F(TranslationTest, MissingFileFallsBackToOemConversion)
{
    ProgramPaths.TranslationFileList = {std::filesystem::path(ProgramPaths.ProgramDir) / "gone.trn"};
    Settings.TranslationCount = 3;
    Settings.Translation = 2;
    LoadTranslationTables();
    EXPECT_EQ(Settings.Translation, 0);
    Settings.Translation = 7;
    LoadTranslationTables();
    EXPECT_EQ(Settings.Translation, 0);
}

TEST_F(TranslationTest, ProgramPathsFindTranslationFilesAndLabelArgument)
{
    const auto dir = TempDir() / "bin";
    std::filesystem::create_directories(dir / "sub.trn");
    std::ofstream(dir / "b.trn") << "x";
    std::ofstream(dir / "a.trn") << "x";
    std::ofstream(dir / "label.zlb", std::ios::binary) << "ZK7300 FILE rest";
    std::ofstream(dir / "other.zlb", std::ios::binary) << "NOT A LABEL";
    const std::string exe = (dir / "zkedit").string();
    const std::string label = (dir / "label.zlb").string();
    const std::string other = (dir / "other.zlb").string();

    // The test program itself is the executable /proc/self/exe names, so
    // only the argument handling and the file names are checked here.
    const char* withLabel[] = {exe.c_str(), label.c_str()};
    InitProgramPaths(2, withLabel);
    EXPECT_EQ(ProgramPaths.CommandLineLabel, label);
    EXPECT_EQ(ProgramPaths.ProgramDir.back(), '/');
    EXPECT_EQ(ProgramPaths.ConfigFileName, ProgramPaths.UserDir + "ZOVIDURU.CFG");
    EXPECT_EQ(ProgramPaths.PrinterFontFileName, ProgramPaths.ProgramDir + "VEZARAZ.EVU");
    const char* withOther[] = {exe.c_str(), other.c_str()};
    InitProgramPaths(2, withOther);
    EXPECT_TRUE(ProgramPaths.CommandLineLabel.empty());
}

// A named pipe given as the label to open is no label; the start does not
// wait for something to write to it.
TEST_F(TranslationTest, ANamedPipeArgumentIsNoLabel)
{
    const std::string exe = (TempDir() / "zkedit").string();
    const auto read = test::ReadUnwrittenPipe((TempDir() / "pipe.zlb").string(), [&exe](const std::string& path) {
        const char* argv[] = {exe.c_str(), path.c_str()};
        InitProgramPaths(2, argv);
        return !ProgramPaths.CommandLineLabel.empty();
    });
    EXPECT_TRUE(read.Returned);
    EXPECT_FALSE(read.Result);
}

}  // namespace
}  // namespace zk
