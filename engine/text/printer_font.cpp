#include "engine/text/printer_font.h"

#include <fstream>
#include <new>

#include "engine/config/program_paths.h"
#include "engine/model/label_setup.h"
#include "engine/model/payload_codec.h"
#include "engine/text/printer_font_layout.h"

namespace zk {

TPrinterFont PrinterFont;

int LoadPrinterFont()
{
    FreePrinterFont();
    std::ifstream file(ProgramPaths.PrinterFontFileName, std::ios::binary | std::ios::ate);
    if (!file) {
        return PrinterFontCantOpen;
    }
    const std::streamoff size = file.tellg();
    if (size < static_cast<std::streamoff>(CodeTableBytes)) {
        return PrinterFontCantOpen;
    }
    std::vector<std::uint8_t> table;
    try {
        table.resize(CodeTableBytes);
        PrinterFont.PrinterFontGlyphs.resize(static_cast<std::size_t>(size) - CodeTableBytes);
        PrinterFont.PrinterFontCodeTable.resize(CodeTableEntries);
    } catch (const std::bad_alloc&) {
        FreePrinterFont();
        return PrinterFontNoMemory;
    }
    file.seekg(0);
    file.read(reinterpret_cast<char*>(table.data()), static_cast<std::streamsize>(table.size()));
    file.read(reinterpret_cast<char*>(PrinterFont.PrinterFontGlyphs.data()),
              static_cast<std::streamsize>(PrinterFont.PrinterFontGlyphs.size()));
    if (!file) {
        FreePrinterFont();
        return PrinterFontCantOpen;
    }
    for (std::size_t i = 0; i < CodeTableEntries; ++i) {
        PrinterFont.PrinterFontCodeTable[i] = GetBe16(table.data() + 2 * i);
    }
    return PrinterFontLoaded;
}

void FreePrinterFont()
{
    PrinterFont.PrinterFontCodeTable = {};
    PrinterFont.PrinterFontGlyphs = {};
}

bool PrinterFontIsLoaded() { return PrinterFont.PrinterFontCodeTable.size() == CodeTableEntries; }

std::uint16_t GlyphIndexForLanguage(std::uint8_t code)
{
    if (!PrinterFontIsLoaded()) return 0;
    const int language = LabelSetup.Language >= 0 && LabelSetup.Language < CodeTableCount ? LabelSetup.Language : 0;
    return PrinterFont.PrinterFontCodeTable[static_cast<std::size_t>(language) * 256 + code];
}

std::uint16_t GlyphIndexEnglish(std::uint8_t code)
{
    return PrinterFontIsLoaded() ? PrinterFont.PrinterFontCodeTable[code] : 0;
}

}  // namespace zk
