#pragma once
// Adding a soft font to the label, from a font file or from printer
// memory, and removing one that no text uses.

#include <functional>
#include <optional>
#include <string>

#include "engine/model/figures.h"

namespace zk {

struct TExtractedFont {
    std::string Name;  // the printer's name of the font, its letter
    TFontData Data;
};

// Shows the printer's font list in pick mode and returns the picked name,
// empty when none; installed by the printer-memory operations, which own
// the object list exchange and dialog.
extern std::function<std::string()> PickPrinterFont;

// Receives the font name from printer memory (EI); none on no response or
// a reply that is no font block.
std::optional<TFontData> ReceivePrinterFont(const std::string& name);
// Lets the user pick a printer font and receives it.
std::optional<TExtractedFont> ExtractFontToMemory();

// Adds a soft font (or replaces the data of the one with the same letter)
// from a file chosen by the user (fromFile) or from printer memory.
bool LoadNewFont(bool fromFile);
// Removes a soft font the user picks, unless a text uses it.
void RemoveFont();

}  // namespace zk
