// Writes the printer font file: the 16 code tables, the six resident fonts
// and the Arabic glyph set, rendered from DejaVu faces in monochrome mode.
// The output depends only on the face files, so every run gives the same
// bytes.
//
// Usage: make_printer_font <directory of the DejaVu faces> <output file>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/text/printer_font_layout.h"
#include "platform/code_pages.h"
#include "tools/printer_font/base_letters.h"
#include "tools/printer_font/glyph_cells.h"

namespace zk::tools {
namespace {

using platform::CodePage;

constexpr std::uint16_t SpaceSlot = 0;
constexpr std::uint16_t SubstituteSlot = 1;

// Code pages of the Language values 0..13 in order; 12 is the Arabic table.
constexpr std::array<CodePage, 14> LanguageCodePages = {
    CodePage::Cp437,  CodePage::Cp856,  CodePage::Cp866,  CodePage::Cp912,  CodePage::Cp775,
    CodePage::Cp1250, CodePage::Cp1251, CodePage::Cp1252, CodePage::Cp1257, CodePage::Cp1253,
    CodePage::Cp1254, CodePage::Cp1255, CodePage::Cp864,  CodePage::Cp860,
};

// The non-Arabic tables in the order they claim glyphs when room runs out.
constexpr std::array<std::size_t, 13> LanguagePriority = {0, 7, 13, 10, 5, 3, 8, 4, 6, 2, 9, 11, 1};

using CodeTable = std::array<std::uint16_t, 256>;

// Glyph slots shared by every code table, one glyph image per slot and
// font; characters that look the same in every font share a slot.
class ResidentRepertoire {
public:
    explicit ResidentRepertoire(std::vector<ResidentCellRenderer>& fonts) : m_fonts(fonts)
    {
        AddSlot(Blank());
        std::vector<MonoGlyph> substitute;
        for (const auto& font : m_fonts) substitute.push_back(font.Substitute());
        AddSlot(substitute);
    }

    // The slot of a character; when the glyphs are full, an accented letter
    // falls back to its base letter and anything else to the substitute.
    std::uint16_t SlotFor(char32_t ch)
    {
        if (ch == 0) return SubstituteSlot;
        const auto known = m_byChar.find(ch);
        if (known != m_byChar.end()) return known->second;
        std::vector<MonoGlyph> images;
        for (const auto& font : m_fonts) {
            auto cell = font.Render(ch);
            if (!cell) return m_byChar[ch] = SubstituteSlot;
            images.push_back(std::move(*cell));
        }
        if (const auto slot = AddSlot(images)) return m_byChar[ch] = *slot;
        ++m_overflow;
        const char32_t base = BaseLetter(ch);
        return m_byChar[ch] = base != 0 ? SlotFor(base) : SubstituteSlot;
    }

    const std::vector<std::vector<MonoGlyph>>& Slots() const { return m_slots; }
    std::size_t Overflow() const { return m_overflow; }

private:
    std::vector<MonoGlyph> Blank() const
    {
        std::vector<MonoGlyph> images;
        for (const auto& layout : ResidentFontLayouts) images.emplace_back(layout.Width, layout.Rows);
        return images;
    }

    // The slot of these images, a new one while there is room.
    std::optional<std::uint16_t> AddSlot(const std::vector<MonoGlyph>& images)
    {
        std::string key;
        for (const auto& image : images) key.append(image.Dots.begin(), image.Dots.end());
        const auto same = m_byImage.find(key);
        if (same != m_byImage.end()) return same->second;
        if (m_slots.size() >= ResidentGlyphCapacity) return std::nullopt;
        const auto slot = static_cast<std::uint16_t>(m_slots.size());
        m_slots.push_back(images);
        m_byImage.emplace(std::move(key), slot);
        return slot;
    }

    std::vector<ResidentCellRenderer>& m_fonts;
    std::vector<std::vector<MonoGlyph>> m_slots;
    std::map<std::string, std::uint16_t> m_byImage;  // all six images of a slot
    std::map<char32_t, std::uint16_t> m_byChar;
    std::size_t m_overflow = 0;
};

CodeTable BuildResidentTable(CodePage page, ResidentRepertoire& repertoire)
{
    CodeTable table{};
    for (int code = 32; code < 256; ++code) {
        table[static_cast<std::size_t>(code)] = repertoire.SlotFor(platform::ToUnicode(page, static_cast<std::uint8_t>(code)));
    }
    // 437 draws a few characters at control codes, where text typed in a
    // dialog is converted to them.
    if (page == CodePage::Cp437) {
        for (std::size_t code = 0; code < platform::Cp437ControlsToCp1252.size(); ++code) {
            const std::uint8_t shown = platform::Cp437ControlsToCp1252[code];
            if (shown != code) {
                table[code] = repertoire.SlotFor(platform::ToUnicode(CodePage::Cp1252, shown));
            }
        }
    }
    return table;
}

// The Arabic codes in the order they claim the set's few slots: the upper
// half first, then digits, punctuation, capitals and small letters.
std::vector<int> ArabicCodeOrder()
{
    std::vector<int> codes;
    for (int c = 128; c < 256; ++c) codes.push_back(c);
    for (int c = '0'; c <= '9'; ++c) codes.push_back(c);
    for (int c = 32; c < 127; ++c) {
        const bool letterOrDigit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letterOrDigit) codes.push_back(c);
    }
    for (int c = 'A'; c <= 'Z'; ++c) codes.push_back(c);
    for (int c = 'a'; c <= 'z'; ++c) codes.push_back(c);
    return codes;
}

struct ArabicSet {
    CodeTable Table{};
    std::vector<std::vector<ArabicGlyph>> Slots;  // per slot, one glyph per set
};

ArabicSet BuildArabicSet(std::vector<ArabicCellRenderer>& sets)
{
    ArabicSet result;
    auto addSlot = [&](std::vector<ArabicGlyph> glyphs) {
        result.Slots.push_back(std::move(glyphs));
        return static_cast<std::uint16_t>(result.Slots.size() - 1);
    };
    std::vector<ArabicGlyph> blank;
    std::vector<ArabicGlyph> substitute;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto& layout = ArabicSetLayouts[i];
        blank.push_back({std::max(1, layout.MaxWidth / 3), MonoGlyph(layout.MaxWidth, layout.Rows)});
        substitute.push_back(sets[i].Substitute());
    }
    addSlot(blank);
    addSlot(substitute);

    std::map<char32_t, std::uint16_t> byChar;
    for (int code : ArabicCodeOrder()) {
        const char32_t ch = platform::ToUnicode(CodePage::Cp864, static_cast<std::uint8_t>(code));
        std::uint16_t slot = SubstituteSlot;
        if (ch == U' ') {
            slot = SpaceSlot;
        } else if (const auto known = byChar.find(ch); known != byChar.end()) {
            slot = known->second;
        } else if (ch != 0 && result.Slots.size() < ArabicGlyphCapacity) {
            std::vector<ArabicGlyph> glyphs;
            for (const auto& set : sets) {
                auto glyph = set.Render(ch);
                if (!glyph) break;
                glyphs.push_back(std::move(*glyph));
            }
            if (glyphs.size() == sets.size()) slot = addSlot(std::move(glyphs));
            byChar[ch] = slot;
        } else if (code >= 'a' && code <= 'z' && byChar.count(static_cast<char32_t>(code - 32))) {
            slot = byChar[static_cast<char32_t>(code - 32)];  // no room left: the capital stands in
        }
        result.Table[static_cast<std::size_t>(code)] = slot;
    }
    return result;
}

void PutRows(std::vector<std::uint8_t>& file, std::size_t offset, const MonoGlyph& glyph, int width, int rowBytes)
{
    for (int y = 0; y < glyph.Rows; ++y) {
        for (int x = 0; x < width && x < glyph.Width; ++x) {
            if (glyph.At(x, y)) {
                file[offset + static_cast<std::size_t>(y * rowBytes + x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
    }
}

void PutTable(std::vector<std::uint8_t>& file, int language, const CodeTable& table)
{
    for (std::size_t code = 0; code < table.size(); ++code) {
        const std::size_t at = (static_cast<std::size_t>(language) * 256 + code) * 2;
        file[at] = static_cast<std::uint8_t>(table[code] >> 8);
        file[at + 1] = static_cast<std::uint8_t>(table[code] & 0xFF);
    }
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

int Run(const std::filesystem::path& faceDir, const std::filesystem::path& output)
{
    FreeTypeFace monoBold((faceDir / "DejaVuSansMono-Bold.ttf").string());
    FreeTypeFace sansBold((faceDir / "DejaVuSans-Bold.ttf").string());
    if (!monoBold.Valid() || !sansBold.Valid()) {
        std::fprintf(stderr, "make_printer_font: can't open the DejaVu faces in %s\n", faceDir.c_str());
        return 1;
    }

    std::vector<ResidentCellRenderer> fonts;
    for (const auto& layout : ResidentFontLayouts) fonts.emplace_back(layout, std::vector<FreeTypeFace*>{&monoBold, &sansBold});
    ResidentRepertoire repertoire(fonts);
    // Unaccented characters of every table claim glyphs first, so that no
    // script loses its letters; accented letters take the room left.
    for (std::size_t language : LanguagePriority) {
        for (int code = 32; code < 256; ++code) {
            const char32_t ch = platform::ToUnicode(LanguageCodePages[language], static_cast<std::uint8_t>(code));
            if (BaseLetter(ch) == 0) repertoire.SlotFor(ch);
        }
    }
    std::array<CodeTable, 16> tables{};
    for (std::size_t language : LanguagePriority) {
        tables[language] = BuildResidentTable(LanguageCodePages[language], repertoire);
    }

    std::vector<char32_t> arabicRepertoire;
    for (int code : ArabicCodeOrder()) arabicRepertoire.push_back(platform::ToUnicode(CodePage::Cp864, static_cast<std::uint8_t>(code)));
    std::vector<ArabicCellRenderer> arabicSets;
    for (const auto& layout : ArabicSetLayouts) arabicSets.emplace_back(layout, sansBold, arabicRepertoire);
    const ArabicSet arabic = BuildArabicSet(arabicSets);
    tables[ArabicLanguage] = arabic.Table;
    tables[14] = tables[0];
    tables[15] = tables[0];

    const auto& lastSet = ArabicSetLayouts.back();
    std::vector<std::uint8_t> file(CodeTableBytes + lastSet.Base + arabic.Slots.size() * lastSet.Stride, 0);
    for (std::size_t language = 0; language < tables.size(); ++language) PutTable(file, static_cast<int>(language), tables[language]);
    for (std::size_t slot = 0; slot < repertoire.Slots().size(); ++slot) {
        for (std::size_t font = 0; font < ResidentFontCount; ++font) {
            const auto& layout = ResidentFontLayouts[font];
            const std::size_t offset = CodeTableBytes + layout.Base + slot * layout.Stride;
            PutRows(file, offset, repertoire.Slots()[slot][font], layout.Width, (layout.Width + 7) / 8);
        }
    }
    for (std::size_t slot = 0; slot < arabic.Slots.size(); ++slot) {
        for (std::size_t set = 0; set < ArabicSetLayouts.size(); ++set) {
            const auto& layout = ArabicSetLayouts[set];
            const ArabicGlyph& glyph = arabic.Slots[slot][set];
            const std::size_t offset = CodeTableBytes + layout.Base + slot * layout.Stride;
            file[offset] = static_cast<std::uint8_t>(glyph.Width);
            PutRows(file, offset + 1, glyph.Ink, glyph.Width, layout.RowBytes);
        }
    }

    if (!WriteFile(output, file)) {
        std::fprintf(stderr, "make_printer_font: can't write %s\n", output.c_str());
        return 1;
    }
    std::printf("make_printer_font: %zu resident glyphs (%zu characters drawn as a base letter or substitute for lack of room), %zu Arabic glyphs\n",
                repertoire.Slots().size(), repertoire.Overflow(), arabic.Slots.size());
    return 0;
}

}  // namespace
}  // namespace zk::tools

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_printer_font <face directory> <output file>\n");
        return 2;
    }
    return zk::tools::Run(argv[1], argv[2]);
}
