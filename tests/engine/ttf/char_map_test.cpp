#include "engine/ttf/char_map.h"

#include <gtest/gtest.h>

namespace zk
{
namespace
{

TCharacterMap Opened()
{
    TCharacterMap map;
    map.Restart();
    return map;
}

TEST(CharacterMap, OpeningStartsAtLevelOneOverAnEmptyMap)
{
    TCharacterMap map = Opened();
    EXPECT_EQ(map.UndoLevel, 1);
    EXPECT_EQ(map.MappedCount(), 0);
    EXPECT_TRUE(map.UndoLastEdit());
    EXPECT_EQ(map.UndoLevel, 0);
    EXPECT_FALSE(map.UndoLastEdit());
}

TEST(CharacterMap, BlockCopiesRowByRowAndWrapsToTheNextMapRow)
{
    struct Case {
        TGridRect source;
        TGridCell target;
        std::vector<std::pair<int, int>> cells;  // map index, character
        TGridCell selectedAfter;
    };
    const Case cases[] = {
        // A 2 x 2 block at map cell (30, 0): wraps after two cells.
        {{1, 0, 2, 1}, {30, 0}, {{30, 33}, {31, 34}, {32, 65}, {33, 66}}, {2, 1}},
        // 10 cells from cell 220: four are written, the selection stays on 223.
        {{0, 2, 9, 2}, {28, 6}, {{220, 96}, {221, 97}, {222, 98}, {223, 99}}, {31, 6}},
        // One cell to the very last map cell.
        {{5, 5, 5, 5}, {31, 6}, {{223, 197}}, {31, 6}},
    };
    for (const Case& c : cases) {
        TCharacterMap map = Opened();
        map.SourceSelection = c.source;
        map.TargetCell = c.target;
        map.CopySourceBlock();
        EXPECT_EQ(map.MappedCount(), static_cast<int>(c.cells.size()));
        for (const auto& [index, ch] : c.cells) {
            EXPECT_EQ(map.Cells[static_cast<std::size_t>(index)], ch) << index;
        }
        EXPECT_EQ(map.TargetCell.Left, c.selectedAfter.Left);
        EXPECT_EQ(map.TargetCell.Top, c.selectedAfter.Top);
        EXPECT_EQ(map.UndoLevel, 2);
    }
}

TEST(CharacterMap, DoubleClickMapsOneCodeToItselfAndSelectsIt)
{
    TCharacterMap map = Opened();
    map.CopySourceCell(1, 1);
    EXPECT_EQ(map.Cells[33], 'A');
    EXPECT_EQ(map.TargetCell.Left, 1);
    EXPECT_EQ(map.TargetCell.Top, 1);
    map.ClearMarkedCell();
    EXPECT_EQ(map.Cells[33], 0);
    map.CopySourceCell(0, 0);
    map.CopySourceCell(3, 2);
    map.ClearAll();
    EXPECT_EQ(map.MappedCount(), 0);
    EXPECT_EQ(map.TargetCell.Left, 0);
    EXPECT_EQ(map.TargetCell.Top, 0);
}

TEST(CharacterMap, UndoRestoresCellsAndBothSelections)
{
    TCharacterMap map = Opened();
    map.SourceSelection = {2, 1, 4, 1};
    map.TargetCell = {5, 3};
    map.CopySourceBlock();
    const auto afterCopy = map.Cells;
    map.CopySourceCell(0, 6);
    EXPECT_TRUE(map.UndoLastEdit());
    EXPECT_EQ(map.Cells, afterCopy);
    EXPECT_EQ(map.TargetCell.Left, 8);  // where the block copy left it
    EXPECT_EQ(map.SourceSelection.Right, 4);
    EXPECT_TRUE(map.UndoLastEdit());
    EXPECT_EQ(map.MappedCount(), 0);
    EXPECT_EQ(map.SourceSelection.Left, 0);
}

TEST(CharacterMap, HistoryKeepsTheLastTwentyStates)
{
    TCharacterMap map = Opened();
    for (int edit = 0; edit < 25; ++edit) {
        map.CopySourceCell(edit % MapColumns, 0);
    }
    EXPECT_EQ(map.UndoLevel, UndoDepth - 1);
    EXPECT_EQ(map.MappedCount(), 25 > MapColumns ? MapColumns : 25);
    for (int undo = 0; undo < 19; ++undo) {
        EXPECT_TRUE(map.UndoLastEdit()) << undo;
    }
    // The oldest state kept: the map after the sixth edit.
    EXPECT_EQ(map.MappedCount(), 6);
    EXPECT_EQ(map.Cells[5], 37);
    const auto oldest = map.Cells;
    EXPECT_FALSE(map.UndoLastEdit());
    EXPECT_EQ(map.Cells, oldest);
}

TEST(CharacterMap, SelectionsOutsideTheGridAreCutToIt)
{
    TCharacterMap map = Opened();
    map.SourceSelection = {-3, -1, 40, 0};
    map.TargetCell = {31, 6};
    map.CopySourceBlock();
    EXPECT_EQ(map.Cells[223], 32);
    EXPECT_EQ(map.MappedCount(), 1);
}

}  // namespace
}  // namespace zk
