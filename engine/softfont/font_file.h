#pragma once
// The loadable font file (*.zft): a font block (CharCount, a zero byte,
// Height, then the glyph records), optionally preceded by the printer
// command lines that store it (an EK line, then ES"<letter>").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/model/figures.h"

namespace zk {

// How many leading bytes of a font file the text header test looks at.
inline constexpr std::size_t FontHeaderSearchLength = 48;

// The length of the text header that head (the file's first bytes) starts
// with, 0 when there is none. The header is there when EK" and ES" both
// occur before the first NUL of the first 48 bytes; the font block starts
// after the letter and the closing quote that follow the first ES".
std::size_t FontHeaderLength(std::span<const std::uint8_t> head);

// The font block in the bytes of a font file, header left out; none when
// they hold no valid block (too short, a second byte other than 0, or more
// than MaxFontDataLength bytes of block).
std::optional<TFontData> FontBlockFromBytes(std::span<const std::uint8_t> bytes);

// Reads a font file into a block of at most MaxFontDataLength bytes;
// reports "Can't open input file" or "Invalid font file" and gives none.
std::optional<TFontData> ReadFontFile(const std::string& path);

}  // namespace zk
