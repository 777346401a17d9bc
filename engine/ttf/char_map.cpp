#include "engine/ttf/char_map.h"

#include <algorithm>

namespace zk
{

namespace
{

int CellIndex(const TGridCell& cell)
{
    return MapColumns * cell.Top + cell.Left;
}

TGridCell CellAt(int index)
{
    return {index % MapColumns, index / MapColumns};
}

// A selection reaching outside the grid is cut to it.
TGridRect Clamped(const TGridRect& rect)
{
    return {std::clamp(rect.Left, 0, MapColumns - 1), std::clamp(rect.Top, 0, MapRows - 1),
            std::clamp(rect.Right, 0, MapColumns - 1), std::clamp(rect.Bottom, 0, MapRows - 1)};
}

TGridCell Clamped(const TGridCell& cell)
{
    return {std::clamp(cell.Left, 0, MapColumns - 1), std::clamp(cell.Top, 0, MapRows - 1)};
}

}  // namespace

void TCharacterMap::ClearTargetMap()
{
    Cells.fill(0);
    TargetCell = {};
}

void TCharacterMap::Restart()
{
    ClearTargetMap();
    SourceSelection = {};
    UndoLevel = 0;
    PushUndoSnapshot();
}

void TCharacterMap::CopySourceBlock()
{
    const TGridRect source = Clamped(SourceSelection);
    int p = CellIndex(Clamped(TargetCell));
    for (int row = source.Top; row <= source.Bottom && p < MapCells; ++row) {
        for (int column = source.Left; column <= source.Right && p < MapCells; ++column) {
            Cells[static_cast<std::size_t>(p)] = SourceCharAt(column, row);
            ++p;
        }
    }
    TargetCell = CellAt(std::min(p, MapCells - 1));
    PushUndoSnapshot();
}

void TCharacterMap::CopySourceCell(int column, int row)
{
    const TGridCell cell = Clamped(TGridCell{column, row});
    Cells[static_cast<std::size_t>(CellIndex(cell))] = SourceCharAt(cell.Left, cell.Top);
    TargetCell = cell;
    PushUndoSnapshot();
}

void TCharacterMap::ClearMarkedCell()
{
    Cells[static_cast<std::size_t>(CellIndex(Clamped(TargetCell)))] = 0;
    PushUndoSnapshot();
}

void TCharacterMap::ClearAll()
{
    ClearTargetMap();
    PushUndoSnapshot();
}

void TCharacterMap::PushUndoSnapshot()
{
    if (UndoLevel + 1 < UndoDepth) {
        ++UndoLevel;
    } else {
        // The oldest state is dropped to make room.
        std::move(UndoHistory.begin() + 1, UndoHistory.end(), UndoHistory.begin());
        UndoLevel = UndoDepth - 1;
    }
    UndoHistory[static_cast<std::size_t>(UndoLevel)] = {Cells, SourceSelection, TargetCell};
}

bool TCharacterMap::UndoLastEdit()
{
    if (UndoLevel <= 0) {
        return false;
    }
    --UndoLevel;
    const TUndoSnapshot& snapshot = UndoHistory[static_cast<std::size_t>(UndoLevel)];
    Cells = snapshot.Cells;
    SourceSelection = snapshot.SourceSelection;
    TargetCell = snapshot.TargetCell;
    return true;
}

int TCharacterMap::MappedCount() const
{
    return static_cast<int>(std::count_if(Cells.begin(), Cells.end(), [](std::uint8_t c) { return c != 0; }));
}

}  // namespace zk
