// Where a drawing drag puts each kind of figure.

#include <gtest/gtest.h>

#include "engine/model/figures.h"
#include "ui/dialogs/draw_geometry.h"

namespace zk::test {
namespace {

TEST(DrawGeometry, TextBarcodeAndPictureGoToThePressPoint)
{
    TTextFigure text;
    text.HMult = 3;
    PlaceDrawnFigure(text, {12, -7});
    EXPECT_EQ(text.X, 12);
    EXPECT_EQ(text.Y, -7);
    EXPECT_EQ(text.HMult, 3);

    TBarcodeFigure barcode;
    PlaceDrawnFigure(barcode, {300, 40});
    EXPECT_EQ(barcode.X, 300);
    EXPECT_EQ(barcode.Y, 40);

    TPictureFigure picture;
    picture.Data = std::make_shared<TPictureData>();
    picture.Width = 9;
    PlaceDrawnFigure(picture, {5, 6});
    EXPECT_EQ(picture.X, 5);
    EXPECT_EQ(picture.Y, 6);
    EXPECT_EQ(picture.Data, nullptr);
    EXPECT_EQ(picture.Width, 9);
}

struct BarCase {
    TPoint start, end;
    TBarFigure expected;  // X, Y, Width, Height, Mode
};

class DrawnBar : public ::testing::TestWithParam<BarCase> {};

TEST_P(DrawnBar, SpansTheDragAtLeastFourDots)
{
    TBarFigure bar{0, 0, 100, 20, 2};
    PlaceDrawnFigure(bar, GetParam().start, GetParam().end);
    const TBarFigure& e = GetParam().expected;
    EXPECT_EQ(bar.X, e.X);
    EXPECT_EQ(bar.Y, e.Y);
    EXPECT_EQ(bar.Width, e.Width);
    EXPECT_EQ(bar.Height, e.Height);
    EXPECT_EQ(bar.Mode, 2);
}

INSTANTIATE_TEST_SUITE_P(Drags, DrawnBar,
                         ::testing::Values(BarCase{{10, 20}, {110, 60}, {10, 20, 100, 40, 0}},
                                           BarCase{{110, 60}, {10, 20}, {10, 20, 100, 40, 0}},  // dragged up-left
                                           BarCase{{10, 20}, {10, 20}, {10, 20, 4, 4, 0}},      // a click
                                           BarCase{{-30, 5}, {-27, 50}, {-30, 5, 4, 45, 0}}));

struct BoxCase {
    TPoint start, end;
    std::int16_t thickness;
    TBoxFigure expected;
};

class DrawnBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(DrawnBox, KeepsRoomInsideTheOutline)
{
    TBoxFigure box{0, 0, 0, 0, GetParam().thickness};
    PlaceDrawnFigure(box, GetParam().start, GetParam().end);
    const TBoxFigure& e = GetParam().expected;
    EXPECT_EQ(box.X1, e.X1);
    EXPECT_EQ(box.Y1, e.Y1);
    EXPECT_EQ(box.X2, e.X2);
    EXPECT_EQ(box.Y2, e.Y2);
    EXPECT_EQ(box.Thickness, GetParam().thickness);
}

INSTANTIATE_TEST_SUITE_P(Drags, DrawnBox,
                         ::testing::Values(BoxCase{{50, 60}, {50, 60}, 4, {50, 60, 62, 72, 4}},  // click: 12 x 12
                                           BoxCase{{90, 80}, {20, 10}, 4, {20, 10, 90, 80, 4}},
                                           BoxCase{{0, 0}, {13, 100}, 5, {0, 0, 14, 100, 5}},
                                           BoxCase{{0, 0}, {14, 100}, 5, {0, 0, 14, 100, 5}}));

struct LineCase {
    TPoint start, end;
    TLineFigure expected;  // X1, Y1, X2, Y2
};

class DrawnLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(DrawnLine, RunsFromPressToReleaseStretchedWhenShort)
{
    TLineFigure line{0, 0, 0, 0, 4, 1};
    PlaceDrawnFigure(line, GetParam().start, GetParam().end);
    const TLineFigure& e = GetParam().expected;
    EXPECT_EQ(line.X1, e.X1);
    EXPECT_EQ(line.Y1, e.Y1);
    EXPECT_EQ(line.X2, e.X2);
    EXPECT_EQ(line.Y2, e.Y2);
    EXPECT_EQ(line.Thickness, 4);
    EXPECT_EQ(line.Mode, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DrawnLine,
    ::testing::Values(LineCase{{30, 40}, {30, 40}, {46, 56, 30, 40}},    // a click: from (x + 16, y + 16) to (x, y)
                      LineCase{{30, 40}, {35, 42}, {30, 40, 46, 56}},    // short, down-right
                      LineCase{{30, 40}, {25, 45}, {41, 40, 25, 56}},    // short, down-left
                      LineCase{{30, 40}, {30, 140}, {30, 40, 30, 140}},  // long on one axis: as dragged
                      LineCase{{100, 10}, {10, 100}, {100, 10, 10, 100}}));

TEST(DrawGeometry, Pdf417GetsItsMinimumBoundsAndLosesItsText)
{
    TPdf417Figure symbol;
    symbol.Data = "old";
    symbol.ModuleWidth = 6;
    PlaceDrawnFigure(symbol, {20, 30}, {20, 30});
    EXPECT_EQ(symbol.X, 20);
    EXPECT_EQ(symbol.Y, 30);
    EXPECT_EQ(symbol.MaxWidth, 170);
    EXPECT_EQ(symbol.MaxHeight, 12);
    EXPECT_TRUE(symbol.Data.empty());
    EXPECT_EQ(symbol.ModuleWidth, 6);

    PlaceDrawnFigure(symbol, {400, 300}, {100, 50});
    EXPECT_EQ(symbol.X, 100);
    EXPECT_EQ(symbol.Y, 50);
    EXPECT_EQ(symbol.MaxWidth, 300);
    EXPECT_EQ(symbol.MaxHeight, 250);
}

TEST(DrawGeometry, FarDragsStopAtTheFieldLimits)
{
    TBarFigure bar;
    PlaceDrawnFigure(bar, {-40000, 0}, {40000, 10});
    EXPECT_EQ(bar.X, -32768);
    EXPECT_EQ(bar.Width, 32767);

    TBoxFigure box{0, 0, 0, 0, 4};
    PlaceDrawnFigure(box, {32767, 32767}, {32767, 32767});
    EXPECT_EQ(box.X1, 32767);
    EXPECT_EQ(box.X2, 32767);
}

}  // namespace
}  // namespace zk::test
