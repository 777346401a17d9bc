#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/memory/printer_dialogs.h"
#include "engine/memory/printer_memory.h"

namespace zk {
namespace {

struct NameCase {
    std::string name;
    std::int16_t kind;
    bool valid;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.kind << ':' << c.name; }

class ObjectNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ObjectNameTest, AcceptsLettersAndDigitsOnly)
{
    EXPECT_EQ(IsValidObjectName(GetParam().name, GetParam().kind), GetParam().valid) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectNameTest,
    ::testing::Values(NameCase{"LABEL1", ObjectKindForm, true}, NameCase{"A", ObjectKindForm, true},
                      NameCase{"12345678", ObjectKindCurrentLabel, true}, NameCase{"abc", ObjectKindGraphics, true},
                      NameCase{"123456789", ObjectKindForm, false}, NameCase{"", ObjectKindForm, false},
                      NameCase{"AB-1", ObjectKindForm, false}, NameCase{"AB 1", ObjectKindGraphics, false},
                      NameCase{"A\"B", ObjectKindForm, false}, NameCase{"\xC4X", ObjectKindForm, false},
                      NameCase{"Z", ObjectKindFont, true}, NameCase{"1", ObjectKindFont, false},
                      NameCase{"AB", ObjectKindFont, false}, NameCase{"", ObjectKindFont, false}));

struct HeaderCase {
    std::string lead;
    std::size_t length;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.length; }

class FontHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FontHeaderTest, EndsAfterTheStoreCommandsClosingQuote)
{
    EXPECT_EQ(FontFileHeaderLength(GetParam().lead), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontHeaderTest,
    ::testing::Values(HeaderCase{"\r\nEK\"A\"\r\nES\"A\"\x05\x00\x10", 14}, HeaderCase{"EK\"B\"ES\"B\"data", 10},
                      HeaderCase{std::string("\x05\x00\x10", 3) + "EK\"A\"ES\"A\"", 0},  // a NUL ends the search
                      HeaderCase{"ES\"A\"\x05", 0},                                        // no EK
                      HeaderCase{"EK\"A\"\r\n", 0},                                         // no ES
                      HeaderCase{std::string(44, ' ') + "EK\"A\"ES\"A\"", 0},               // past 48 bytes
                      HeaderCase{"EK\"ES\"", 6}));

}  // namespace
}  // namespace zk
