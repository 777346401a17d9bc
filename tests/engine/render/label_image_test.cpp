#include "engine/render/label_image.h"

#include <climits>
#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(LabelImageTest, RectanglesClipAndExcludeRightAndBottom)
{
    TLabelImage image;
    image.Resize(10, 5);
    image.FillRect(8, 3, 5, 5, Black);
    EXPECT_EQ(image.Pixel(8, 3), Black);
    EXPECT_EQ(image.Pixel(9, 4), Black);
    EXPECT_EQ(image.Pixel(7, 3), White);
    image.FillRect(INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, Black);  // no wrap-around
    image.FillRect(-5, 0, 6, 1, Black);
    EXPECT_EQ(image.Pixel(0, 0), Black);
    EXPECT_EQ(image.Pixel(1, 0), White);
    image.InvertRect(0, 0, 2, 1);
    EXPECT_EQ(image.Pixel(0, 0), White);
    EXPECT_EQ(image.Pixel(1, 0), Black);
    image.SetPixel(-1, 0, Red);
    image.SetPixel(10, 0, Red);
    EXPECT_EQ(image.Pixel(-1, 0), White);
}

}  // namespace
}  // namespace zk
