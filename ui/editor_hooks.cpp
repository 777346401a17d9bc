#include "ui/editor_hooks.h"

#include "engine/labelfile/label_file.h"
#include "engine/link/exchange_guard.h"
#include "engine/link/serial_link.h"
#include "engine/report/ui_services.h"
#include "engine/text/printer_font.h"

namespace zk {

TEditorHooks EditorHooks;

int CallLoadPrinterFont()
{
    return EditorHooks.LoadPrinterFont ? EditorHooks.LoadPrinterFont() : LoadPrinterFont();
}

bool IsExchangeInProgress()
{
    return EditorHooks.ExchangeInProgress ? EditorHooks.ExchangeInProgress() : ExchangeInProgress();
}

bool RefuseDuringExchange()
{
    if (!IsExchangeInProgress()) {
        return false;
    }
    Ui().Beep();
    return true;
}

void CallClosePort()
{
    if (EditorHooks.ClosePort) {
        EditorHooks.ClosePort();
    } else {
        ClosePort();
    }
}

}  // namespace zk

namespace zk {

void CallFreePrinterFont()
{
    if (EditorHooks.FreePrinterFont) {
        EditorHooks.FreePrinterFont();
    } else {
        FreePrinterFont();
    }
}

}  // namespace zk

namespace zk {

void CallLoadLabelFile(const std::string& path)
{
    if (EditorHooks.LoadLabelFile) {
        EditorHooks.LoadLabelFile(path);
    } else {
        LoadLabelFile(path);
    }
}

}  // namespace zk
