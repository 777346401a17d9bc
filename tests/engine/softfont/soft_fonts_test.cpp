// The label's soft fonts: the font lists, loading from a file or from the
// printer, and removing.

#include "engine/softfont/soft_fonts.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/config/program_paths.h"
#include "engine/labelfile/label_file_format.h"
#include "engine/link/serial_link.h"
#include "engine/model/figure_list.h"
#include "engine/softfont/font_lists.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/printer_emulator.h"

namespace zk {
namespace {

using namespace std::string_literals;

const std::string BLOCK = "\x02\x00\x02"
                          "A\x03\x01\x80\x40"
                          "B\x04\x01\x0A\xFF"s;

class SoftFontTest : public test::EngineTest {
protected:
    ~SoftFontTest() override { PickPrinterFont = nullptr; }

    static TSoftFontFigure Font(const char* letter, int height, int chars)
    {
        TSoftFontFigure font;
        font.Letter = letter;
        font.Height = static_cast<std::int16_t>(height);
        font.CharCount = static_cast<std::int16_t>(chars);
        font.Data = std::make_shared<TFontData>();
        return font;
    }

    static TTextFigure Text(int font)
    {
        TTextFigure text;
        text.Font = static_cast<std::int16_t>(font);
        return text;
    }

    std::string FontFile(const std::string& bytes)
    {
        const std::string path = (TempDir() / "new.zft").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::vector<const TFigure*> SoftFontFigures()
    {
        std::vector<const TFigure*> fonts;
        for (const TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Font)) fonts.push_back(figure);
        }
        return fonts;
    }

    static std::vector<int> TextFonts()
    {
        std::vector<int> fonts;
        for (const TFigure* figure : Figures()) {
            if (figure->Is(TFigureKind::Text)) fonts.push_back(figure->Text().Font);
        }
        return fonts;
    }
};

TEST_F(SoftFontTest, TheTextDialogListsResidentThenSoftFonts)
{
    AppendFigure(Font("K", 20, 3));
    AppendFigure(Text(0));
    AppendFigure(Font("B", 7, 1));
    TextDlgFontType.Selected = 5;
    FillFontList();
    EXPECT_EQ(TextDlgFontType.Items, (std::vector<std::string>{"0  (12x24)", "1  (8x12)", "2  (10x16)", "3  (12x20)",
                                                               "4  (14x24)", "5  (32x48)", "K  h=20", "B  h=7"}));
    EXPECT_EQ(TextDlgFontType.Selected, 5);
    TextDlgFontType.Selected = 8;
    FillFontList();
    EXPECT_EQ(TextDlgFontType.Selected, 2);
}

TEST_F(SoftFontTest, TheFontChoiceDialogListsSoftFonts)
{
    FillSoftFontList("Pick");
    EXPECT_EQ(FontsDlgList.Caption, "Pick");
    EXPECT_TRUE(FontsDlgList.Items.empty());
    EXPECT_EQ(FontsDlgList.Selected, -1);
    AppendFigure(Font("K", 20, 3));
    AppendFigure(Font("B", 7, 95));
    FillSoftFontList("Other");
    EXPECT_EQ(FontsDlgList.Items, (std::vector<std::string>{"K  Height=20 Chars=3", "B  Height=7 Chars=95"}));
    EXPECT_EQ(FontsDlgList.Selected, 0);
}

TEST_F(SoftFontTest, LoadingAFileAppendsAFontUnderTheChosenLetter)
{
    ProgramPaths.WorkDir = "/start/";
    AppendFigure(Font("K", 20, 3));
    const std::string path = FontFile(BLOCK);
    ui.openFileChoices = {path};
    ui.fontLetters = {'m'};
    ASSERT_TRUE(LoadNewFont(true));
    ASSERT_EQ(ui.openFileDialogs.size(), 1u);
    EXPECT_EQ(ui.openFileDialogs[0].title, "Load new font");
    EXPECT_EQ(ui.openFileDialogs[0].fileName, "");
    EXPECT_EQ(ui.openFileDialogs[0].filter, "Label editor fonts (*.zft)|*.ZFT");
    EXPECT_EQ(ui.openFileDialogs[0].defaultExtension, "ZFT");
    EXPECT_EQ(ui.openFileDialogs[0].initialDir, "/start/");
    EXPECT_EQ(ui.fontDialogs, std::vector<bool>{true});
    EXPECT_EQ(FontsDlgList.Caption, "Name for " + path);
    EXPECT_EQ(ProgramPaths.WorkDir, TempDir().string() + "/");

    const auto fonts = SoftFontFigures();
    ASSERT_EQ(fonts.size(), 2u);
    const TSoftFontFigure& added = fonts[1]->SoftFont();
    EXPECT_EQ(added.Letter, "M");
    EXPECT_EQ(added.CharCount, 2);
    EXPECT_EQ(added.Height, 2);
    EXPECT_EQ(added.DataLength, BLOCK.size());
    EXPECT_EQ(std::string(added.Data->Bytes.begin(), added.Data->Bytes.end()), BLOCK);
    EXPECT_EQ(TextDlgFontType.Selected, 7);
    EXPECT_EQ(TextDlgFontType.Items.back(), "M  h=2");
}

TEST_F(SoftFontTest, LoadingUnderAnExistingLetterReplacesItsData)
{
    AppendFigure(Font("A", 20, 3));
    AppendFigure(Text(6));
    AppendFigure(Font("B", 9, 3));
    AppendFigure(Text(7));
    ui.openFileChoices = {FontFile(BLOCK)};
    ui.fontLetters = {'A'};
    ASSERT_TRUE(LoadNewFont(true));
    const auto fonts = SoftFontFigures();
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0]->SoftFont().Height, 2);
    EXPECT_EQ(fonts[0]->SoftFont().Data->Bytes.size(), BLOCK.size());
    EXPECT_EQ(fonts[1]->SoftFont().Height, 9);
    EXPECT_EQ(TextFonts(), (std::vector<int>{6, 7}));
    EXPECT_EQ(TextDlgFontType.Selected, 6);
}

// A new soft font is a figure of the label: a full label takes no new
// letter, but a font loaded under a letter it holds replaces that one.
TEST_F(SoftFontTest, AFullLabelTakesNoNewFontButReplacesAHeldOne)
{
    AppendFigure(Font("A", 20, 3));
    while (CountFigures() < MaxLabelFigures) {
        AppendFigure(Text(0));
    }
    ui.openFileChoices = {FontFile(BLOCK)};
    ui.fontLetters = {'M'};
    EXPECT_FALSE(LoadNewFont(true));
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
    EXPECT_EQ(SoftFontFigures().size(), 1u);

    ui.messageBoxes.clear();
    ui.openFileChoices = {FontFile(BLOCK)};
    ui.fontLetters = {'a'};
    ASSERT_TRUE(LoadNewFont(true));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
    EXPECT_EQ(SoftFontFigures()[0]->SoftFont().Height, 2);
}

TEST_F(SoftFontTest, CancelOrABadFileLeavesTheLabelUnchanged)
{
    EXPECT_FALSE(LoadNewFont(true));  // no file chosen
    ui.openFileChoices = {FontFile(BLOCK)};
    EXPECT_FALSE(LoadNewFont(true));  // no letter chosen
    ui.openFileChoices = {FontFile("\x02\x01\x02"s)};
    ui.fontLetters = {'C'};
    EXPECT_FALSE(LoadNewFont(true));
    EXPECT_EQ(ui.OnlyMessage(), "Invalid font file");
    ui.openFileChoices = {FontFile(BLOCK)};
    ui.fontLetters = {'7'};
    EXPECT_FALSE(LoadNewFont(true));  // not a font letter
    EXPECT_EQ(CountFigures(), 0u);
}

TEST_F(SoftFontTest, RemovingAnUnusedFontShiftsTheLaterFontsDown)
{
    AppendFigure(Font("A", 20, 3));
    AppendFigure(Font("B", 9, 3));
    AppendFigure(Text(7));
    AppendFigure(Text(2));
    ui.fontLetters = {'a'};
    RemoveFont();
    EXPECT_EQ(FontsDlgList.Caption, "Select font to remove");
    EXPECT_EQ(ui.fontDialogs, std::vector<bool>{false});
    const auto fonts = SoftFontFigures();
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->SoftFont().Letter, "B");
    EXPECT_EQ(TextFonts(), (std::vector<int>{6, 2}));
    EXPECT_EQ(TextDlgFontType.Items.back(), "B  h=9");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

struct UsedCase {
    int users;
    const char* message;
};

class RemoveUsedFontTest : public SoftFontTest, public ::testing::WithParamInterface<UsedCase> {};

TEST_P(RemoveUsedFontTest, IsRefused)
{
    AppendFigure(Font("A", 20, 3));
    AppendFigure(Font("B", 9, 3));
    for (int i = 0; i < GetParam().users; ++i) {
        AppendFigure(Text(7));
    }
    ui.fontLetters = {'B'};
    RemoveFont();
    EXPECT_EQ(ui.OnlyMessage(), GetParam().message);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
    EXPECT_EQ(SoftFontFigures().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Users, RemoveUsedFontTest,
                         ::testing::Values(UsedCase{1, "Font (B) used in 1 string. Can't remove"},
                                           UsedCase{2, "Font (B) used in 2 strings. Can't remove"}));

TEST_F(SoftFontTest, NothingToRemoveWithoutSoftFonts)
{
    AppendFigure(Text(1));
    RemoveFont();
    EXPECT_EQ(ui.OnlyMessage(), "Nothing to remove");
    EXPECT_TRUE(ui.fontDialogs.empty());
}

TEST_F(SoftFontTest, CancelledRemovalChangesNothing)
{
    AppendFigure(Font("A", 20, 3));
    RemoveFont();
    ui.fontLetters = {'Q'};  // no such font
    RemoveFont();
    EXPECT_EQ(SoftFontFigures().size(), 1u);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

class FontFromPrinterTest : public SoftFontTest {
protected:
    FontFromPrinterTest()
    {
        LinkTimeouts.ReplySilenceMs = 200;
        LinkTimeouts.WriteTimeoutMs = 100;
        PickPrinterFont = [this] {
            ++picks;
            return picked;
        };
    }

    void AnswerEi(const std::string& reply)
    {
        printer.OnCommand("EI\"", [reply](test::PrinterEmulator& p, const std::string&) { p.Send(reply); });
    }

    static std::string WithLength(const std::string& block)
    {
        return std::string{static_cast<char>(block.size() >> 8), static_cast<char>(block.size() & 0xFF)} + block;
    }

    std::string picked = "B";
    int picks = 0;
    test::PrinterEmulator printer;
};

TEST_F(FontFromPrinterTest, LoadingFromThePrinterReceivesTheBlockWithEi)
{
    AnswerEi(WithLength(BLOCK));
    ASSERT_TRUE(LoadNewFont(false));
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(printer.Received(), "\r\nEI\"B\"\r\n");
    EXPECT_EQ(ui.events, (std::vector<std::string>{"busy:Extracting font \"B\"", "close"}));
    const auto fonts = SoftFontFigures();
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->SoftFont().Letter, "B");
    EXPECT_EQ(std::string(fonts[0]->SoftFont().Data->Bytes.begin(), fonts[0]->SoftFont().Data->Bytes.end()), BLOCK);
    EXPECT_EQ(CommLink.PortHandle, -1);
}

TEST_F(FontFromPrinterTest, NoResponseLeavesTheLabelUnchanged)
{
    printer.SetSilent(true);
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_EQ(ui.events.back(), "beep");
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response"), ui.events.end());
    EXPECT_EQ(CountFigures(), 0u);
}

TEST_F(FontFromPrinterTest, ABlockCutShortIsNoResponse)
{
    AnswerEi(WithLength(BLOCK).substr(0, 6));
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "error:Error:No printer response"), ui.events.end());
    EXPECT_EQ(CountFigures(), 0u);
}

struct BadReply {
    const char* name;
    std::string reply;
};

class BadFontReplyTest : public FontFromPrinterTest, public ::testing::WithParamInterface<BadReply> {};

TEST_P(BadFontReplyTest, IsRefused)
{
    AnswerEi(GetParam().reply);
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_EQ(ui.events.back(), "error:Error:Invalid font file");
    EXPECT_EQ(CountFigures(), 0u);
    EXPECT_EQ(CommLink.PortHandle, -1);
}

INSTANTIATE_TEST_SUITE_P(Replies, BadFontReplyTest,
                         ::testing::Values(BadReply{"LongerThanAFontBlock", "\xC0\x01"s + std::string(0xC001, 'x')},
                                           BadReply{"ShorterThanItsHeader", "\x00\x02\x01\x00"s},
                                           BadReply{"SecondByteNotZero", "\x00\x03\x01\x05\x02"s}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FontFromPrinterTest, ARefusedBlockIsReadToItsEndSoTheNextOneIsInStep)
{
    AnswerEi("\xC0\x01"s + std::string(0xC001, 'x'));
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_EQ(ui.events.back(), "error:Error:Invalid font file");
    AnswerEi(WithLength(BLOCK));
    ASSERT_TRUE(LoadNewFont(false));
    const auto fonts = SoftFontFigures();
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(std::string(fonts[0]->SoftFont().Data->Bytes.begin(), fonts[0]->SoftFont().Data->Bytes.end()), BLOCK);
}

TEST_F(FontFromPrinterTest, NoPickedNameSendsNothing)
{
    picked.clear();
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_EQ(printer.Received(), "");
    EXPECT_TRUE(ui.events.empty());
}

// A full label is refused before the printer is asked for a font it can't
// take; a font under a letter the label holds still comes and replaces it.
TEST_F(FontFromPrinterTest, AFullLabelAsksThePrinterOnlyForAFontItHolds)
{
    while (CountFigures() < MaxLabelFigures) {
        AppendFigure(Text(0));
    }
    AnswerEi(WithLength(BLOCK));
    EXPECT_FALSE(LoadNewFont(false));
    EXPECT_EQ(printer.Received(), "");
    EXPECT_EQ(ui.OnlyMessage(), "Label can't hold more than 500 figures");
    EXPECT_EQ(CountFigures(), MaxLabelFigures);

    DeleteFigure(*Figures().begin());
    AppendFigure(Font("B", 20, 3));
    ui.messageBoxes.clear();
    ASSERT_TRUE(LoadNewFont(false));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(printer.Received(), "\r\nEI\"B\"\r\n");
    EXPECT_EQ(CountFigures(), MaxLabelFigures);
}

}  // namespace
}  // namespace zk
