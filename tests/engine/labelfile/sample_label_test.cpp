// The sample label shipped with the sources (the editor's screenshot shows
// it) still reads, holds every drawable figure kind and draws no symbol as
// invalid.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "engine/labelfile/label_file.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "tests/support/engine_fixture.h"

namespace zk
{
namespace
{

// Tests run in a private folder: the source tree is named by the build.
const std::filesystem::path SAMPLE = std::filesystem::path(ZK_SOURCE_DIR) / "resources/samples/sample.zlb";

class SampleLabelTest : public test::EngineTest
{
};

TEST_F(SampleLabelTest, ReadsWithEveryDrawableKindAndDrawsNoInvalidSymbol)
{
    ASSERT_TRUE(LoadLabelPreview(SAMPLE.string()));
    EXPECT_EQ(LabelSetup.LabelWidth, 608);
    EXPECT_EQ(LabelSetup.LabelLength, 560);
    std::set<TFigureKind> kinds;
    for (const TFigure* figure : Figures()) {
        kinds.insert(figure->Kind());
    }
    EXPECT_EQ(kinds,
              (std::set<TFigureKind>{TFigureKind::Text, TFigureKind::Barcode, TFigureKind::Bar, TFigureKind::Line,
                                     TFigureKind::Box, TFigureKind::Picture, TFigureKind::Pdf417}));

    LabelImage.Resize(LabelSetup.LabelWidth, LabelSetup.LabelLength);
    RedrawLabel(RedrawPreview);
    int red = 0;
    int black = 0;
    for (int y = 0; y < LabelImage.Height(); ++y) {
        for (int x = 0; x < LabelImage.Width(); ++x) {
            red += LabelImage.Pixel(x, y) == Red ? 1 : 0;
            black += LabelImage.Pixel(x, y) == Black ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 0);  // the cross of a symbol that does not fit or has bad data
    EXPECT_GT(black, 0);
}

}  // namespace
}  // namespace zk
