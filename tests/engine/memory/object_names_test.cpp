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

}  // namespace
}  // namespace zk
