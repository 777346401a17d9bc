// The label's room for figures: what a command may add before the label
// holds more than can be saved.

#include "engine/labelfile/figure_room.h"

#include <gtest/gtest.h>

#include "engine/labelfile/label_file_format.h"
#include "engine/model/figure_list.h"
#include "tests/support/engine_fixture.h"

namespace zk {
namespace {

class FigureRoomTest : public test::EngineTest {};

TEST_F(FigureRoomTest, RoomEndsAtTheLimitSoftFontsCounted)
{
    struct Case {
        std::size_t held;
        bool fontHeld;
        std::size_t added;
        bool room;
    } cases[] = {
        {0, false, MaxLabelFigures, true},
        {0, false, MaxLabelFigures + 1, false},
        {MaxLabelFigures - 1, false, 1, true},
        {MaxLabelFigures - 2, true, 1, true},
        {MaxLabelFigures - 1, true, 1, false},
        {MaxLabelFigures, false, 0, true},
        {MaxLabelFigures - 1, false, 2, false},
        {260, false, 260, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.held) + (c.fontHeld ? " and a font" : "") + " + " + std::to_string(c.added));
        ClearFigureList();
        ui.messageBoxes.clear();
        for (std::size_t i = 0; i < c.held; ++i) {
            ASSERT_EQ(AppendFigure(TBarFigure{}), 0);
        }
        if (c.fontHeld) {
            ASSERT_EQ(AppendFigure(TSoftFontFigure{}), 0);
        }
        const std::size_t before = CountFigures();
        EXPECT_EQ(CheckRoomForFigures(c.added), c.room);
        EXPECT_EQ(CountFigures(), before);
        if (c.room) {
            EXPECT_TRUE(ui.messageBoxes.empty());
        } else {
            ASSERT_EQ(ui.messageBoxes.size(), 1u);
            EXPECT_EQ(ui.messageBoxes[0].caption, "Error");
            EXPECT_EQ(ui.messageBoxes[0].text, "Label can't hold more than 500 figures");
            EXPECT_FALSE(ui.messageBoxes[0].yesNo);
        }
    }
}

}  // namespace
}  // namespace zk
