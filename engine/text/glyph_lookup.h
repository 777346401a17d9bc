#pragma once
// Finding a character's glyph rows: resident fonts through the code tables
// (normal or Arabic set), soft fonts through their glyph records.
// Every lookup is bounded by the data it reads.

#include <cstdint>
#include <optional>
#include <span>

#include "engine/model/figures.h"

namespace zk {

using GlyphRows = std::span<const std::uint8_t>;

// Rows with GlyphBytesPerRow equal to (GlyphWidth + 7) / 8: in place when
// they already are, else copied into GlyphRepackBuffer.
GlyphRows RepackGlyphRows(GlyphRows rows);

// The letter of soft font n (n >= 6: the (n-5)-th soft-font figure of the
// label), 0 when there is none.
char SoftFontLetter(int font);
// Height of the soft font of that letter (letters compared ignoring case);
// 16 when there is none.
int SoftFontHeight(int font);
// The block of the first soft-font figure whose letter is letter, or null.
const TFontData* SoftFontDataForLetter(char letter);

// Soft font (TextRenderState.GlyphBase is its block): the glyph's rows, or
// none when the font lacks the code. Sets the glyph geometry.
std::optional<GlyphRows> FindSoftFontGlyph(std::uint8_t code);
// Resident fonts 0..5, or a soft font through FindSoftFontGlyph. A glyph
// number pointing past the glyph data gives empty rows (nothing drawn).
std::optional<GlyphRows> FindResidentGlyph(std::uint8_t code);
inline std::optional<GlyphRows> GlyphForCode(std::uint8_t code) { return FindResidentGlyph(code); }

// True while the selected font is a soft font.
bool SoftFontSelected();

}  // namespace zk
