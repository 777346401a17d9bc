// Reading loadable font files, with and without their text header.

#include "engine/softfont/font_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/engine_fixture.h"
#include "tests/support/named_pipe.h"

namespace zk {
namespace {

using namespace std::string_literals;

const std::string BLOCK = "\x02\x00\x02"
                          "A\x03\x01\x80\x40"
                          "B\x04\x01\x0A\xFF"s;
const std::string HEADER = "\r\nEK\"A\"\r\nES\"A\""s;

std::span<const std::uint8_t> Bytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct HeaderCase {
    const char* name;
    std::string head;
    std::size_t length;
};

class FontHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FontHeaderTest, FindsTheEndOfTheStoreCommands)
{
    EXPECT_EQ(FontHeaderLength(Bytes(GetParam().head)), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, FontHeaderTest,
    ::testing::Values(HeaderCase{"None", BLOCK, 0}, HeaderCase{"Full", HEADER + BLOCK, HEADER.size()},
                      HeaderCase{"OnlyEk", "\r\nEK\"A\"\r\n" + BLOCK, 0},
                      HeaderCase{"OnlyEs", "ES\"A\"" + BLOCK, 0},
                      HeaderCase{"EsBeforeEk", "ES\"Q\"EK\"A\"", 5},
                      HeaderCase{"NulEndsTheSearch", "\r\n\0EK\"A\"\r\nES\"A\""s, 0},
                      HeaderCase{"EsPastByte48", "EK\"A\"" + std::string(41, ' ') + "ES\"A\"", 0},
                      HeaderCase{"EsEndingAtByte48", "EK\"A\"" + std::string(40, ' ') + "ES\"A\"", 50},
                      HeaderCase{"Empty", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

class ReadFontFileTest : public test::EngineTest {
protected:
    std::string WriteFile(const std::string& bytes)
    {
        const std::string path = (TempDir() / "font.zft").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string Read(const std::string& bytes)
    {
        const auto font = ReadFontFile(WriteFile(bytes));
        return font ? std::string(font->Bytes.begin(), font->Bytes.end()) : "none";
    }
};

TEST_F(ReadFontFileTest, AHeaderedFileGivesTheSameBlock)
{
    EXPECT_EQ(Read(BLOCK), BLOCK);
    EXPECT_EQ(Read(HEADER + BLOCK), BLOCK);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(ReadFontFileTest, BlocksUpToTheLimitAreAccepted)
{
    const std::string full = "\x05\x00\x10"s + std::string(MaxFontDataLength - 3, '\x01');
    EXPECT_EQ(Read(full).size(), MaxFontDataLength);
    EXPECT_EQ(Read(HEADER + full).size(), MaxFontDataLength);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

struct InvalidCase {
    const char* name;
    std::string bytes;
};

class InvalidFontFileTest : public ReadFontFileTest, public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(InvalidFontFileTest, IsRefused)
{
    EXPECT_EQ(Read(GetParam().bytes), "none");
    EXPECT_EQ(ui.OnlyMessage(), "Invalid font file");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
}

INSTANTIATE_TEST_SUITE_P(
    Files, InvalidFontFileTest,
    ::testing::Values(InvalidCase{"SecondByteNotZero", "\x02\x01\x02"s + BLOCK.substr(3)},
                      InvalidCase{"OneByteOverTheLimit", "\x05\x00\x10"s + std::string(MaxFontDataLength - 2, 'x')},
                      InvalidCase{"OverTheLimitBehindAHeader",
                                  HEADER + "\x05\x00\x10"s + std::string(MaxFontDataLength - 2, 'x')},
                      InvalidCase{"Empty", ""}, InvalidCase{"ShorterThanItsHeader", "\x02\x00"s},
                      InvalidCase{"HeaderOnly", HEADER}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadFontFileTest, AMissingFileCannotBeOpened)
{
    EXPECT_FALSE(ReadFontFile((TempDir() / "missing.zft").string()));
    EXPECT_FALSE(ReadFontFile(TempDir().string()));
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const auto& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.text, "Can't open input file");
    }
}

// A named pipe chosen as the font file can't be opened.
TEST_F(ReadFontFileTest, ANamedPipeCannotBeOpened)
{
    const auto read = test::ReadUnwrittenPipe((TempDir() / "pipe.zft").string(),
                                              [](const std::string& path) { return ReadFontFile(path).has_value(); });
    EXPECT_TRUE(read.Returned);
    EXPECT_FALSE(read.Result);
    EXPECT_EQ(ui.OnlyMessage(), "Can't open input file");
}

}  // namespace
}  // namespace zk
