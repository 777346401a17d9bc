#pragma once
// The unaccented letter of an accented Latin, Greek or Cyrillic letter,
// drawn in its place when the font has no room for the accented glyph.

namespace zk::tools {

// 0 when ch is not an accented letter this table knows.
char32_t BaseLetter(char32_t ch);

}  // namespace zk::tools
