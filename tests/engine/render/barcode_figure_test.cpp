// Barcode figures on the label: Postnet's two passes, the EAN/UPC digit
// layout and add-ons, the text line of the other types, the red cross.

#include "engine/render/barcode_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "engine/barcode/barcode_state.h"
#include "engine/render/barcode_layout.h"
#include "engine/render/redraw.h"
#include "tests/engine/render/barcode_figure_fixture.h"
#include "tests/engine/render/render_test_support.h"

namespace zk {
namespace {

struct TBox {
    int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;  // inclusive
    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
};

TBox BoundsOf(std::uint32_t colour)
{
    TBox box;
    for (int y = 0; y < LabelImage.Height(); ++y) {
        for (int x = 0; x < LabelImage.Width(); ++x) {
            if (LabelImage.Pixel(x, y) != colour) continue;
            box.Left = std::min(box.Left, x);
            box.Right = std::max(box.Right, x);
            box.Top = std::min(box.Top, y);
            box.Bottom = std::max(box.Bottom, y);
        }
    }
    return box;
}

bool ColumnBlack(int x, int fromY, int toY)
{
    for (int y = fromY; y <= toY; ++y) {
        if (LabelImage.Pixel(x, y) != Black) return false;
    }
    return true;
}

int BlackIn(int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) count += LabelImage.Pixel(x, y) == Black;
    }
    return count;
}

using BarcodeFigureTest = test::BarcodeDrawingTest;

// USPS Publication 25: frame bar, five bars per digit (1 = tall), the
// correction digit 5 for 12345, frame bar; bars 10 dots apart.
TEST_F(BarcodeFigureTest, PostnetTallBarsAre24DotsAndShortBars8WhateverTheHeight)
{
    TBarcodeFigure figure = Figure(BarcodeType::Postnet, "12345", 1, 20, 10, 100, 1);
    DrawBarcodeFigure(figure);
    EXPECT_EQ(figure.Height, 24);
    const std::string expected = "1" "00011" "00101" "00110" "01001" "01010" "01010" "1";
    std::string drawn;
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const int x = 20 + 10 * static_cast<int>(k);
        const bool tall = ColumnBlack(x, 10, 33);
        const bool shortBar = !tall && ColumnBlack(x, 26, 33) && LabelImage.Pixel(x, 25) == White;
        drawn.push_back(tall ? '1' : shortBar ? '0' : '?');
    }
    EXPECT_EQ(drawn, expected);
    const TBox box = BoundsOf(Black);
    EXPECT_EQ(box.Top, 10);
    EXPECT_EQ(box.Height(), 24);
    EXPECT_EQ(box.Width(), 10 * 31 + 4);
}

TEST_F(BarcodeFigureTest, PostnetIs24DotsAcrossInEveryRotation)
{
    UseLabel(800, 800);
    for (int r = 0; r < 4; ++r) {
        LabelImage.Clear();
        TBarcodeFigure figure = Figure(BarcodeType::Postnet, "12345", 1, 400, 400, 7, 0, r);
        DrawBarcodeFigure(figure);
        const TBox box = BoundsOf(Black);
        EXPECT_EQ(r % 2 == 0 ? box.Height() : box.Width(), 24) << "rotation " << r;
        EXPECT_EQ(r % 2 == 0 ? box.Width() : box.Height(), 314) << "rotation " << r;
    }
}

TEST_F(BarcodeFigureTest, Ean13WithDigitsMovesTheBarsRightAndDropsTheGuards)
{
    TBarcodeFigure plain = Figure(BarcodeType::Ean13, "123456789012", 2, 40, 20, 80);
    DrawBarcodeFigure(plain);
    EXPECT_EQ(BoundsOf(Black).Left, 40);

    LabelImage.Clear();
    TBarcodeFigure figure = Figure(BarcodeType::Ean13, "123456789012", 2, 40, 20, 80, 1);
    DrawBarcodeFigure(figure);
    const int x = 40 + 18;
    EXPECT_TRUE(ColumnBlack(x, 20, 99)) << "start guard reaches the bottom";
    EXPECT_EQ(LabelImage.Pixel(x + 2, 99), White);
    // The first digit bar (set A "2" after the guard: 0010011) ends 16 dots short.
    const int digitBar = x + 2 * (3 + 2);
    EXPECT_TRUE(ColumnBlack(digitBar, 20, 83));
    EXPECT_EQ(LabelImage.Pixel(digitBar, 84), White);
    EXPECT_TRUE(ColumnBlack(x + 2 * 46, 20, 99)) << "centre guard";
    EXPECT_TRUE(ColumnBlack(x + 2 * 94, 20, 99)) << "end guard";
    EXPECT_GT(BlackIn(40, 84, x, 130), 0) << "leading digit left of the bars";
    EXPECT_GT(BlackIn(x + 2 * 4, 84, x + 2 * 45, 130), 0) << "first digit group";
    EXPECT_EQ(figure.ModuleCount, 190);
    EXPECT_EQ(figure.RenderedWidth, 190);
}

TEST_F(BarcodeFigureTest, AddOnFollowsNineModulesRightAndLeavesRoomForItsDigits)
{
    for (int humanReadable : {0, 1}) {
        LabelImage.Clear();
        TBarcodeFigure figure = Figure(BarcodeType::UpcAAddOn5, "0360002914590000", 2, 30, 40, 90, humanReadable);
        DrawBarcodeFigure(figure);
        const int n = 95 * 2;
        EXPECT_EQ(figure.RenderedWidth, 2 * (9 * 5 + 11) + n);
        // UPC-A has no leading digit: the bars are not moved.
        const int start = 30 + n + 9 * 2;
        const int top = humanReadable != 0 ? 40 + 24 : 40;
        EXPECT_TRUE(ColumnBlack(start, top, 129)) << humanReadable;
        EXPECT_EQ(LabelImage.Pixel(start, top - 1), White) << humanReadable;
        EXPECT_EQ(LabelImage.Pixel(start - 1, 60), White) << humanReadable;
        EXPECT_EQ(BlackIn(start, 0, start + 2 * 47, top) > 0, humanReadable != 0) << "add-on digits above it";
    }
}

TEST_F(BarcodeFigureTest, OtherTypesGetTheirTextLineBelowTheBars)
{
    TBarcodeFigure figure = Figure(BarcodeType::Code128Auto, "ABC", 2, 20, 10, 40, 2);
    DrawBarcodeFigure(figure);
    const int n = figure.ModuleCount;
    EXPECT_GT(BlackIn(20, 51, 20 + n, 90), 0);
    EXPECT_EQ(BlackIn(0, 0, 600, 10), 0);

    LabelImage.Clear();
    figure.HumanReadable = 0;
    DrawBarcodeFigure(figure);
    EXPECT_EQ(BlackIn(0, 50, 600, 300), 0);
}

TEST_F(BarcodeFigureTest, EmptyTextLineDrawsTheBarsAlone)
{
    TBarcodeFigure figure = Figure(BarcodeType::Code128Auto, "\xA0\xA1", 1, 20, 10, 40, 2);
    DrawBarcodeFigure(figure);
    ASSERT_TRUE(BarcodeText.empty());
    EXPECT_GT(figure.ModuleCount, 0);
    EXPECT_EQ(BlackIn(0, 50, 600, 300), 0);
    EXPECT_GT(BlackIn(0, 10, 600, 50), 0);
}

TEST_F(BarcodeFigureTest, InvalidDataIsCrossedInRedAndLeftOutOfADriverPrint)
{
    struct Case {
        int rotation;
        int x, y;
    };
    for (const Case& c : {Case{0, 50, 50}, Case{1, 300, 50}, Case{2, 300, 250}, Case{3, 50, 250}}) {
        LabelImage.Clear();
        RedrawMode = RedrawPreview;
        TBarcodeFigure figure = Figure(BarcodeType::Ean13, "12X", 1, c.x, c.y, 60, 0, c.rotation);
        DrawBarcodeFigure(figure);
        ASSERT_EQ(BarcodeInvalid, 1);
        EXPECT_GT(test::CountPixels(Red), 0) << c.rotation;
        const TPlace corner = Turned(c.x, c.y, 5, 5, c.rotation);
        EXPECT_EQ(LabelImage.Pixel(corner.X, corner.Y), Red) << c.rotation;
        EXPECT_GT(test::CountPixels(Black), 0) << "the substitute's bars";

        LabelImage.Clear();
        RedrawMode = RedrawDriverPrint;
        DrawBarcodeFigure(figure);
        EXPECT_EQ(test::CountPixels(White), LabelImage.Width() * LabelImage.Height()) << c.rotation;
    }
}

TEST_F(BarcodeFigureTest, BarcodesFarOutsideTheLabelClip)
{
    for (int r = 0; r < 4; ++r) {
        for (const auto& [x, y] : {std::pair{INT16_MAX, INT16_MAX}, std::pair{INT16_MIN, INT16_MIN}}) {
            TBarcodeFigure figure = Figure(BarcodeType::Ean13AddOn5, "12345678901212345", 3, x, y, INT16_MAX, 1, r);
            DrawBarcodeFigure(figure);
            figure = Figure(BarcodeType::Code39, "X", 3, x, y, INT16_MIN, 3, r);
            DrawBarcodeFigure(figure);
        }
    }
    LabelSetup.LeftMargin = -607;
    TBarcodeFigure figure = Figure(BarcodeType::Ean13AddOn5, "12345678901212345", 3, INT16_MIN, 0, 60, 1);
    DrawBarcodeFigure(figure);
    EXPECT_EQ(test::CountPixels(White), LabelImage.Width() * LabelImage.Height());
}

// Digit groups by family: fonts and pitch by narrow width, positions from
// the moved origin, the row 12 dots above the bottom.
TEST(BarcodeLayoutTest, EanDigitRunsOfEachFamily)
{
    struct Run {
        int x, y, font, pitch;
        std::string chars;
    };
    struct Case {
        TEanFamily family;
        std::string_view text;
        char check;
        int narrow;
        std::vector<Run> runs;
    };
    const Case cases[] = {
        {TEanFamily::Ean13, "123456789012", '8', 2,
         {{102, 98, 3, 14, "1"}, {125, 98, 3, 14, "234567"}, {217, 98, 3, 14, "890128"}}},
        {TEanFamily::UpcE, "123456", '5', 1, {{105, 98, 1, 7, "0"}, {117, 98, 1, 7, "123456"}, {165, 98, 1, 7, "5"}}},
        {TEanFamily::Ean8, "9638507", '4', 3, {{112, 98, 4, 21, "9638"}, {208, 98, 4, 21, "5074"}}},
        {TEanFamily::UpcA, "03600029145", '2', 1, {{102, 98, 1, 7, "036000"}, {148, 98, 1, 7, "291452"}}},
    };
    for (const Case& c : cases) {
        BarcodeText.assign(c.text);
        CheckDigitChar = c.check;
        const auto runs = EanDigitRuns(c.family, 100, 50, c.narrow, 60, 0);
        ASSERT_EQ(runs.size(), c.runs.size()) << c.text;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].At, (TPlace{c.runs[i].x, c.runs[i].y})) << c.text << " run " << i;
            EXPECT_EQ(runs[i].Font, c.runs[i].font) << c.text;
            EXPECT_EQ(runs[i].Pitch, c.runs[i].pitch) << c.text;
            EXPECT_EQ(runs[i].Chars, c.runs[i].chars) << c.text;
        }
    }
}

TEST(BarcodeLayoutTest, RotationRuleTurnsOffsetsAboutTheOrigin)
{
    EXPECT_EQ(Turned(100, 50, 7, 3, 0), (TPlace{107, 53}));
    EXPECT_EQ(Turned(100, 50, 7, 3, 1), (TPlace{97, 57}));
    EXPECT_EQ(Turned(100, 50, 7, 3, 2), (TPlace{93, 47}));
    EXPECT_EQ(Turned(100, 50, 7, 3, 3), (TPlace{103, 43}));
}

TEST(BarcodeLayoutTest, TextLineFontFollowsThePitch)
{
    struct Case {
        int pitch, font;
    };
    for (const Case& c : {Case{1, 1}, Case{11, 1}, Case{12, 2}, Case{13, 2}, Case{14, 3}, Case{15, 3}, Case{16, 4},
                          Case{200, 4}}) {
        EXPECT_EQ(HumanReadableFont(c.pitch), c.font) << c.pitch;
    }
}

TEST(BarcodeLayoutTest, TextLinePlaceByAlignmentAndRotation)
{
    TBarcodeFigure figure;
    figure.X = 100;
    figure.Y = 200;
    figure.Height = 50;
    struct Case {
        int humanReadable, rotation, modules, length;
        TPlace at;
        int font, vmult;
    };
    for (const Case& c : {
             Case{1, 0, 120, 6, {100, 254}, 4, 1},  // pitch 20: font 4, 16 dots a character
             Case{2, 0, 120, 6, {112, 254}, 4, 1},
             Case{3, 0, 120, 6, {124, 254}, 4, 1},
             Case{2, 0, 88, 8, {104, 254}, 1, 2},  // pitch 11: font 1 at double height
             Case{3, 1, 88, 8, {46, 208}, 1, 2},
             Case{3, 2, 88, 8, {92, 146}, 1, 2},
             Case{3, 3, 88, 8, {154, 192}, 1, 2},
         }) {
        figure.HumanReadable = static_cast<std::int16_t>(c.humanReadable);
        figure.Rotation = static_cast<std::int16_t>(c.rotation);
        const THumanReadableLine line = HumanReadableLineOf(figure, c.modules, c.length);
        EXPECT_EQ(line.At, c.at) << c.humanReadable << " " << c.rotation << " " << c.modules;
        EXPECT_EQ(line.Font, c.font);
        EXPECT_EQ(line.VMult, c.vmult);
    }
}

}  // namespace
}  // namespace zk
