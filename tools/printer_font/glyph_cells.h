#pragma once
// Renders characters into the fixed glyph cells of the printer font file:
// the six resident fonts (monospaced cells with a baseline) and the Arabic
// glyph set (proportional glyphs with a width of their own).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/text/printer_font_layout.h"
#include "tools/printer_font/freetype_face.h"
#include "tools/printer_font/mono_glyph.h"

namespace zk::tools {

// A resident font's cell: faces tried in order, sized so that letters and
// digits fill the nominal cell.
class ResidentCellRenderer {
public:
    ResidentCellRenderer(const TResidentFontLayout& layout, std::vector<FreeTypeFace*> faces);

    // The character in a Width x Rows cell; none when no face has it.
    std::optional<MonoGlyph> Render(char32_t ch) const;
    // A hollow box in the nominal cell, for characters the fonts lack.
    MonoGlyph Substitute() const;

private:
    void FitToCell();

    TResidentFontLayout m_layout;
    std::vector<FreeTypeFace*> m_faces;
    int m_across = 0;
    int m_down = 0;
    int m_baseline = 0;  // row of the baseline in the stored cell
};

// An Arabic-set glyph: its width byte and its ink, at most MaxWidth wide.
struct ArabicGlyph {
    int Width = 1;
    MonoGlyph Ink;
};

class ArabicCellRenderer {
public:
    ArabicCellRenderer(const TArabicSetLayout& layout, FreeTypeFace& face, const std::vector<char32_t>& repertoire);

    std::optional<ArabicGlyph> Render(char32_t ch) const;
    ArabicGlyph Substitute() const;

private:
    TArabicSetLayout m_layout;
    FreeTypeFace& m_face;
    int m_size = 0;
    int m_baseline = 0;
};

}  // namespace zk::tools
