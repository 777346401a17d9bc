// The fixed columns of the VI reply lines.

#include "engine/formread/variable_reply.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/printer_memory.h"

namespace zk {
namespace {

TEST(VariableReplyLine, VariableWithValue)
{
    const auto read = ReadVariableLine("V03,12,R0,\"Weight\",\"0042\"", true);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->Counter);
    EXPECT_EQ(read->Index, 3u);
    EXPECT_EQ(read->Record.Defined, 1);
    EXPECT_EQ(read->Record.Length, 12);
    EXPECT_EQ(read->Record.Justification, 3);
    EXPECT_EQ(read->Record.PadChar, '0');
    EXPECT_EQ(read->Record.Step, 0);
    EXPECT_EQ(read->Record.Prompt.view(), "Weight");
    EXPECT_EQ(read->Record.Value.view(), "0042");
}

TEST(VariableReplyLine, CounterStepsOfEveryWidth)
{
    // A sign without digits is a step of 0.
    const std::vector<std::pair<std::string, int>> steps = {{"+1", 1},     {"-12", -12}, {"+100", 100},
                                                            {"-100", -100}, {"+", 0},    {"-", 0}};
    for (const auto& [text, step] : steps) {
        const auto read = ReadVariableLine("C07,05,L ," + text + ",\"Serial\",\"17\"", true);
        ASSERT_TRUE(read) << text;
        EXPECT_TRUE(read->Counter);
        EXPECT_EQ(read->Index, 7u);
        EXPECT_EQ(read->Record.Step, step) << text;
        EXPECT_EQ(read->Record.PadChar, ' ');
        EXPECT_EQ(read->Record.Prompt.view(), "Serial") << text;
        EXPECT_EQ(read->Record.Value.view(), "17") << text;
    }
}

TEST(VariableReplyLine, TargetZeroLeavesTheValueEmpty)
{
    const auto read = ReadVariableLine("V00,10,N ,\"Name\",\"Bob\"", false);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Record.Prompt.view(), "Name");
    EXPECT_TRUE(read->Record.Value.empty());
}

TEST(VariableReplyLine, TrailingBlanksAndHighBytesAreCutFromThePrompt)
{
    const auto read = ReadVariableLine("V00,10,N ,\"Name \t\xE9 \",\"x\"", true);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Record.Prompt.view(), "Name");
}

TEST(VariableReplyLine, LongPromptsAreBoundedByTheField)
{
    const auto read = ReadVariableLine("V00,10,N ,\"" + std::string(60, 'p') + "\",\"v\"", true);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Record.Prompt.view(), std::string(27, 'p'));
    EXPECT_EQ(read->Record.Value.view(), "v");
}

TEST(VariableReplyLine, UnknownJustificationReadsAsNone)
{
    const auto read = ReadVariableLine("V00,10,Q ,\"p\",\"v\"", true);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Record.Justification, 0);
}

class BadVariableLineTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BadVariableLineTest, IsNotStored)
{
    EXPECT_FALSE(ReadVariableLine(GetParam(), true)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cases, BadVariableLineTest,
                         ::testing::Values("", "X00,10,N ,\"p\"", "V32,10,N ,\"p\"", "V99,10,N ,\"p\"",
                                           "C08,10,N ,+1,\"p\""));

// Short and broken lines read what is there without reading past the line.
TEST(VariableReplyLine, ShortLinesAreReadSafely)
{
    for (const std::string line : {"V", "V0", "V01,", "V01,5", "C01,05,N ,+", "V01,05,N ,\"open", "V01,05,N ,\"p\","}) {
        const auto read = ReadVariableLine(line, true);
        ASSERT_TRUE(read) << line;
        EXPECT_LE(read->Record.Prompt.length(), 27u);
    }
}

TEST(VariableReplyLine, EmulatorRepliesReadBackAsDefined)
{
    const std::string line = test::PrinterMemory::VariableReplyLine("C02,06,R0,-2,\"Box \\\"nr\\\"\"", "000010");
    EXPECT_EQ(line, "C02,06,R0,-2,\"Box \\\"nr\\\"\",\"000010\"");
    const auto read = ReadVariableLine(line, true);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Record.Step, -2);
    EXPECT_EQ(read->Record.Prompt.view(), "Box \"nr\"");
    EXPECT_EQ(read->Record.Value.view(), "000010");
    EXPECT_EQ(test::PrinterMemory::VariableReplyLine("V05,08,N,\"Lot\"", ""), "V05,08,N ,\"Lot\",\"\"");
}

}  // namespace
}  // namespace zk
