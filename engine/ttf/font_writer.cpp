#include "engine/ttf/font_writer.h"

#include <algorithm>
#include <array>
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

// The writer's second work bitmap: the glyph placed in its cell, 1 = white.
class CellBitmap
{
public:
    void Clear() { m_bits.fill(0xFF); }
    void SetInk(int x, int y)
    {
        if (x < 0 || y < 0 || x >= ConverterWorkDots || y >= ConverterWorkRows)
            return;
        m_bits[Index(x, y)] &= static_cast<std::uint8_t>(~(0x80 >> (x & 7)));
    }
    // Byte b of row y as ink bits (1 = ink); rows and bytes outside are blank.
    std::uint8_t InkByte(int y, int b) const
    {
        if (y < 0 || y >= ConverterWorkRows || b < 0 || b >= GlyphRenderRowBytes)
            return 0;
        return static_cast<std::uint8_t>(~m_bits[Index(b * 8, y)]);
    }

private:
    static std::size_t Index(int x, int y)
    {
        return static_cast<std::size_t>(y) * GlyphRenderRowBytes + static_cast<std::size_t>(x >> 3);
    }
    std::array<std::uint8_t, GlyphRenderRowBytes * ConverterWorkRows> m_bits{};
};

void PlaceGlyph(CellBitmap& cell, const platform::GlyphBox& box, int left, int top)
{
    for (int y = 0; y < std::min(box.BlackBoxY, ConverterWorkRows); ++y) {
        for (int x = 0; x < std::min(box.BlackBoxX, ConverterWorkDots); ++x) {
            if (RenderBufferInk(x, y))
                cell.SetInk(left + x, top + y);
        }
    }
}

std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> ConvertedFontBytes(TGlyphSource& glyphs)
{
    const TFontPreviewSettings& settings = FontPreviewSettings;
    const platform::TextMetrics metrics = glyphs.Metrics();
    const int firstRow = settings.TopRemove;
    const int endRow = metrics.Height - settings.BottomRemove;
    const int height = std::max(endRow - firstRow, 0);
    const auto written =
        std::count_if(GlyphTable.begin(), GlyphTable.end(), [](const TGlyphRecord& r) { return r.SourceChar != 0; });

    std::vector<std::uint8_t> bytes{LowByte(static_cast<int>(written)), 0, LowByte(height)};
    CellBitmap cell;
    for (const TGlyphRecord& record : GlyphTable) {
        if (record.SourceChar == 0)
            continue;
        const int bytesPerRow = (record.Width + 7) / 8;
        // A byte field: advances beyond it are held at its largest value.
        bytes.push_back(record.TargetCode);
        bytes.push_back(static_cast<std::uint8_t>(std::clamp<int>(record.Advance, 0, 255)));
        bytes.push_back(LowByte(bytesPerRow));
        cell.Clear();
        if (const auto glyph = glyphs.Glyph(record.SourceChar);
            glyph && glyph->Box.BlackBoxX > 0 && glyph->Box.BlackBoxY > 0) {
            LoadGlyphIntoRenderBuffer(*glyph);
            PlaceGlyph(cell, glyph->Box, PreviewResults.LeftShift + glyph->Box.OriginX,
                       metrics.Ascent - glyph->Box.OriginY);
        }
        for (int y = firstRow; y < endRow; ++y) {
            for (int b = 0; b < bytesPerRow; ++b) bytes.push_back(cell.InkByte(y, b));
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
