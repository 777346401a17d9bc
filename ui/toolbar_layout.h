#pragma once
// The cells of the floating toolbar's buttons: two columns of 32 x 32
// cells, seven rows, from the top-left corner of the toolbar.

#include <array>

namespace zk {

struct TToolbarCell {
    const char* name;  // the button's objectName
    int column;
    int row;
};

inline constexpr int ToolbarCellSize = 32;

inline constexpr std::array<TToolbarCell, 14> TOOLBAR_CELLS = {{
    {"TextBt", 0, 0},
    {"BarcBt", 0, 1},
    {"RectBt", 0, 2},
    {"LineBt", 0, 3},
    {"BoxBt", 0, 4},
    {"PictBt", 0, 5},
    {"AlignBt", 0, 6},
    {"FilesBt", 1, 0},
    {"SetupBt", 1, 1},
    {"TPrintBt", 1, 2},
    {"PrintBt", 1, 3},
    {"VarBt", 1, 4},
    {"NewValuesBt", 1, 5},
    {"SettingsBt", 1, 6},
}};

}  // namespace zk
