#pragma once
// Plain globals of the editor shared by the main window, the canvas editing
// and the toolbar.

#include <cstdint>

#include "ui/editing/editor_state.h"

namespace zk {

// 0 until the end of the main window's creation, 1 until it closes.
extern std::uint8_t MainWindowReady;

// The figure kind the next drag on the canvas draws (0 text, 1 barcode,
// 2 bar, 3 diagonal line, 4 box, 5 picture, 7 PDF417), or SelectionTool.
// The menu, the toolbar and the canvas editing share this one value.
inline std::uint8_t& DrawingTool = EditorState.DrawingTool;

void ResetEditorGlobals();

}  // namespace zk
