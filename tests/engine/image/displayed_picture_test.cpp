// The converter's row-at-a-time picture and conversion give exactly what
// the whole-image steps give: the source turned and stretched onto the
// displayed size, the gains applied, then grey, diffusion and the result.

#include "engine/image/displayed_picture.h"

#include <gtest/gtest.h>

#include "tests/support/image_geometry.h"

namespace zk {
namespace {

// A picture whose every pixel differs from its neighbours, with dark and
// light parts, so that a pixel taken from the wrong place shows.
TColourImage Pattern(int width, int height)
{
    TColourImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 37 + y * 11),
                                       static_cast<std::uint8_t>(x * y + 3 * y),
                                       static_cast<std::uint8_t>(255 - x * 5 - y * 7));
        }
    }
    return image;
}

struct Setting {
    int rotation, width, height, red, green, blue, brightness, contrast;
    bool threshold;
};

// Sizes smaller, larger and of other proportions than the picture's; odd
// widths (a padded result row); every rotation; gains that clip.
const Setting Settings[] = {
    {0, 23, 17, 16, 16, 16, 0, 128, false}, {1, 40, 31, 24, 8, 32, 10, 250, false},
    {2, 9, 60, 0, 16, 16, -30, 0, false},   {3, 57, 13, 32, 32, 32, 0, 128, true},
    {1, 4, 4, 16, 0, 5, 100, 125, false},   {3, 101, 77, 16, 16, 16, -100, 250, false},
    {2, 23, 17, 30, 2, 16, 0, 128, true},   {0, 1, 1, 16, 16, 16, 0, 128, false},
};

TEST(DisplayedPictureTest, ConvertsAsTheWholeImageSteps)
{
    for (const TColourImage& source : {Pattern(23, 17), Pattern(8, 30), Pattern(1, 5)}) {
        const TColourImage turned = RotateClockwise(source);
        for (const Setting& s : Settings) {
            SCOPED_TRACE(testing::Message() << source.Width << "x" << source.Height << " rotation " << s.rotation
                                            << " to " << s.width << "x" << s.height);
            TColourImage whole = DrawRotatedImage(source, turned, s.rotation, s.width, s.height);
            ApplyChannelGains(whole.Pixels, s.red, s.green, s.blue);
            const TDisplayedPicture picture{&source, s.rotation, s.width, s.height, s.red, s.green, s.blue};

            EXPECT_EQ(CopyDisplayedRegion(picture, 0, 0, s.width, s.height).Pixels, whole.Pixels);
            const TColourImage part = CopyDisplayedRegion(picture, s.width / 3, s.height / 4, s.width, s.height + 5);
            EXPECT_EQ(part.Pixels, CopyRegion(whole, s.width / 3, s.height / 4, s.width, s.height + 5).Pixels);

            const TMonoImage16 expected = ConvertToMonochrome(whole, s.brightness, s.contrast, s.threshold);
            const TMonoImage16 result = ConvertDisplayedToMonochrome(picture, s.brightness, s.contrast, s.threshold);
            EXPECT_EQ(result.Width, expected.Width);
            EXPECT_EQ(result.Height, expected.Height);
            EXPECT_EQ(result.Words, expected.Words);
        }
    }
}

TEST(DisplayedPictureTest, NoPictureShowsWhite)
{
    const TDisplayedPicture picture{nullptr, 0, 6, 5};
    EXPECT_EQ(CopyDisplayedRegion(picture, 0, 0, 6, 5).Pixels, TColourImage(6, 5).Pixels);
    EXPECT_EQ(ConvertDisplayedToMonochrome(picture, 0, 128, false).Words, TMonoImage16(6, 5).Words);
}

}  // namespace
}  // namespace zk
