#include "ui/canvas_layer.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/render/label_image.h"

namespace zk {
namespace {

QImage WhitePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

struct GridCase {
    int step, leftMargin, topMargin;
    std::set<int> firstColumns;  // dotted columns below 30
    std::set<int> firstRows;     // dotted rows below 30
};

class GridDotsTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(GridDotsTest, DotsSitOnLabelMultiplesOfTheStep)
{
    const GridCase& c = GetParam();
    QImage picture = WhitePicture(100, 60);
    DrawGridDots(picture, c.step, c.leftMargin, c.topMargin);

    std::set<int> columns, rows;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool onGrid = (x - c.leftMargin) % c.step == 0 && (y - c.topMargin) % c.step == 0;
            ASSERT_EQ(picture.pixel(x, y) == GridDotColour, onGrid) << x << "," << y;
            if (onGrid && x < 30) columns.insert(x);
            if (onGrid && y < 30) rows.insert(y);
        }
    }
    EXPECT_EQ(columns, c.firstColumns);
    EXPECT_EQ(rows, c.firstRows);
}

INSTANTIATE_TEST_SUITE_P(Margins, GridDotsTest,
                         ::testing::Values(
                             /* 0 */ GridCase{8, 20, 20, {4, 12, 20, 28}, {4, 12, 20, 28}},
                             /* 1 */ GridCase{8, -20, -20, {4, 12, 20, 28}, {4, 12, 20, 28}},
                             /* 2 */ GridCase{8, 0, 0, {0, 8, 16, 24}, {0, 8, 16, 24}},
                             /* 3 */ GridCase{8, -16, 3, {0, 8, 16, 24}, {3, 11, 19, 27}},
                             /* 4 */ GridCase{40, 607, -1999, {7}, {1}}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(GridDots, NothingForAStepBelowOne)
{
    QImage picture = WhitePicture(20, 20);
    const QImage before = picture;
    DrawGridDots(picture, 0, 5, 5);
    DrawGridDots(picture, -8, 5, 5);
    EXPECT_EQ(picture, before);
}

TEST(MarginLines, OnlyPositiveMarginsGetALine)
{
    const struct {
        int left, top;
        int verticalX;    // -1 for none
        int verticalFrom;
        int horizontalY;  // -1 for none
        int horizontalFrom;
    } rows[] = {
        /* 0 */ {30, 0, 30, 0, -1, 0},
        /* 1 */ {0, 10, -1, 0, 10, 0},
        /* 2 */ {30, 10, 30, 10, 10, 30},
        /* 3 */ {0, 0, -1, 0, -1, 0},
        /* 4 */ {-5, 10, -1, 0, 10, 0},
        /* 5 */ {30, -5, 30, 0, -1, 0},
        /* 6 */ {500, 500, -1, 0, -1, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.left) + "," + std::to_string(row.top));
        QImage picture = WhitePicture(80, 50);
        DrawMarginLines(picture, row.left, row.top);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool vertical = x == row.verticalX && y >= row.verticalFrom;
                const bool horizontal = y == row.horizontalY && x >= row.horizontalFrom;
                ASSERT_EQ(picture.pixel(x, y) == MarginLineColour, vertical || horizontal) << x << "," << y;
            }
        }
    }
}

TEST(BackLabel, SharesThePixelsOfTheLabelImage)
{
    LabelImage.Resize(40, 30);
    LabelImage.SetPixel(3, 7, Black);
    QImage back = BackLabel();
    ASSERT_EQ(back.size(), QSize(40, 30));
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_EQ(back.constBits(), reinterpret_cast<const uchar*>(LabelImage.Bits()));
    EXPECT_EQ(back.pixel(3, 7), Black);
    EXPECT_EQ(back.pixel(4, 7), White);
    LabelImage.SetPixel(5, 5, Red);
    EXPECT_EQ(back.pixel(5, 5), Red);
    LabelImage.Resize(0, 0);
    EXPECT_TRUE(BackLabel().isNull());
}

}  // namespace
}  // namespace zk
