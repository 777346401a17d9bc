#pragma once
// Writing the converted font: the loadable font file (no text header) from
// the glyph table of the last preview build, and the checks and save dialog
// in front of it.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/ttf/glyph_source.h"

namespace zk
{

// Limits of a converted font: its block must stay below the printer's
// 49152-byte font store, its glyphs at most 248 dots high and wide.
inline constexpr std::int32_t MaxConvertedFontBytes = 0xC000;
inline constexpr std::int32_t MaxConvertedGlyphDots = 248;

// The file's bytes: the glyph count, 0, the height, then one glyph record
// per glyph the preview could read, rows cut as the settings say.
std::vector<std::uint8_t> ConvertedFontBytes(TGlyphSource& glyphs);

// Replaces the file with the converted font; "Can't open output file" when
// it can't be created.
bool WriteFontFile(const std::string& path, TGlyphSource& glyphs);

// Save: refuses a font beyond the limits, else asks for the file in the
// work directory (which then becomes the file's) and writes it.
bool SaveConvertedFont(TGlyphSource& glyphs);

}  // namespace zk
