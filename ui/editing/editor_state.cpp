#include "ui/editing/editor_state.h"

#include <algorithm>

namespace zk {

TEditorState EditorState;
TEditingHooks EditingHooks;

TEditRect TEditRect::Normalised() const
{
    return {std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom)};
}

void ResetEditorState()
{
    EditorState = TEditorState{};
    EditingHooks = TEditingHooks{};
}

}  // namespace zk
