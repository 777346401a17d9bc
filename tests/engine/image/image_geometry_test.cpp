// Turning, stretching and cutting colour images.

#include <gtest/gtest.h>

#include "tests/support/image_geometry.h"

namespace zk {
namespace {

// Pixel values 1, 2, 3 ... in reading order, so positions are easy to follow.
TColourImage Numbered(int width, int height)
{
    TColourImage image(width, height);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
        image.Pixels[i] = static_cast<std::uint32_t>(i + 1);
    }
    return image;
}

TEST(ImageGeometryTest, RotateClockwiseTurnsAQuarterAndSwapsTheSize)
{
    // 1 2 3        4 1
    // 4 5 6   ->   5 2
    //              6 3
    const TColourImage turned = RotateClockwise(Numbered(3, 2));
    EXPECT_EQ(turned.Width, 2);
    EXPECT_EQ(turned.Height, 3);
    EXPECT_EQ(turned.Pixels, (std::vector<std::uint32_t>{4, 1, 5, 2, 6, 3}));
}

TEST(ImageGeometryTest, StretchMapsTheWholeSourceOntoTheTarget)
{
    const struct {
        int width, height;
        bool mirrored;
        std::vector<std::uint32_t> expected;
    } rows[] = {
        {4, 2, false, {1, 1, 2, 2, 3, 3, 4, 4}},
        {2, 2, true, {4, 3, 2, 1}},
        {1, 1, false, {1}},
        {2, 1, true, {2, 1}},
        {3, 2, false, {1, 1, 2, 3, 3, 4}},
    };
    for (const auto& row : rows) {
        const TColourImage stretched = StretchImage(Numbered(2, 2), row.width, row.height, row.mirrored);
        EXPECT_EQ(stretched.Pixels, row.expected) << row.width << "x" << row.height << " " << row.mirrored;
    }
}

TEST(ImageGeometryTest, EachRotationDrawsItsPicture)
{
    const TColourImage source = Numbered(2, 1);  // 1 2
    const TColourImage rotated = RotateClockwise(source);
    const struct {
        int rotation, width, height;
        std::vector<std::uint32_t> expected;
    } rows[] = {
        {0, 2, 1, {1, 2}},
        {1, 1, 2, {1, 2}},
        {2, 2, 1, {2, 1}},
        {3, 1, 2, {2, 1}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DrawRotatedImage(source, rotated, row.rotation, row.width, row.height).Pixels, row.expected)
            << row.rotation;
    }
}

TEST(ImageGeometryTest, CopyRegionLimitsItsBoundsToTheImage)
{
    const TColourImage source = Numbered(3, 3);
    EXPECT_EQ(CopyRegion(source, 1, 1, 3, 3).Pixels, (std::vector<std::uint32_t>{5, 6, 8, 9}));
    const TColourImage clipped = CopyRegion(source, -5, 2, 10, 99);
    EXPECT_EQ(clipped.Width, 3);
    EXPECT_EQ(clipped.Pixels, (std::vector<std::uint32_t>{7, 8, 9}));
    EXPECT_TRUE(CopyRegion(source, 2, 0, 2, 3).Empty());
    EXPECT_TRUE(CopyRegion(source, 5, 5, 9, 9).Empty());
}

}  // namespace
}  // namespace zk
