#include "engine/ttf/converter_state.h"

#include <set>

#include "tests/support/engine_fixture.h"

namespace zk
{
namespace
{

class ConverterStateTest : public test::EngineTest
{
};

auto Having(std::set<int> charsets)
{
    return [charsets](int charset) { return charsets.count(charset) != 0; };
}

TEST_F(ConverterStateTest, ScriptsAreListedInTheFixedOrder)
{
    const TScriptList list = FillScriptList(Having({161, 2}));
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Symbol", "Greek"}));
    EXPECT_EQ(list.Selected, 0);
    EXPECT_EQ(Converter.CurrentScript, "Symbol");
}

TEST_F(ConverterStateTest, TheLastScriptStaysChosenWhenTheNextFontHasIt)
{
    FillScriptList(Having({0, 204}));
    Converter.CurrentScript = "Cyrillic";
    const TScriptList next = FillScriptList(Having({0, 204, 161}));
    EXPECT_EQ(next.Items[static_cast<std::size_t>(next.Selected)], "Cyrillic");
    const TScriptList without = FillScriptList(Having({0, 161}));
    EXPECT_EQ(without.Selected, 0);
    EXPECT_EQ(Converter.CurrentScript, "Western");
}

TEST_F(ConverterStateTest, AFontWithoutTheEightCharsetsUsesTheDefault)
{
    Converter.CurrentScript = "Greek";
    const TScriptList list = FillScriptList(Having({}));
    EXPECT_TRUE(list.Items.empty());
    EXPECT_EQ(list.Selected, -1);
    EXPECT_EQ(Converter.CurrentScript, "Greek");
    EXPECT_EQ(SelectedCharset(""), 1);
}

TEST_F(ConverterStateTest, StyleIndexBitsGiveItalicAndBold)
{
    const struct {
        int index;
        bool bold;
        bool italic;
    } rows[] = {{0, false, false}, {1, false, true}, {2, true, false}, {3, true, true}};
    for (const auto& row : rows) {
        ApplyStyleAndCharset(row.index, "Central Europe");
        EXPECT_EQ(Converter.ConverterFontStyle.Bold, row.bold) << row.index;
        EXPECT_EQ(Converter.ConverterFontStyle.Italic, row.italic) << row.index;
        EXPECT_EQ(Converter.ConverterFont.Charset, 238);
    }
}

TEST_F(ConverterStateTest, DejaVuSansListsItsScripts)
{
    const TScriptList list = FillScriptList(std::string("DejaVu Sans"));
    ASSERT_GE(list.Items.size(), 4u);
    EXPECT_EQ(list.Items[0], "Western");
    EXPECT_EQ(list.Items[1], "Cyrillic");
}

}  // namespace
}  // namespace zk
