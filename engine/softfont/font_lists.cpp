#include "engine/softfont/font_lists.h"

#include "engine/model/figure_list.h"
#include "engine/print/append_printf.h"

namespace zk {

TFontListData TextDlgFontType;
TFontListData FontsDlgList;

namespace {

constexpr const char* RESIDENT_FONT_ITEMS[] = {"0  (12x24)", "1  (8x12)",  "2  (10x16)",
                                               "3  (12x20)", "4  (14x24)", "5  (32x48)"};
constexpr int DEFAULT_FONT_ITEM = 2;

// A soft font's item starts with its letter; one without a letter gets an
// empty item, which names no font.
std::string SoftFontItem(const TSoftFontFigure& font, bool withCharCount)
{
    std::string item;
    if (font.Letter.empty()) {
        return item;
    }
    const char letter = font.Letter.view()[0];
    const unsigned height = static_cast<unsigned>(font.Height);
    if (withCharCount) {
        AppendPrintf(item, "%c  Height=%u Chars=%d", letter, height, font.CharCount);
    } else {
        AppendPrintf(item, "%c  h=%u", letter, height);
    }
    return item;
}

}  // namespace

void FillFontList()
{
    TextDlgFontType.Items.assign(std::begin(RESIDENT_FONT_ITEMS), std::end(RESIDENT_FONT_ITEMS));
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font)) {
            TextDlgFontType.Items.push_back(SoftFontItem(figure->SoftFont(), false));
        }
    }
    if (TextDlgFontType.Selected >= static_cast<int>(TextDlgFontType.Items.size())) {
        TextDlgFontType.Selected = DEFAULT_FONT_ITEM;
    }
}

void FillSoftFontList(const std::string& caption)
{
    FontsDlgList.Caption = caption;
    FontsDlgList.Items.clear();
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Font)) {
            FontsDlgList.Items.push_back(SoftFontItem(figure->SoftFont(), true));
        }
    }
    FontsDlgList.Selected = FontsDlgList.Items.empty() ? -1 : 0;
}

}  // namespace zk
