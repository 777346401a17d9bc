#pragma once
// Where the parts of a barcode figure go: the rotation rule, the EAN/UPC
// digit groups and the human-readable line of the other types. Pure
// geometry over the encoder's results, so that it can be checked apart
// from the glyphs.

#include <string>
#include <vector>

#include "engine/barcode/barcode_types.h"
#include "engine/model/figures.h"

namespace zk {

struct TPlace {
    int X = 0;
    int Y = 0;
    bool operator==(const TPlace&) const = default;
};

// (x + along, y + across) turned by the rotation about (x, y):
// 1 gives (x - across, y + along), 2 (x - along, y - across),
// 3 (x + across, y - along).
TPlace Turned(int x, int y, int along, int across, int rotation);

enum class TEanFamily { None, Ean8, Ean13, UpcA, UpcE };
TEanFamily EanFamilyOf(int type);

// Resident font of the EAN/UPC digits and its glyph width, by narrow width.
struct TEanDigitFont {
    int Font = 1;
    int GlyphWidth = 8;
};
TEanDigitFont EanDigitFont(int narrow);

// How far the bars move right to make room for a leading digit: 3m + 12
// for EAN-13 and UPC-E, 0 for the others.
int EanBarShift(TEanFamily family, int narrow);

// One run of characters that RenderHumanReadable draws, in image
// coordinates.
struct THumanReadableRun {
    TPlace At;
    int Font = 1;
    int Pitch = 0;
    std::string Chars;
};

// The digit groups under an EAN/UPC symbol whose unshifted origin is (x, y):
// leading digit, first and second group from BarcodeText and
// CheckDigitChar, on the row height - 12 of the digits.
std::vector<THumanReadableRun> EanDigitRuns(TEanFamily family, int x, int y, int narrow, int height, int rotation);

// The add-on digits (the last AddOnDigits of BarcodeText) above the add-on
// of a main symbol of `moduleCount` columns whose bars moved `shift` dots
// right.
THumanReadableRun AddOnDigitRun(int x, int y, int narrow, int moduleCount, int shift, int rotation);

// The human-readable line of the types other than EAN/UPC and Postnet, as
// RenderPrinterText takes it: in figure coordinates (the reference point not
// yet added), with the font chosen by the pitch of the bars.
struct THumanReadableLine {
    TPlace At;
    int Font = 1;
    int VMult = 1;
};
// Resident font for a pitch of `pitch` module columns per character.
int HumanReadableFont(int pitch);
// For `length` characters (length > 0) under `moduleCount` columns.
THumanReadableLine HumanReadableLineOf(const TBarcodeFigure& figure, int moduleCount, int length);

}  // namespace zk
