// The module drawer: lines of the module array in the four rotations.

#include "engine/render/draw_modules.h"

#include <gtest/gtest.h>

#include <climits>

#include "engine/barcode/barcode_state.h"
#include "engine/render/label_image.h"
#include "tests/engine/render/render_test_support.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

using test::Pixels;

class DrawModulesTest : public test::EngineTest {
protected:
    DrawModulesTest()
    {
        LabelImage.Resize(9, 9);
        ClearModules();
        AppendBlack(2);  // modules "1101"
        AppendWhite(1);
        AppendBlack(1);
    }
};

struct RotationCase {
    int rotation;
    const char* art;
};

TEST_F(DrawModulesTest, EachRotationTurnsTheLinesAboutTheStart)
{
    for (const RotationCase& c : {
             RotationCase{0,
                          "........."
                          "........."
                          "........."
                          "........."
                          "....##.#."
                          "....##.#."
                          "....##.#."
                          "........."
                          "........."},
             RotationCase{1,
                          "........."
                          "........."
                          "........."
                          "........."
                          "..###...."
                          "..###...."
                          "........."
                          "..###...."
                          "........."},
             RotationCase{2,
                          "........."
                          "........."
                          ".#.##...."
                          ".#.##...."
                          ".#.##...."
                          "........."
                          "........."
                          "........."
                          "........."},
             RotationCase{3,
                          "........."
                          "....###.."
                          "........."
                          "....###.."
                          "....###.."
                          "........."
                          "........."
                          "........."
                          "........."},
         }) {
        LabelImage.Clear();
        DrawModules(4, 4, 3, c.rotation);
        std::string art = Pixels(0, 0, 9, 9);
        std::erase(art, '\n');
        EXPECT_EQ(art, c.art) << "rotation " << c.rotation;
    }
}

TEST_F(DrawModulesTest, NoLengthDrawsNothingAndFarPlacesClip)
{
    DrawModules(4, 4, 0, 0);
    DrawModules(4, 4, -3, 1);
    DrawModules(INT_MAX - 1, 4, 5, 0);
    DrawModules(INT_MIN + 1, 4, 5, 2);
    EXPECT_EQ(test::CountPixels(Black), 0);
    DrawModules(7, -100, 105, 0);
    EXPECT_EQ(Pixels(0, 0, 9, 6),
              ".......##\n"
              ".......##\n"
              ".......##\n"
              ".......##\n"
              ".......##\n"
              ".........\n");
}

}  // namespace
}  // namespace zk
