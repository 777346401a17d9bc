#pragma once
// Selecting the font a text is drawn in: the glyph data, the glyph
// geometry and the baseline shift of a resident font (normal or Arabic
// set) or of one of the label's soft fonts.

namespace zk {

// Resident font 0..5 from the normal set, its text starting shift rows up.
void SelectNormalFont(int font, int shift);
// Resident font 0..5 from the Arabic set.
void SelectArabicFont(int font);
// Soft font number font (>= 6); false when the label has no such font.
bool SelectSoftFont(int font);
// The soft font of that letter; false when the label has none.
bool SelectSoftFontByLetter(char letter);

}  // namespace zk
