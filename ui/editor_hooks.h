#pragma once
// Operations the main window calls through replaceable hooks, so that tests
// can watch or stand in for them (printer font, serial port, label reader,
// settings dialog, mouse editing). An unset hook calls the engine's own
// operation where there is one, else does nothing.

#include <functional>
#include <string>

namespace zk {

struct TEditorHooks {
    // Loads the printer font file; the PrinterFontStatus it leaves:
    // 0 loaded, 1 the file can't be opened, 2 no memory for it.
    std::function<int()> LoadPrinterFont;
    std::function<void()> FreePrinterFont;
    // Unset, these and the font hooks call the engine's own operations.
    std::function<void()> ClosePort;
    // True while an exchange holds the serial port.
    std::function<bool()> ExchangeInProgress;
    // Opens a label file (the label reader), sizes the canvas and redraws.
    std::function<void(const std::string& path)> LoadLabelFile;
    // Opens the settings dialog modally (first run without a configuration).
    std::function<void()> ShowSettingsDialog;
    // Esc on the main window: abandons a resize drag of the canvas.
    std::function<void()> CancelResize;
};

extern TEditorHooks EditorHooks;

// The hooks with their defaults applied, so callers need not test them.
int CallLoadPrinterFont();
bool IsExchangeInProgress();
// Every button, key and menu item that talks to the printer asks this first:
// true (after a beep) while an exchange holds the port, from before its first
// byte until its end, and the action then does nothing.
bool RefuseDuringExchange();
void CallClosePort();
void CallFreePrinterFont();
void CallLoadLabelFile(const std::string& path);

}  // namespace zk
