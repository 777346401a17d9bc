// Symbols drawn into the label image must read back with an independent
// decoder (zxing-cpp) as the figure's data.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "engine/model/label_setup.h"
#include "engine/pdf417/pdf417_encoder.h"
#include "engine/render/label_image.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/zxing_decoder.h"

namespace zk {
namespace {

struct Decoded {
    bool Valid = false;
    std::string Bytes;
    std::string EcLevel;
};

// Room around the figure's rectangle for the quiet zone: more than 10
// modules of the widest module used here.
constexpr int QUIET = 80;

// Places the figure's rectangle QUIET dots inside a fresh label image, draws
// it and decodes the image.
Decoded RenderAndDecode(TPdf417Figure figure)
{
    const int w = figure.MaxWidth;
    const int h = figure.MaxHeight;
    const bool upright = figure.Rotation % 2 == 0;
    const int imageWidth = 2 * QUIET + (upright ? w : h);
    const int imageHeight = 2 * QUIET + (upright ? h : w);
    // The anchor (X, Y) is the corner the rotation turns the rectangle about.
    const int anchors[4][2] = {{QUIET, QUIET}, {QUIET + h, QUIET}, {QUIET + w, QUIET + h}, {QUIET, QUIET + w}};
    figure.X = static_cast<std::int16_t>(anchors[figure.Rotation][0] - LabelSetup.LeftMargin);
    figure.Y = static_cast<std::int16_t>(anchors[figure.Rotation][1] - LabelSetup.TopMargin);
    LabelImage.Resize(imageWidth, imageHeight);
    EncodePdf417(figure);

    const auto result = test::DecodeGrey(test::LabelImageAsGrey(), imageWidth, imageHeight, "PDF417");
    Decoded decoded;
    decoded.Valid = result.has_value();
    if (result) {
        decoded.Bytes = result->Bytes;
        decoded.EcLevel = result->EcLevel;
    }
    return decoded;
}

TPdf417Figure Figure(const std::string& data)
{
    TPdf417Figure f;
    f.MaxWidth = 600;
    f.MaxHeight = 600;
    f.MaxCols = 34;
    f.MaxRows = 90;
    f.Position = 1;
    f.ModuleWidth = 2;
    f.ModuleHeight = 6;
    f.Data = "\"" + data + "\"";
    return f;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

std::string Sequence(std::size_t count, int first)
{
    std::string s;
    for (std::size_t i = 0; i < count; ++i) s.push_back(static_cast<char>(first + static_cast<int>(i % 97)));
    return s;
}

// Sentences with every sub-mode, repeated up to length characters.
std::string LongText(std::size_t length)
{
    const std::string sentence = "The quick brown fox jumps over the lazy dog; THE DOG SLEEPS (#42, $3.50)! ";
    std::string s;
    while (s.size() < length) s += sentence;
    s.resize(length);
    return s;
}

class Pdf417DecodeTest : public test::EngineTest {
protected:
    void ExpectDecodes(const TPdf417Figure& figure, const std::string& data)
    {
        const Decoded decoded = RenderAndDecode(figure);
        ASSERT_TRUE(decoded.Valid) << "data of " << data.size() << " bytes, rotation " << int(figure.Rotation);
        EXPECT_EQ(decoded.Bytes, data);
    }
};

struct DataCase {
    const char* name;
    std::string data;
    std::uint8_t compaction;
};

const DataCase DATA_CASES[] = {
    {"alpha lower mixed punctuation", "Hello, World! 12 #$% ;<>@[]_`~ {curly} (x) 'q'? |a|B|c|", 0},
    {"punctuation shifts and latches", "A;B a;b 1;2 A;<>B a;<>b 1;<>2 ;;;;", 0},
    {"lower to alpha shift and latch", "aBcDEFgh ijKlm", 0},
    {"control characters of text", "tab\there\r\nnext line", 0},
    {"byte shift in text", "ABC" "\x01" "DEF", 0},
    {"byte shift in lower and mixed", "abc" "\x02" "def 12" "\x03" "34", 0},
    {"byte shift after a punctuation pad", "A;<" "\x01" "B;<>" "\x02" "C", 0},
    {"delete is not text", "abc\x7f" "def", 0},
    {"ten digits", "1234567890", 0},
    {"nine digits stay text", "123456789", 0},
    {"long digit run over two groups", "12345678901234567890123456789012345678901234567890123456", 0},
    {"digits inside text", "AB1234567890CD", 0},
    {"digits then one letter", "1234567890A", 0},
    {"bytes then four digits", Bytes({0x80, 0x81}) + "1234" + Bytes({0x82, 0x83}), 0},
    {"bytes then text", Bytes({0xC0, 0xFF, 0x90}) + "Text after bytes", 0},
    {"bytes with text inside", Bytes({0xC0, 0xFF}) + "ab" + Bytes({0xE9}), 0},
    {"six bytes byte only", "alcool", 1},
    {"seven bytes byte only", Bytes({0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86}), 1},
    {"eleven bytes byte only", Bytes({1, 2, 3, 4, 5, 6, 250, 251, 252, 253, 254}), 1},
    {"twelve bytes byte only", Bytes({255, 254, 253, 252, 251, 250, 1, 2, 3, 4, 5, 6}), 1},
    {"thirteen bytes in text mode", Bytes({0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A,
                                           0x8B, 0x8C}),
     0},
    {"long text", LongText(1200), 0},
};

class DataTest : public Pdf417DecodeTest, public ::testing::WithParamInterface<DataCase> {};

TEST_P(DataTest, DecodesToTheData)
{
    TPdf417Figure f = Figure(GetParam().data);
    f.Compaction = GetParam().compaction;
    ExpectDecodes(f, GetParam().data);
}

std::string CaseName(const ::testing::TestParamInfo<DataCase>& info)
{
    std::string name = std::to_string(info.index) + "_" + info.param.name;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Paths, DataTest, ::testing::ValuesIn(DATA_CASES), CaseName);

TEST_F(Pdf417DecodeTest, EverySecurityLevelDecodesAtItsLevel)
{
    const std::string data = "Security level test 0123";
    for (int level = 0; level <= 8; ++level) {
        TPdf417Figure f = Figure(data);
        f.SecurityLevel = static_cast<std::uint8_t>(level + 1);
        f.MaxWidth = 800;
        f.MaxHeight = 800;
        const Decoded decoded = RenderAndDecode(f);
        ASSERT_TRUE(decoded.Valid) << "level " << level;
        EXPECT_EQ(decoded.Bytes, data);
        EXPECT_EQ(decoded.EcLevel, std::to_string(level));
    }
}

TEST_F(Pdf417DecodeTest, AutomaticLevelsDecode)
{
    // Data sizes on both sides of the thresholds 31, 63, 127, 255 and 511, in bytes
    // 158..254: a figure's data text can hold no NUL.
    for (const std::size_t bytes : {20u, 40u, 100u, 250u, 500u, 700u}) {
        const std::string data = Sequence(bytes, 158);
        TPdf417Figure f = Figure(data);
        f.Compaction = 1;
        f.MaxWidth = 1200;
        f.MaxHeight = 1200;
        ExpectDecodes(f, data);
    }
}

TEST_F(Pdf417DecodeTest, EveryModuleWidth)
{
    const std::string data = "Module width " + std::string(30, 'x');
    for (int a = 2; a <= 6; ++a) {
        TPdf417Figure f = Figure(data);
        f.ModuleWidth = static_cast<std::uint8_t>(a);
        f.ModuleHeight = static_cast<std::uint8_t>(3 * a);
        f.MaxWidth = static_cast<std::uint16_t>(10 * 17 * a);
        f.MaxHeight = 400;
        ExpectDecodes(f, data);
    }
}

TEST_F(Pdf417DecodeTest, EveryRotationAndPosition)
{
    const std::string data = "Turned symbol 1234567890 abc";
    for (int rotation = 0; rotation < 4; ++rotation) {
        for (int position = 0; position < 2; ++position) {
            TPdf417Figure f = Figure(data);
            f.Rotation = static_cast<std::uint8_t>(rotation);
            f.Position = static_cast<std::uint8_t>(position);
            f.MaxWidth = 300;
            f.MaxHeight = 200;
            f.ModuleWidth = 3;
            f.ModuleHeight = 9;
            ExpectDecodes(f, data);
        }
    }
}

TEST_F(Pdf417DecodeTest, ReferencePointMovesTheSymbol)
{
    LabelSetup.LeftMargin = 17;
    LabelSetup.TopMargin = -9;
    for (int rotation = 0; rotation < 4; ++rotation) {
        TPdf417Figure f = Figure("Margins");
        f.Rotation = static_cast<std::uint8_t>(rotation);
        f.MaxWidth = 300;
        f.MaxHeight = 120;
        ExpectDecodes(f, "Margins");
    }
}

TEST_F(Pdf417DecodeTest, DialogDefaultsShrinkToFit)
{
    // The new-figure defaults: 170 x 64 dots at module width 6 cannot hold
    // even one column, so the modules and rows shrink.
    TPdf417Figure f = Figure("PDF417");
    f.MaxWidth = 170;
    f.MaxHeight = 64;
    f.MaxCols = 16;
    f.MaxRows = 30;
    f.ModuleWidth = 6;
    f.ModuleHeight = 24;
    ExpectDecodes(f, "PDF417");
}

// A rectangle too short for the columns MaxCols allows: the shrink step
// takes its data columns from the width alone, up to 30.
TEST_F(Pdf417DecodeTest, ShrunkSymbolsWiderThanMaxColsDecode)
{
    const struct {
        int maxWidth;
        int maxHeight;
        int maxCols;
        std::string data;
        int columns;
    } cases[] = {
        {204, 40, 5, "A", 2},
        {1360, 200, 6, LongText(150), 30},
    };
    for (const auto& c : cases) {
        TPdf417Figure f = Figure(c.data);
        f.MaxWidth = static_cast<std::uint16_t>(c.maxWidth);
        f.MaxHeight = static_cast<std::uint16_t>(c.maxHeight);
        f.MaxCols = static_cast<std::uint16_t>(c.maxCols);
        f.ModuleHeight = 8;
        const TPdf417Symbol symbol = BuildPdf417Symbol(f);
        ASSERT_FALSE(symbol.Failed) << c.maxWidth;
        EXPECT_EQ(symbol.Layout.Columns, c.columns);
        ExpectDecodes(f, c.data);
    }
}

TEST_F(Pdf417DecodeTest, LargestSymbolOfTheCodewordLimit)
{
    // 957 bytes: descriptor, latch 901, 159 groups of 6 (795 codewords) and 3
    // single bytes make 800 codewords; level 6 adds 128, exactly 928.
    const std::string data = Sequence(957, 129);
    TPdf417Figure f = Figure(data);
    f.Compaction = 1;
    f.MaxWidth = 34 * 17 * 2 + 20;
    f.MaxHeight = 1400;
    f.ModuleHeight = 5;
    const TPdf417Symbol symbol = BuildPdf417Symbol(f);
    ASSERT_FALSE(symbol.Failed);
    EXPECT_LE(symbol.Layout.Rows * symbol.Layout.Columns, 928);
    EXPECT_EQ(symbol.Layout.Level, 6);
    ExpectDecodes(f, data);

    // One byte more needs a 929th codeword.
    EXPECT_TRUE(BuildPdf417Symbol(Figure(Sequence(958, 129))).Failed);
}

TEST_F(Pdf417DecodeTest, LongestNumericData)
{
    const std::string digits = [] {
        std::string s;
        for (int i = 0; i < 2000; ++i) s.push_back(static_cast<char>('0' + (i * 7) % 10));
        return s;
    }();
    TPdf417Figure f = Figure(digits);
    f.MaxWidth = 34 * 17 * 2 + 20;
    f.MaxHeight = 1400;
    f.ModuleHeight = 5;
    ExpectDecodes(f, digits);
}

}  // namespace
}  // namespace zk
