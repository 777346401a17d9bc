#include "ui/editor_hooks.h"

namespace zk {

TEditorHooks EditorHooks;

int CallLoadPrinterFont()
{
    return EditorHooks.LoadPrinterFont ? EditorHooks.LoadPrinterFont() : 0;
}

bool IsExchangeInProgress()
{
    return EditorHooks.ExchangeInProgress && EditorHooks.ExchangeInProgress();
}

}  // namespace zk
