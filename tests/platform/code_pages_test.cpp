#include "platform/code_pages.h"

#include <gtest/gtest.h>

namespace zk::platform {
namespace {

TEST(CodePagesTest, Cp1252AndUtf8RoundTripAtTheWidgetBorder)
{
    const std::string cp1252 = "Caf\xE9 \x80 \x9F";
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xC5\xB8");
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
    EXPECT_EQ(Utf8ToCp1252("\xE2\x98\x83"), "?");  // a snowman has no 1252 byte
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");        // a cut sequence
}

TEST(CodePagesTest, TablesHoldTheirCharacters)
{
    EXPECT_EQ(ToUnicode(CodePage::Cp866, 0x80), U'\u0410');   // Cyrillic A
    EXPECT_EQ(ToUnicode(CodePage::Cp1253, 0xC1), U'\u0391');  // Greek Alpha
    EXPECT_EQ(ToUnicode(CodePage::Cp1252, 0x81), 0u);          // undefined in 1252
    EXPECT_EQ(FromUnicode(CodePage::Cp437, U'\u00E9'), 0x82);
}

}  // namespace
}  // namespace zk::platform
