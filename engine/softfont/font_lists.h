#pragma once
// The font lists the dialogs show: the text dialog's font choice (one item
// per font number: the six resident fonts, then the label's soft fonts in
// list order) and the font choice dialog's list of soft fonts.

#include <string>
#include <vector>

namespace zk {

struct TFontListData {
    std::string Caption;
    std::vector<std::string> Items;
    int Selected = 0;  // -1 = none
};

// The text dialog's font list (TextDlg.FontType): an item's index is its
// font number, a soft font's item starts with its letter.
extern TFontListData TextDlgFontType;
// The font choice dialog's caption and list (FontsDlg.FntList).
extern TFontListData FontsDlgList;

// Refills the text dialog's font list; a selection past its end moves to
// font 2.
void FillFontList();
// Captions the font choice dialog and lists the label's soft fonts in it,
// the first selected.
void FillSoftFontList(const std::string& caption);

}  // namespace zk
