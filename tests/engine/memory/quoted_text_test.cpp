#include "engine/formread/quoted_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace zk {
namespace {

struct QuotedStringCase {
    std::string text;
    std::optional<std::size_t> end;
    std::string out;
};

void PrintTo(const QuotedStringCase& c, std::ostream* os) { *os << c.text; }

class ReadQuotedStringTest : public ::testing::TestWithParam<QuotedStringCase> {};

TEST_P(ReadQuotedStringTest, ReadsUpToTheClosingQuote)
{
    std::string out = "old";
    EXPECT_EQ(ReadQuotedString(GetParam().text, out), GetParam().end);
    EXPECT_EQ(out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadQuotedStringTest,
                         ::testing::Values(QuotedStringCase{"\"PICT1\"", 7, "PICT1"},
                                           QuotedStringCase{"\"A\",rest", 3, "A"},
                                           QuotedStringCase{"\"\"", 2, ""},
                                           QuotedStringCase{"\"a\\\"b\\\\c\"", 9, "a\"b\\c"},
                                           QuotedStringCase{"PICT1\"", std::nullopt, ""},
                                           QuotedStringCase{"\"open", std::nullopt, ""},
                                           QuotedStringCase{"\"ends in \\", std::nullopt, ""},
                                           QuotedStringCase{"", std::nullopt, ""}));

struct QuotedValueCase {
    std::string text;
    std::size_t consumed;
    std::string out;
};

void PrintTo(const QuotedValueCase& c, std::ostream* os) { *os << c.text.substr(0, 20); }

class ReadQuotedValueTest : public ::testing::TestWithParam<QuotedValueCase> {};

TEST_P(ReadQuotedValueTest, ReadsAtMostSixtyTwoCharacters)
{
    std::string out;
    EXPECT_EQ(ReadQuotedValue(GetParam().text, out), GetParam().consumed);
    EXPECT_EQ(out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadQuotedValueTest,
    ::testing::Values(QuotedValueCase{"\"Name\",\"x\"", 6, "Name"},
                      // The opening character is not tested.
                      QuotedValueCase{"'Name\"", 6, "Name"}, QuotedValueCase{"\"\"", 2, ""},
                      QuotedValueCase{"\"a\\\"b\"", 6, "a\"b"},
                      QuotedValueCase{"\"" + std::string(62, 'x') + "\"", 64, std::string(62, 'x')},
                      QuotedValueCase{"\"" + std::string(63, 'x') + "\"", 0, ""},
                      QuotedValueCase{"\"" + std::string(60, 'x') + "\\y\"", 64, std::string(60, 'x') + "y"},
                      QuotedValueCase{"\"" + std::string(61, 'x') + "\\y\"", 0, ""},
                      QuotedValueCase{"\"open", 0, ""}, QuotedValueCase{"\"x\\", 0, ""},
                      QuotedValueCase{"", 0, ""}));

}  // namespace
}  // namespace zk
