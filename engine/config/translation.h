#pragma once
// Conversion between the printer's character set (the model's bytes) and
// the dialogs' character set (code page 1252), chosen by Translation.

#include <string>
#include <string_view>

namespace zk {

// Loads the tables of the chosen translation file; falls back to 0 (the
// code page 437 conversion) when the choice is out of range or unreadable.
void LoadTranslationTables();

// Printer text to dialog text; the result has the source's length.
std::string TranslateToAnsi(std::string_view printerText);
// Dialog text to printer text; the result has the source's length.
std::string TranslateToOem(std::string_view dialogText);

}  // namespace zk
