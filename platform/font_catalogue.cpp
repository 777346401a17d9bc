#include "platform/font_catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/code_pages.h"

namespace zk::platform
{

namespace
{

// The code page a character set's bytes are read in; none for Symbol.
std::optional<CodePage> CharsetCodePage(int charset)
{
    switch (charset) {
        case Charset::Cyrillic:
            return CodePage::Cp1251;
        case Charset::Greek:
            return CodePage::Cp1253;
        case Charset::CentralEurope:
            return CodePage::Cp1250;
        case Charset::Turkish:
            return CodePage::Cp1254;
        case Charset::Baltic:
            return CodePage::Cp1257;
        case Charset::Oem:
            return CodePage::Cp437;
        case Charset::Symbol:
            return std::nullopt;
        default:
            return CodePage::Cp1252;
    }
}

// The OS/2 table's code page bits that announce a character set: range 1
// bits 0..31, range 2 bits as 32 + n.
int CharsetCodePageBit(int charset)
{
    switch (charset) {
        case Charset::Western:
            return 0;
        case Charset::CentralEurope:
            return 1;
        case Charset::Cyrillic:
            return 2;
        case Charset::Greek:
            return 3;
        case Charset::Turkish:
            return 4;
        case Charset::Baltic:
            return 7;
        case Charset::Symbol:
            return 31;
        case Charset::Oem:
            return 32 + 31;
        default:
            return -1;
    }
}

// Owns one FreeType library and one face.
class FaceHandle
{
public:
    explicit FaceHandle(const FontFaceFile& file)
    {
        if (FT_Init_FreeType(&m_library) != 0) {
            m_library = nullptr;
            return;
        }
        if (FT_New_Face(m_library, file.Path.c_str(), file.Index, &m_face) != 0) {
            m_face = nullptr;
        }
    }
    ~FaceHandle()
    {
        if (m_face)
            FT_Done_Face(m_face);
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    FaceHandle(const FaceHandle&) = delete;
    FaceHandle& operator=(const FaceHandle&) = delete;

    FT_Face Face() const { return m_face; }

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};

bool HasSymbolMap(FT_Face face)
{
    for (FT_Int i = 0; i < face->num_charmaps; ++i) {
        if (face->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) {
            return true;
        }
    }
    return false;
}

// For faces that announce no code pages: the set is covered when every
// character of its upper quarter (0xC0..0xFF, the letters) has a glyph.
bool CoversCharset(FT_Face face, int charset)
{
    if (charset == Charset::Symbol) {
        return HasSymbolMap(face);
    }
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
        return false;
    }
    for (int byte = 0xC0; byte <= 0xFF; ++byte) {
        const char32_t ch = CharsetCharacter(charset, static_cast<std::uint8_t>(byte));
        if (ch != 0 && FT_Get_Char_Index(face, ch) == 0) {
            return false;
        }
    }
    return true;
}

std::string PatternString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr) {
        return {};
    }
    return reinterpret_cast<const char*>(value);
}

int PatternInt(FcPattern* pattern, const char* object, int fallback)
{
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

// The catalogue's own font configuration, loaded once and released at exit
// (the library's implicit default one is never freed).
FcConfig* Catalogue()
{
    struct ConfigDeleter {
        void operator()(FcConfig* config) const { FcConfigDestroy(config); }
    };
    static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    return config.get();
}

int RoundedScale(int units, int pixelsPerEm, int unitsPerEm)
{
    if (unitsPerEm <= 0) {
        return 0;
    }
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelsPerEm / unitsPerEm));
}

// Family names are ASCII in practice; other bytes compare as they are.
unsigned char FoldedCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// A sorted drop-down list compares names without regard to case; names that
// differ only in case keep a fixed order, capitals first.
bool FamilyNameBefore(const std::string& a, const std::string& b)
{
    const auto foldedLess = [](char x, char y) { return FoldedCase(x) < FoldedCase(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), foldedLess)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), foldedLess)) {
        return false;
    }
    return a < b;
}

}  // namespace

std::vector<std::string> SortFamilyNames(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), FamilyNameBefore);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<std::string> ScalableFontFamilies()
{
    std::vector<std::string> families;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FONTFORMAT, nullptr);
    FcFontSet* set = FcFontList(Catalogue(), pattern, objects);
    if (set != nullptr) {
        for (int i = 0; i < set->nfont; ++i) {
            const std::string format = PatternString(set->fonts[i], FC_FONTFORMAT);
            const std::string family = PatternString(set->fonts[i], FC_FAMILY);
            // TrueType outlines, or OpenType with CFF outlines.
            if (!family.empty() && (format == "TrueType" || format == "CFF")) {
                families.push_back(family);
            }
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return SortFamilyNames(std::move(families));
}

std::optional<FontFaceFile> FindFontFace(const std::string& family, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Catalogue(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(Catalogue(), pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    FontFaceFile face;
    face.Path = PatternString(match, FC_FILE);
    face.Index = PatternInt(match, FC_INDEX, 0);
    face.Embolden = bold && PatternInt(match, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
    face.Slant = italic && PatternInt(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    if (face.Path.empty()) {
        return std::nullopt;
    }
    return face;
}

bool FontHasCharset(const std::string& family, int charset)
{
    const auto file = FindFontFace(family, false, false);
    if (!file) {
        return false;
    }
    const FaceHandle handle(*file);
    FT_Face face = handle.Face();
    if (face == nullptr) {
        return false;
    }
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const int bit = CharsetCodePageBit(charset);
    if (os2 != nullptr && os2->version != 0xFFFF && os2->version >= 1 &&
        (os2->ulCodePageRange1 != 0 || os2->ulCodePageRange2 != 0)) {
        if (bit < 0) {
            return false;
        }
        const FT_ULong range = bit < 32 ? os2->ulCodePageRange1 : os2->ulCodePageRange2;
        return ((range >> (bit % 32)) & 1) != 0;
    }
    return CoversCharset(face, charset);
}

char32_t CharsetCharacter(int charset, std::uint8_t byte)
{
    const auto page = CharsetCodePage(charset);
    if (!page) {
        return byte;
    }
    return ToUnicode(*page, byte);
}

struct GlyphRasterizer::Impl {
    explicit Impl(const FontFaceFile& file) : handle(file), embolden(file.Embolden), slant(file.Slant) {}

    FaceHandle handle;
    bool embolden;
    bool slant;
    int charset = Charset::Default;
    bool symbolMap = false;
    TextMetrics metrics;
};

GlyphRasterizer::GlyphRasterizer(const FontFaceFile& face, int pixelsPerEm, double widthFactor, int charset)
    : m_impl(std::make_unique<Impl>(face))
{
    FT_Face ft = m_impl->handle.Face();
    if (ft == nullptr) {
        return;
    }
    m_impl->charset = charset;
    pixelsPerEm = std::max(pixelsPerEm, 1);
    FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelsPerEm));
    // Only the width is scaled: 16.16 fixed point across, 1.0 down.
    FT_Matrix matrix{static_cast<FT_Fixed>(widthFactor * 65536.0), 0, 0, 0x10000};
    FT_Set_Transform(ft, &matrix, nullptr);

    const bool unicodeMap = FT_Select_Charmap(ft, FT_ENCODING_UNICODE) == 0;
    if ((charset == Charset::Symbol || !unicodeMap) && HasSymbolMap(ft)) {
        m_impl->symbolMap = FT_Select_Charmap(ft, FT_ENCODING_MS_SYMBOL) == 0;
    }

    // Line metrics as the face's Windows ascent and descent give them, else
    // its horizontal header's.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    int ascent = ft->ascender;
    int descent = -ft->descender;
    if (os2 != nullptr && os2->version != 0xFFFF && (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    }
    m_impl->metrics.Ascent = RoundedScale(ascent, pixelsPerEm, ft->units_per_EM);
    m_impl->metrics.Descent = RoundedScale(descent, pixelsPerEm, ft->units_per_EM);
    m_impl->metrics.Height = m_impl->metrics.Ascent + m_impl->metrics.Descent;
}

GlyphRasterizer::~GlyphRasterizer() = default;

bool GlyphRasterizer::Valid() const
{
    return m_impl->handle.Face() != nullptr;
}

TextMetrics GlyphRasterizer::Metrics() const
{
    return m_impl->metrics;
}

std::optional<MonoGlyph> GlyphRasterizer::Glyph(std::uint8_t byte)
{
    FT_Face ft = m_impl->handle.Face();
    if (ft == nullptr) {
        return std::nullopt;
    }
    FT_UInt index = 0;
    if (m_impl->symbolMap) {
        // Symbol faces map their bytes at 0xF000 + byte, some at the byte itself.
        index = FT_Get_Char_Index(ft, 0xF000 + byte);
        if (index == 0) {
            index = FT_Get_Char_Index(ft, byte);
        }
    } else {
        const char32_t ch = CharsetCharacter(m_impl->charset, byte);
        if (ch == 0) {
            return std::nullopt;
        }
        // A character the face lacks draws its missing-glyph shape (index 0).
        index = FT_Get_Char_Index(ft, ch);
    }
    // Embedded bitmaps would ignore the width scaling.
    if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) {
        return std::nullopt;
    }
    FT_GlyphSlot slot = ft->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (m_impl->embolden)
            FT_GlyphSlot_Embolden(slot);
        if (m_impl->slant)
            FT_GlyphSlot_Oblique(slot);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return std::nullopt;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    MonoGlyph glyph;
    glyph.Box.BlackBoxX = static_cast<int>(bitmap.width);
    glyph.Box.BlackBoxY = static_cast<int>(bitmap.rows);
    glyph.Box.OriginX = slot->bitmap_left;
    glyph.Box.OriginY = slot->bitmap_top;
    glyph.Box.CellIncX = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.Pitch = ((glyph.Box.BlackBoxX + 31) / 32) * 4;
    glyph.Bits.assign(static_cast<std::size_t>(glyph.Pitch) * static_cast<std::size_t>(glyph.Box.BlackBoxY), 0);
    const int sourcePitch = std::abs(bitmap.pitch);
    const int rowBytes = (glyph.Box.BlackBoxX + 7) / 8;
    for (int y = 0; y < glyph.Box.BlackBoxY; ++y) {
        const int sourceRow = bitmap.pitch >= 0 ? y : glyph.Box.BlackBoxY - 1 - y;
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(sourceRow) * sourcePitch;
        std::uint8_t* out = glyph.Bits.data() + static_cast<std::ptrdiff_t>(y) * glyph.Pitch;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::memcpy(out, row, static_cast<std::size_t>(std::min(rowBytes, sourcePitch)));
        } else {
            for (int x = 0; x < glyph.Box.BlackBoxX; ++x) {
                if (row[x] >= 128)
                    out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
    }
    return glyph;
}

}  // namespace zk::platform
