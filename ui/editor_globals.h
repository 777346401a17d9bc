#pragma once
// Plain globals of the editor shared by the main window, the canvas editing
// and the toolbar.

#include <cstdint>

namespace zk {

// 0 until the end of the main window's creation, 1 until it closes.
extern std::uint8_t MainWindowReady;

// The figure kind the next drag on the canvas draws (0 text, 1 barcode,
// 2 bar, 3 diagonal line, 4 box, 5 picture, 7 PDF417), or 8 for selection.
inline constexpr std::uint8_t SelectionTool = 8;
extern std::uint8_t DrawingTool;

void ResetEditorGlobals();

}  // namespace zk
