#pragma once
// The label setup (travels with a label file and a received form) and the
// program settings (kept in the configuration file).

#include <cstdint>

#include "engine/model/fixed_string.h"

namespace zk {

// The label sizes and gap the setup takes, in dots; every way they come in
// (the setup dialog, a label file, the configuration, a form read back)
// keeps to them, so that what a label file keeps is what came in.
inline constexpr std::int32_t MinLabelWidth = 80;
inline constexpr std::int32_t MaxLabelWidth = 608;
inline constexpr std::int32_t MinLabelLength = 80;
inline constexpr std::int32_t MaxLabelLength = 2000;
inline constexpr std::int32_t MaxLabelGap = 100;

struct TLabelSetup {
    std::int32_t Orientation = 0;    // 0 top, 1 bottom
    std::int32_t Darkness = 8;       // 0..15
    std::int32_t Speed = 4;          // 0..6
    std::int32_t LabelGap = 24;      // dots, 0..MaxLabelGap
    std::int32_t LabelWidth = 384;   // dots, MinLabelWidth..MaxLabelWidth
    std::int32_t LabelLength = 200;  // dots, MinLabelLength..MaxLabelLength
    std::int32_t LabelOffset = 8;    // dots
    std::int32_t TopMargin = 0;      // reference point y, -1999..1999
    std::int32_t LeftMargin = 0;     // reference point x, -607..607
    std::int32_t Language = 0;       // printer code table 0..15
    std::int32_t NormalSpacing = 1;  // 1 normal, 0 condensed
    std::int32_t PaperType = 0;      // 0 continuous, 1 label, 2 black line
    FixedString<16> DateFormat{"DD-MN-Y4"};
    FixedString<16> TimeFormat{"H:M:S"};
};

struct TSettings {
    std::int32_t Translation = 0;  // 0 OEM conversion, 1 none, 2+n n-th translation file
    std::int32_t TranslationCount = 2;
    std::int32_t GridStep = 8;  // dots, 4..40
    std::int32_t ShowGrid = 0;
    std::int32_t ToolbarPos = 0;  // 0 floating, 1 docked at the left
    std::int32_t PrintSets = 1;
    std::int32_t PrintCopies = 1;
    std::int32_t PictureNumber = 1;  // 0..9999
    std::int32_t Port = 0;           // index into SerialPortList
    std::int32_t BaudIndex = 2;      // 0..6
    std::int32_t Protocol = 0;       // 0 DSR/DTR handshake, 1 XON/XOFF
    std::int32_t DirectGraphics = 0;
    std::uint8_t EnableRlDir = 0;
};

extern TLabelSetup LabelSetup;
extern TSettings Settings;

inline constexpr std::int32_t BaudRates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
inline constexpr const char* LanguageNames[] = {
    "English (CP437)", "Bulgarian (CP856)", "Russian (CP866)", "Latin2 (CP912)",
    "Baltic (CP775)",  "Win CE (1250)",     "Win Cyrillic (1251)", "Win Western (1252)",
    "Win Baltic (1257)", "Win Greek (1253)", "Win Turkish (1254)", "Win Hebrew (1255)",
    "Arabic",          "Portugal (860)",
};
// The printer font holds this many code tables; Language indexes them.
inline constexpr std::int32_t CodeTableCount = 16;

}  // namespace zk
