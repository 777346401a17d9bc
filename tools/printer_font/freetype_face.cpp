#include "tools/printer_font/freetype_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace zk::tools {

namespace {
FT_Library Library(void* p) { return static_cast<FT_Library>(p); }
FT_Face Face(void* p) { return static_cast<FT_Face>(p); }
}  // namespace

FreeTypeFace::FreeTypeFace(const std::string& path)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return;
    }
    m_library = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) == 0) {
        m_face = face;
    }
}

FreeTypeFace::~FreeTypeFace()
{
    if (m_face) FT_Done_Face(Face(m_face));
    if (m_library) FT_Done_FreeType(Library(m_library));
}

bool FreeTypeFace::HasChar(char32_t ch) const { return FT_Get_Char_Index(Face(m_face), ch) != 0; }

void FreeTypeFace::SetPixelSize(int across, int down)
{
    FT_Set_Pixel_Sizes(Face(m_face), static_cast<FT_UInt>(across), static_cast<FT_UInt>(down));
}

std::optional<RasterGlyph> FreeTypeFace::Render(char32_t ch) const
{
    FT_Face face = Face(m_face);
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        return std::nullopt;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    RasterGlyph glyph;
    glyph.Ink = MonoGlyph(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (int y = 0; y < glyph.Ink.Rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.Ink.Width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                glyph.Ink.At(x, y) = (row[x >> 3] >> (7 - (x & 7))) & 1;
            } else {
                glyph.Ink.At(x, y) = row[x] >= 128 ? 1 : 0;
            }
        }
    }
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
    return glyph;
}

}  // namespace zk::tools
