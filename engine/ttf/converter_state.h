#pragma once
// What the font converter works on for the whole run: the chosen font, its
// style and character set, the last chosen script and the character map.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/ttf/char_map.h"

namespace zk
{

struct TFontStyleSet {
    bool Bold = false;
    bool Italic = false;
};

struct TConverterFont {
    std::string Name;
    TFontStyleSet Style;
    int Charset = 1;  // the default character set
};

struct TConverterState {
    TConverterFont ConverterFont;
    TFontStyleSet ConverterFontStyle;
    std::string CurrentScript = "Unknown";
    TCharacterMap Map;
};

extern TConverterState Converter;

// The scripts offered, in the order listed, with their character sets.
struct TScript {
    const char* Name;
    int Charset;
};
extern const std::vector<TScript> ConverterScripts;

struct TScriptList {
    std::vector<std::string> Items;
    int Selected = -1;  // -1 = the list is empty
};

// The scripts the font has (hasCharset answers for one character set),
// item 0 selected or the one named CurrentScript, which then takes the
// selected item's name.
TScriptList FillScriptList(const std::function<bool(int)>& hasCharset);
// The same for an installed font family.
TScriptList FillScriptList(const std::string& fontName);

// The character set of a script's name; 1 (the default) for any other text.
int SelectedCharset(const std::string& scriptName);

// Styles item index: bit 0 italic, bit 1 bold. The font takes the style
// and the character set.
void ApplyStyleAndCharset(int styleIndex, const std::string& scriptName);

// Process-wide converter state back to program start (engine reset).
void ResetConverterState();

}  // namespace zk
