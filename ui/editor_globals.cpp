#include "ui/editor_globals.h"

namespace zk {

std::uint8_t MainWindowReady = 0;

void ResetEditorGlobals()
{
    MainWindowReady = 0;
    DrawingTool = SelectionTool;
}

}  // namespace zk
