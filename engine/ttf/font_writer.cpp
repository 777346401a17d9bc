#include "engine/ttf/font_writer.h"

#include <algorithm>
#include <filesystem>

#include "engine/config/program_paths.h"
#include "engine/io/atomic_file.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "engine/text/printer_font.h"
#include "engine/ttf/font_preview.h"

namespace zk
{

namespace
{

// A glyph placed in its cell: its box, now in the render buffer, with the
// top-left dot at (Left, Top) of the cell.
struct PlacedGlyph {
    platform::GlyphBox Box;
    int Left = 0;
    int Top = 0;

    // Byte b of cell row y as ink bits, the leftmost dot highest; only the
    // box's part of the buffer counts, as the preview draws only that.
    std::uint8_t InkByte(int y, int b) const
    {
        const int row = y - Top;
        if (row < 0 || row >= Box.BlackBoxY)
            return 0;
        std::uint8_t byte = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int column = b * 8 + bit - Left;
            if (column >= 0 && column < Box.BlackBoxX && RenderBufferInk(column, row))
                byte |= static_cast<std::uint8_t>(0x80 >> bit);
        }
        return byte;
    }
};

std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> ConvertedFontBytes(TGlyphSource& glyphs)
{
    const TFontPreviewSettings& settings = FontPreviewSettings;
    // The cell of the last build, which holds every row its glyphs reach.
    const int firstRow = settings.TopRemove;
    const int endRow = settings.LineHeight - settings.BottomRemove;
    const int height = std::max(endRow - firstRow, 0);
    const auto written =
        std::count_if(GlyphTable.begin(), GlyphTable.end(), [](const TGlyphRecord& r) { return r.SourceChar != 0; });

    std::vector<std::uint8_t> bytes{LowByte(static_cast<int>(written)), 0, LowByte(height)};
    for (const TGlyphRecord& record : GlyphTable) {
        if (record.SourceChar == 0)
            continue;
        const int bytesPerRow = (record.Width + 7) / 8;
        bytes.push_back(record.TargetCode);
        bytes.push_back(static_cast<std::uint8_t>(record.Advance));  // WrittenAdvance: fits the byte
        bytes.push_back(LowByte(bytesPerRow));
        // A glyph that can't be read now leaves its cell blank.
        PlacedGlyph placed;
        if (const auto glyph = glyphs.Glyph(record.SourceChar);
            glyph && glyph->Box.BlackBoxX > 0 && glyph->Box.BlackBoxY > 0) {
            LoadGlyphIntoRenderBuffer(*glyph);
            placed = {glyph->Box, PreviewResults.LeftShift + glyph->Box.OriginX,
                      PreviewResults.CellAscent - glyph->Box.OriginY};
        }
        for (int y = firstRow; y < endRow; ++y) {
            for (int b = 0; b < bytesPerRow; ++b) bytes.push_back(placed.InkByte(y, b));
        }
    }
    return bytes;
}

bool WriteFontFile(const std::string& path, TGlyphSource& glyphs)
{
    const auto bytes = ConvertedFontBytes(glyphs);
    AtomicFile file(path);
    if (!file.IsOpen()) {
        ShowMessageBox("Error", "Can't open output file");
        return false;
    }
    if (!file.Write(bytes) || !file.Commit()) {
        ShowMessageBox("Error", "Can't write output file");
        return false;
    }
    return true;
}

bool SaveConvertedFont(TGlyphSource& glyphs)
{
    if (PreviewResults.FontBytes >= MaxConvertedFontBytes) {
        ShowMessageBox("Error", "File too big");
        return false;
    }
    if (PreviewResults.FontHeight > MaxConvertedGlyphDots) {
        ShowMessageBox("Error", "Font height more than 248 pixels");
        return false;
    }
    if (FontPreviewSettings.MaxWidth > MaxConvertedGlyphDots) {
        ShowMessageBox("Error", "There are symbols wider than 248 pixels");
        return false;
    }
    const std::string path = Ui().SaveFileDialog({
        .title = "Save Font as",
        .fileName = "",
        .defaultExtension = "ZFT",
        .filter = "Label printer fonts (*.zft)|*.ZFT",
        .initialDir = ProgramPaths.WorkDir,
    });
    if (path.empty()) {
        return false;
    }
    ProgramPaths.WorkDir = std::filesystem::path(path).parent_path().string() + "/";
    return WriteFontFile(path, glyphs);
}

}  // namespace zk
