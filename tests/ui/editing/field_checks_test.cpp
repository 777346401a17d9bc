#include "ui/editing/field_checks.h"

#include <gtest/gtest.h>

#include "engine/model/label_setup.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class FieldChecksTest : public test::EngineTest {};

TEST_F(FieldChecksTest, TextToInt)
{
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"42", 42},      {"-7", -7},        {"+7", 7},         {"  12 ", 12},  {"0", 0},
        {"", -1},        {" ", -1},         {"abc", -1},       {"12a", -1},    {"1 2", -1},
        {"-", -1},       {"+-3", -1},       {"3.5", -1},       {"0x10", -1},
        {"2147483647", 2147483647},         {"-2147483648", -2147483647 - 1},
        {"2147483648", -1},                 {"99999999999999999999", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToIntDef(c.text, -1), c.value);
    }
}

TEST_F(FieldChecksTest, IntRange)
{
    struct Case {
        const char* text;
        std::int32_t min;
        std::int32_t max;
        std::int32_t fallback;
        bool ok;
    };
    const Case cases[] = {
        {"1", 1, 8, 3, true},      {"8", 1, 8, 3, true},      {"0", 1, 8, 3, false},
        {"9", 1, 8, 3, false},     {"-1", -99, 99, 0, true},  {"-100", -99, 99, 0, false},
        // Not a number: the fallback (the field's current value) is checked instead.
        {"x", 1, 8, 3, true},      {"x", 1, 8, 0, false},     {"", 80, 608, 384, true},
        {"99999999999", 80, 608, 384, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CheckIntRange(c.text, c.min, c.max, c.fallback), c.ok);
    }
}

TEST_F(FieldChecksTest, DateFormats)
{
    struct Case {
        const char* text;
        bool ok;
        const char* upper;
    };
    const Case cases[] = {
        {"dd/mn/y4", true, "DD/MN/Y4"},
        {"DD-MN-Y2", true, "DD-MN-Y2"},
        {"y4.me.dd", true, "Y4.ME.DD"},
        {"mn dd", true, "MN DD"},
        {"Y2", true, "Y2"},
        {"dd", true, "DD"},
        {"DD-DD-Y4", false, nullptr},  // day twice
        {"DD-MN-ME", false, nullptr},  // month twice
        {"DD-MN-Y3", false, nullptr},
        {"DD-MN-YY", false, nullptr},
        {"DD-MX-Y4", false, nullptr},
        {"", false, nullptr},
        {"D", false, nullptr},
        {"DD-M", false, nullptr},
        {"DD-MN-Y4-", false, nullptr},
        {"DD-MN-Y4-DD", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LabelSetup.DateFormat = "DD-MN-Y4";
        std::string text = c.text;
        EXPECT_EQ(CheckDateFormat(text), c.ok);
        if (c.ok) {
            EXPECT_EQ(text, c.upper);
            EXPECT_EQ(LabelSetup.DateFormat.view(), c.upper);
        } else {
            EXPECT_EQ(LabelSetup.DateFormat.view(), "DD-MN-Y4");
        }
    }
}

TEST_F(FieldChecksTest, TimeFormats)
{
    struct Case {
        const char* text;
        bool ok;
        const char* upper;
    };
    const Case cases[] = {
        {"h:m", true, "H:M"},   {"h:m:s", true, "H:M:S"}, {"s.m.h", true, "S.M.H"}, {"m", true, "M"},
        {"H:H", false, nullptr}, {"H:M:M", false, nullptr}, {"H:X", false, nullptr}, {"", false, nullptr},
        {"HM", false, nullptr},  {"H:M:S:", false, nullptr}, {"H:M:S:H", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LabelSetup.TimeFormat = "H:M:S";
        std::string text = c.text;
        EXPECT_EQ(CheckTimeFormat(text), c.ok);
        if (c.ok) {
            EXPECT_EQ(text, c.upper);
            EXPECT_EQ(LabelSetup.TimeFormat.view(), c.upper);
        } else {
            EXPECT_EQ(LabelSetup.TimeFormat.view(), "H:M:S");
        }
    }
}

}  // namespace
}  // namespace zk
