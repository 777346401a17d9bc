#include "engine/expr/data_expression.h"

#include <array>
#include <cctype>
#include <ostream>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/expr/clock.h"
#include "engine/model/label_setup.h"
#include "engine/model/variables.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

struct ExpressionCase {
    const char* name;
    TClockTime now;
    const char* expr;
    bool decimalEscapes;
    const char* expected;  // "@@@@" for a failure
};

// Shown by the test runner instead of the case's bytes.
void PrintTo(const ExpressionCase& c, std::ostream* os) { *os << c.name; }

constexpr TClockTime Noon2026{2026, 3, 15, 12, 34, 56};

const ExpressionCase Cases[] = {
    {"empty", Noon2026, "", false, ""},
    {"quoted", Noon2026, "\"AB\"\"CD\"", false, "ABCD"},
    {"escaped quote and backslash", Noon2026, "\"a\\\"b\\\\c\"", false, "a\"b\\c"},
    {"decimal escape allowed", Noon2026, "\"A\\65\"", true, "AA"},
    {"decimal escape refused", Noon2026, "\"A\\65\"", false, "A65"},
    {"one digit is no decimal escape", Noon2026, "\"\\6x\"", true, "6x"},
    {"unterminated quote", Noon2026, "\"AB", false, "@@@@"},
    {"backslash at end", Noon2026, "\"AB\\", false, "@@@@"},
    {"variable right justified", Noon2026, "\"AB\"V1", false, "AB007"},
    {"leading zeros removed", Noon2026, "\"AB\"V1#", false, "AB7"},
    {"leading zeros of a decimal", Noon2026, "V2#", false, "7.50"},
    {"variable index with leading zeros", Noon2026, "V01", false, "007"},
    {"counter offset", Noon2026, "C0+5", false, "001003"},
    {"counter negative offset", Noon2026, "C0-1000", false, "0000-2"},
    {"offset too large", Noon2026, "V1+20000", false, "@@@@"},
    {"offset limit, cut to the length", Noon2026, "V1+10000", false, "100"},
    // An offset is a sign and a number; a sign without one is a modifier
    // the evaluator doesn't know.
    {"sign alone fails", Noon2026, "V1+", false, "@@@@"},
    {"minus alone fails", Noon2026, "V2-", false, "@@@@"},
    {"sign alone then a modifier fails", Noon2026, "V1+#", false, "@@@@"},
    {"sign alone then the next item fails", Noon2026, "C0-\"/\"", false, "@@@@"},
    {"sign then a variable fails", Noon2026, "V1+V3", false, "@@@@"},
    {"offset after a modifier fails", Noon2026, "V1#+1", false, "@@@@"},
    {"zero offset reads the value as a number", Noon2026, "V2-0", false, "7"},
    {"left justified", Noon2026, "V4", false, "ab**"},
    {"centred", Noon2026, "V5", false, "*ab**"},
    {"no justification", Noon2026, "V6", false, "abc"},
    {"unknown justification is all fill", Noon2026, "V7", false, "---"},
    {"value cut to length", Noon2026, "V8", false, "abc"},
    {"V32 fails", Noon2026, "V32", false, "@@@@"},
    {"C8 fails", Noon2026, "C8", false, "@@@@"},
    {"V without digits fails", Noon2026, "V", false, "@@@@"},
    {"T then X fails", Noon2026, "TX", false, "@@@@"},
    {"T at end fails", Noon2026, "T", false, "@@@@"},
    {"item Q fails", Noon2026, "Q", false, "@@@@"},
    {"unknown modifier fails", Noon2026, "V1Q", false, "@@@@"},
    {"time", Noon2026, "TT", false, "12:34:56"},
    {"second letter in lower case", Noon2026, "Tt", false, "12:34:56"},
    {"lower-case item fails", Noon2026, "tt", false, "@@@@"},
    {"date", Noon2026, "TD", false, "15-03-2026"},
    {"date plus two over new year", {2025, 12, 30, 8, 0, 0}, "TD+2", false, "01-01-2026"},
    {"date minus a variable", Noon2026, "TD-V3", false, "05-03-2026"},
    {"date plus a variable", Noon2026, "TD+V3", false, "25-03-2026"},
    {"date offset limit", Noon2026, "TD+3601", false, "@@@@"},
    {"date with a sign alone fails", Noon2026, "TD+", false, "@@@@"},
    {"date with a sign alone then a modifier fails", Noon2026, "TD-L2", false, "@@@@"},
    {"week with a sign alone fails", {2026, 1, 1, 0, 0, 0}, "TW+", false, "@@@@"},
    {"date with a zero offset", Noon2026, "TD-0", false, "15-03-2026"},
    {"date variable out of range", Noon2026, "TD+V32", false, "@@@@"},
    {"date variable too large", Noon2026, "TD+V9", false, "@@@@"},
    {"date year alone", Noon2026, "TDR4", false, "2026"},
    {"date middle", Noon2026, "TDM4.3", false, "03-"},
    {"date then quoted", Noon2026, "TDL2\"/\"TTL2", false, "15/12"},
    {"week 1 January 2026", {2026, 1, 1, 0, 0, 0}, "TW", false, "0540"},
    {"week 10 January 2026", {2026, 1, 10, 0, 0, 0}, "TW", false, "0760"},
    {"week 31 December 2026", {2026, 12, 31, 0, 0, 0}, "TW", false, "5740"},
    {"week with offset", {2026, 1, 1, 0, 0, 0}, "TW+9", false, "0760"},
    {"strip leading character", Noon2026, "V4<a", false, "b**"},
    {"strip leading spaces at end", Noon2026, "V10<", false, "x  "},
    {"strip trailing character", Noon2026, "V4>*", false, "ab"},
    {"strip trailing spaces at end", Noon2026, "V10>", false, "  x"},
    {"keep first", Noon2026, "V4L1", false, "a"},
    {"keep first longer than field", Noon2026, "V4L9", false, "ab**"},
    {"keep last", Noon2026, "V4R3", false, "b**"},
    {"middle zero counts as one", Noon2026, "V4M0.0", false, "a"},
    {"middle past the end is empty", Noon2026, "V4M5.2", false, ""},
    {"middle at the field's length is empty", Noon2026, "V4M4.2", false, ""},
    {"middle zero at length one keeps it", Noon2026, "V4L1M0.1", false, "a"},
    {"middle one at length one is empty", Noon2026, "V4L1M1.1", false, ""},
    {"middle below the length", Noon2026, "V4M3.5", false, "**"},
    {"middle without dot fails", Noon2026, "V4M2", false, "@@@@"},
    {"exchange", Noon2026, "V4X*-", false, "ab--"},
    {"exchange missing replacement fails", Noon2026, "V4X*", false, "@@@@"},
    {"modifiers in order", Noon2026, "V1#X7a", false, "a"},
    {"all zeros become one zero", Noon2026, "V11#", false, "0"},
    {"leading dot gets a zero", Noon2026, "V12#", false, "0.5"},
    // A value beyond the 64-bit range reads as its bound, and an offset
    // stops there too.
    {"a value above the range plus one stays at the top", Noon2026, "V13+1", false, "9223372036854775807"},
    {"a value above the range minus one", Noon2026, "V13-1", false, "9223372036854775806"},
    {"a value below the range minus one stays at the bottom", Noon2026, "V14-1", false, "-9223372036854775808"},
    {"a day offset beyond the range fails", Noon2026, "TD+V13", false, "@@@@"},
};

// The variables and counter the cases read.
class ExpressionFixture : public test::EngineTest {
protected:
    ExpressionFixture()
    {
        SetVariable(Variables[0], "12", 255, '0', 3);
        SetVariable(Variables[1], "7", 3, '0', 3);
        SetVariable(Variables[2], "007.50", 6, ' ', 0);
        SetVariable(Variables[3], "10", 2, '0', 0);
        SetVariable(Variables[4], "ab", 4, '*', 1);
        SetVariable(Variables[5], "ab", 5, '*', 2);
        SetVariable(Variables[6], "abc", 6, '*', 0);
        SetVariable(Variables[7], "abc", 3, '-', 4);
        SetVariable(Variables[8], "abcdef", 3, '*', 1);
        SetVariable(Variables[9], "3601", 4, ' ', 0);
        SetVariable(Variables[10], "x", 5, ' ', 2);
        SetVariable(Variables[11], "000", 3, ' ', 0);
        SetVariable(Variables[12], ".5", 2, ' ', 0);
        SetVariable(Variables[13], "99999999999999999999", 24, ' ', 0);
        SetVariable(Variables[14], "-99999999999999999999", 24, ' ', 0);
        SetVariable(Counters[0], "998", 6, '0', 3);
    }

    // Evaluates expr into rooms of every size up to a little past its whole
    // result and compares each with the whole result cut to that room.
    static void CheckCutEqualsWholeCut(std::string_view expr, bool decimalEscapes)
    {
        std::vector<char> whole(1 << 16);
        const int wholeOk = EvaluateDataExpression(whole, expr, decimalEscapes);
        const std::size_t wholeLength = wholeOk ? static_cast<std::size_t>(DataExpressionLength) : 4;
        const std::uint8_t wholeError = DataExpressionError;
        for (std::size_t size = 1; size <= wholeLength + 2; ++size) {
            std::vector<char> out(size + 1, '#');
            const int ok = EvaluateDataExpression(std::span<char>(out.data(), size), expr, decimalEscapes);
            const std::size_t kept = std::min(wholeLength, size - 1);
            EXPECT_EQ(ok, wholeOk) << expr << " in " << size;
            EXPECT_EQ(DataExpressionError, wholeError) << expr << " in " << size;
            EXPECT_EQ(std::string_view(out.data(), kept), std::string_view(whole.data(), kept))
                << expr << " in " << size;
            EXPECT_EQ(out[kept], '\0') << expr << " in " << size;
            EXPECT_EQ(out[size], '#') << expr << " in " << size;
            if (ok) {
                EXPECT_EQ(DataExpressionLength, static_cast<std::int32_t>(kept)) << expr << " in " << size;
            }

            // A caller that stops at a result too long for it gets the whole
            // outcome when the whole result fits, and TooLong otherwise,
            // unless a failure comes first.
            std::vector<char> within(size, '#');
            const EvaluationOutcome outcome = EvaluateDataExpressionWithin(within, expr, decimalEscapes);
            const bool fits = wholeOk && wholeLength < size;
            if (fits) {
                EXPECT_EQ(outcome, EvaluationOutcome::Done) << expr << " in " << size;
            } else if (wholeOk) {
                EXPECT_EQ(outcome, EvaluationOutcome::TooLong) << expr << " in " << size;
            } else {
                EXPECT_NE(outcome, EvaluationOutcome::Done) << expr << " in " << size;
            }
            if (outcome != EvaluationOutcome::TooLong || wholeOk) {
                EXPECT_EQ(std::string_view(within.data()), std::string_view(out.data())) << expr << " in " << size;
            }
        }
    }

    static void SetVariable(TVariable& v, const char* value, int length, char pad, int justification)
    {
        v.Defined = 1;
        v.Value = value;
        v.Length = static_cast<std::uint8_t>(length);
        v.PadChar = static_cast<std::uint8_t>(pad);
        v.Justification = static_cast<std::uint8_t>(justification);
    }
};

class DataExpressionTest : public ExpressionFixture, public ::testing::WithParamInterface<ExpressionCase> {};

TEST_P(DataExpressionTest, Evaluates)
{
    const ExpressionCase& c = GetParam();
    SetClockNow(c.now);
    std::array<char, 128> out{};
    const bool failure = std::strcmp(c.expected, "@@@@") == 0;
    EXPECT_EQ(EvaluateDataExpression(out, c.expr, c.decimalEscapes), failure ? 0 : 1);
    EXPECT_STREQ(out.data(), c.expected);
    EXPECT_EQ(DataExpressionError, failure ? 1 : 0);
    if (!failure) {
        EXPECT_EQ(DataExpressionLength, static_cast<std::int32_t>(std::strlen(c.expected)));
    }
    EXPECT_EQ(Counters[0].Value.view(), "998");
}

INSTANTIATE_TEST_SUITE_P(Cases, DataExpressionTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

class DataExpressionFormatTest : public ExpressionFixture {};

TEST_F(DataExpressionFormatTest, DateAndTimeFormats)
{
    SetClockNow(TClockTime{2026, 2, 3, 4, 5, 6});
    const struct {
        const char* dateFormat;
        const char* timeFormat;
        const char* expr;
        const char* expected;
    } cases[] = {
        {"DD/MM/Y2", "H:M:S", "TD", "03/FEB/26"},
        {"Y4.MN.DD", "H:M:S", "TD", "2026.02.03"},
        {"dd mn y2", "H:M:S", "TD", "03 02 26"},
        {"MM-DD", "H:M:S", "TD", "FEB-03"},
        {"DD-MN-Y4", "H.M", "TT", "04.05"},
        {"DD-MN-Y4", "S-H-M", "TT", "06-04-05"},
        {"DD-MN-Y4", "H", "TT", "04"},
    };
    for (const auto& c : cases) {
        LabelSetup.DateFormat = c.dateFormat;
        LabelSetup.TimeFormat = c.timeFormat;
        std::array<char, 64> out{};
        EXPECT_EQ(EvaluateDataExpression(out, c.expr, false), 1) << c.dateFormat << ' ' << c.timeFormat;
        EXPECT_STREQ(out.data(), c.expected) << c.dateFormat << ' ' << c.timeFormat;
    }
}

TEST_F(DataExpressionFormatTest, DecimalEscapesMayProduceNul)
{
    std::array<char, 16> out{};
    EXPECT_EQ(EvaluateDataExpression(out, "\"A\\00B\"", true), 1);
    EXPECT_EQ(DataExpressionLength, 3);
    EXPECT_EQ(std::string(out.data(), 3), std::string("A\0B", 3));
}

TEST_F(DataExpressionFormatTest, ResultIsCutToTheBuffer)
{
    std::array<char, 8> guarded{};
    guarded.fill('#');
    const std::span<char> out(guarded.data(), 4);
    EXPECT_EQ(EvaluateDataExpression(out, "\"ABCDEFGH\"", false), 1);
    EXPECT_STREQ(guarded.data(), "ABC");
    EXPECT_EQ(DataExpressionLength, 3);
    EXPECT_EQ(guarded[4], '#');

    EXPECT_EQ(EvaluateDataExpression(out, "Q", false), 0);
    EXPECT_STREQ(guarded.data(), "@@@");
    EXPECT_EQ(guarded[4], '#');
    EXPECT_EQ(EvaluateDataExpression(std::span<char>(), "\"A\"", false), 1);
}

// The evaluator stops building once the caller's room is full; what it
// gives must be what the whole result cut to that room gives, failures
// after the room is full included.
TEST_P(DataExpressionTest, CutResultEqualsTheWholeResultCut)
{
    const ExpressionCase& c = GetParam();
    SetClockNow(c.now);
    CheckCutEqualsWholeCut(c.expr, c.decimalEscapes);
}

TEST_F(DataExpressionFormatTest, CutResultEqualsTheWholeResultCut)
{
    SetClockNow(Noon2026);
    const std::string many = [] {
        std::string s;
        for (int i = 0; i < 40; ++i) s += "V0R3";
        return s;
    }();
    const struct {
        const char* expr;
        bool decimalEscapes;
    } cases[] = {
        {"\"ABCDEFGH\"Q", false},           // a bad item after the room is full
        {"\"ABCDEFGH\"V0+20000", false},    // an offset out of range after it
        {"\"ABCDEFGH\"V0+9999", false},
        {"\"ABCDEFGH\"TD+V9", false},       // a day offset variable out of range
        {"\"ABCDEFGH\"TD-V32", false},
        {"\"ABCDEFGH\"TD+3601", false},
        {"\"ABCDEFGH\"TD+3600TTTW", false},
        {"\"ABCDEFGH\"V0M2", false},        // a middle without its dot
        {"\"ABCDEFGH\"V0X1", false},        // an exchange without its second character
        {"\"ABCDEFGH\"V0+", false},
        {"\"ABCDEFGH\"TD+", false},
        {"\"ABCDEFGH\"\"IJ", false},         // an unterminated quote
        {"\"ABCDEFGH\"\"IJ\\", false},
        {"\"AB\\00CD\\65EFGH\"V0#", true},
        {"V0", false},
        {"V0L2V0#V0M254.9V0<0V0>0V0X02TD", false},
        {"V0L0V0L0\"XYZ\"V0R1", false},
        {"C0-5V0+1R4TTL2\"/\"TWTD", false},
    };
    for (const auto& c : cases) {
        CheckCutEqualsWholeCut(c.expr, c.decimalEscapes);
    }
    CheckCutEqualsWholeCut(many, false);
}

TEST_F(DataExpressionFormatTest, ExpressionStopsAtNul)
{
    std::array<char, 16> out{};
    EXPECT_EQ(EvaluateDataExpression(out, std::string_view("\"A\"\0Q", 5), false), 1);
    EXPECT_STREQ(out.data(), "A");
}

TEST(NumberParsingTest, CapsAndPositions)
{
    std::uint16_t u = 1;
    EXPECT_EQ(ParseUnsignedNumber("123x", u), 3u);
    EXPECT_EQ(u, 123);
    EXPECT_EQ(ParseUnsignedNumber("99999999", u), 8u);
    EXPECT_EQ(u, 65535);
    EXPECT_EQ(ParseUnsignedNumber("x", u), 0u);
    EXPECT_EQ(u, 0);

    std::int16_t s = 1;
    EXPECT_EQ(ParseSignedNumber("-42.", s), 3u);
    EXPECT_EQ(s, -42);
    EXPECT_EQ(ParseSignedNumber("+7", s), 2u);
    EXPECT_EQ(s, 7);
    EXPECT_EQ(ParseSignedNumber("-99999", s), 6u);
    EXPECT_EQ(s, -32767);
    EXPECT_EQ(ParseSignedNumber("x", s), 0u);
    EXPECT_EQ(s, 0);
}

TEST(NumberParsingTest, SignWithoutDigitsIsZero)
{
    const struct {
        const char* text;
        std::size_t used;
    } cases[] = {{"-", 1}, {"+", 1}, {"+x", 1}, {"-,5", 1}, {"", 0}};
    for (const auto& c : cases) {
        std::int16_t s = 1;
        EXPECT_EQ(ParseSignedNumber(c.text, s), c.used) << c.text;
        EXPECT_EQ(s, 0) << c.text;
    }
}

}  // namespace
}  // namespace zk
