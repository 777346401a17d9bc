#pragma once
// The font converter's character map: 224 target cells, one per printer
// code 32..255, each empty or holding the source character whose glyph that
// code receives, edited by copying from the source grid, with an undo
// history of the last 20 states.

#include <array>
#include <cstdint>

namespace zk
{

inline constexpr int MapColumns = 32;
inline constexpr int MapRows = 7;
inline constexpr int MapCells = MapColumns * MapRows;
inline constexpr int FirstMappedCode = 32;
inline constexpr int UndoDepth = 20;

// A grid selection in cells (column, row), corners included.
struct TGridRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};
struct TGridCell {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
};

struct TUndoSnapshot {
    std::array<std::uint8_t, MapCells> Cells{};  // 0 = empty
    TGridRect SourceSelection;
    TGridCell TargetCell;
};

// The character the source grid shows in a cell: its own printer code.
inline std::uint8_t SourceCharAt(int column, int row)
{
    return static_cast<std::uint8_t>(FirstMappedCode + MapColumns * row + column);
}

struct TCharacterMap {
    std::array<std::uint8_t, MapCells> Cells{};  // index 32 x row + column, 0 = empty
    TGridRect SourceSelection;                   // of the source grid
    TGridCell TargetCell;                        // the selected map cell
    std::array<TUndoSnapshot, UndoDepth> UndoHistory{};
    std::int32_t UndoLevel = 0;

    // Empties all cells and selects map cell (0,0); no undo step.
    void ClearTargetMap();
    // The state after opening the converter: an empty map, both selections
    // at (0,0), the history restarted at level 1.
    void Restart();

    // The four edits; each ends with an undo step.
    // Copies the source selection, row by row, from the selected map cell on.
    void CopySourceBlock();
    // Copies one source cell to the same map cell and selects it.
    void CopySourceCell(int column, int row);
    void ClearMarkedCell();
    void ClearAll();

    void PushUndoSnapshot();
    // Steps back one state; false when there is none.
    bool UndoLastEdit();

    int MappedCount() const;
};

}  // namespace zk
