#include "engine/ttf/font_preview.h"

#include <algorithm>
#include <charconv>

#include "engine/text/printer_font.h"

namespace zk
{

std::vector<TGlyphRecord> GlyphTable;
TFontPreviewSettings FontPreviewSettings;
TPreviewResults PreviewResults;
TPreviewImage FontPreviewImage;

namespace
{

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t BLACK = 0xFF000000;
// Rows to cut are drawn by merging the inverse of a blue pen: ink there
// turns yellow, paper stays white.
constexpr std::uint32_t NOT_BLUE = 0x00FFFF00;
constexpr int PREVIEW_TOP = 8;
constexpr int PREVIEW_RIGHT_GAP = 24;
constexpr int GLYPH_GAP = 2;  // the renderer's own gap after every advance
constexpr int NO_BLANK_ROWS_YET = 512;

void ResizePreview(int width, int height)
{
    FontPreviewImage.Width = std::max(width, 0);
    FontPreviewImage.Height = std::max(height, 0);
    FontPreviewImage.Pixels.resize(
        static_cast<std::size_t>(FontPreviewImage.Width) * static_cast<std::size_t>(FontPreviewImage.Height), WHITE);
}

std::uint32_t* PreviewPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= FontPreviewImage.Width || y >= FontPreviewImage.Height) {
        return nullptr;
    }
    return &FontPreviewImage.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FontPreviewImage.Width) +
                                    static_cast<std::size_t>(x)];
}

// The render buffer's glyph rectangle onto the preview, ink black (AND).
void DrawGlyph(const platform::GlyphBox& box, int left, int top)
{
    for (int y = 0; y < std::min(box.BlackBoxY, ConverterWorkRows); ++y) {
        for (int x = 0; x < std::min(box.BlackBoxX, ConverterWorkDots); ++x) {
            if (!RenderBufferInk(x, y))
                continue;
            if (std::uint32_t* pixel = PreviewPixel(left + x, top + y))
                *pixel &= BLACK;
        }
    }
}

void TintRow(int y)
{
    for (int x = 0; x < FontPreviewImage.Width; ++x) {
        if (std::uint32_t* pixel = PreviewPixel(x, y))
            *pixel |= NOT_BLUE;
    }
}

// Lowers a running count of free rows by a glyph's; rows a glyph reaches
// past the cell leave none free.
void LowerBlankRows(std::int32_t& running, int blank)
{
    running = std::min(running, std::max(blank, 0));
}

}  // namespace

int FontSizeFromText(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) {
        value = 0;
    }
    return std::clamp(value, MinConverterFontSize, MaxConverterFontSize);
}

double WidthFactorForPosition(int position)
{
    return position > 10 ? position * 0.1 : position * 0.05 + 0.5;
}

std::vector<std::uint8_t> CollectMappedGlyphs(const TCharacterMap& map)
{
    GlyphTable.clear();
    std::vector<std::uint8_t> sourceChars;
    for (int i = 0; i < MapCells; ++i) {
        const std::uint8_t ch = map.Cells[static_cast<std::size_t>(i)];
        if (ch == 0)
            continue;
        GlyphTable.push_back({.TargetCode = static_cast<std::uint8_t>(FirstMappedCode + i)});
        sourceChars.push_back(ch);
    }
    FontPreviewSettings.CharCount = static_cast<std::int32_t>(GlyphTable.size());
    return sourceChars;
}

void LoadGlyphIntoRenderBuffer(const platform::MonoGlyph& glyph)
{
    auto& buffer = PrinterFont.GlyphRenderBuffer;
    const int rows = std::min(glyph.Box.BlackBoxY, ConverterWorkRows);
    const int bytes = std::min(glyph.Pitch, GlyphRenderRowBytes);
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* out = buffer.data() + static_cast<std::ptrdiff_t>(y) * GlyphRenderRowBytes;
        std::fill(out, out + GlyphRenderRowBytes, std::uint8_t{0xFF});
        const std::uint8_t* in = glyph.Bits.data() + static_cast<std::ptrdiff_t>(y) * glyph.Pitch;
        for (int b = 0; b < bytes; ++b) out[b] = static_cast<std::uint8_t>(~in[b]);
    }
}

bool RenderBufferInk(int x, int y)
{
    if (x < 0 || y < 0 || x >= ConverterWorkDots || y >= ConverterWorkRows) {
        return false;
    }
    const std::uint8_t byte =
        PrinterFont
            .GlyphRenderBuffer[static_cast<std::size_t>(y) * GlyphRenderRowBytes + static_cast<std::size_t>(x >> 3)];
    return ((byte >> (7 - (x & 7))) & 1) == 0;
}

TRenderedGlyphs RenderMappedGlyphs(TGlyphSource& glyphs, const std::vector<std::uint8_t>& sourceChars)
{
    TRenderedGlyphs rendered;
    rendered.reserve(sourceChars.size());
    for (const std::uint8_t ch : sourceChars) rendered.push_back(glyphs.Glyph(ch));
    return rendered;
}

TGlyphCell MeasureGlyphCell(const platform::TextMetrics& line, const TRenderedGlyphs& rendered)
{
    TGlyphCell cell{line.Ascent, line.Descent};
    for (const auto& glyph : rendered) {
        if (!glyph || glyph->Box.BlackBoxX <= 0 || glyph->Box.BlackBoxY <= 0)
            continue;
        // Only the rows the work bitmap holds are ever drawn.
        const int rows = std::min(glyph->Box.BlackBoxY, ConverterWorkRows);
        cell.Ascent = std::max(cell.Ascent, glyph->Box.OriginY);
        cell.Descent = std::max(cell.Descent, rows - glyph->Box.OriginY);
    }
    return cell;
}

int WrittenAdvance(int cellIncrement, int extraSpacing)
{
    return std::clamp(cellIncrement + extraSpacing, MinWrittenAdvance, MaxWrittenAdvance);
}

void RenderFontPreview(const TRenderedGlyphs& rendered, const std::vector<std::uint8_t>& sourceChars,
                       const TGlyphCell& cell, int previewWidth, bool autoRemove)
{
    TFontPreviewSettings& settings = FontPreviewSettings;
    TPreviewResults& results = PreviewResults;
    const int L = cell.Height();

    FontPreviewImage = {};
    ResizePreview(previewWidth, 2 * L + 16);
    int smallestOriginX = 0;
    results.CellAscent = cell.Ascent;
    results.AutoTop = NO_BLANK_ROWS_YET;
    results.AutoBottom = NO_BLANK_ROWS_YET;
    int x = settings.PreviewMargin;
    int y = PREVIEW_TOP;
    int lines = 1;

    const std::size_t count = std::min({GlyphTable.size(), sourceChars.size(), rendered.size()});
    for (std::size_t i = 0; i < count; ++i) {
        TGlyphRecord& record = GlyphTable[i];
        const auto& glyph = rendered[i];
        if (!glyph) {
            record.SourceChar = 0;
            continue;
        }
        const platform::GlyphBox& box = glyph->Box;
        record.SourceChar = sourceChars[i];
        smallestOriginX = std::min(smallestOriginX, box.OriginX);
        // Ink ending left of the origin keeps its negative width: the font's
        // left shift, added below, brings it back to where the ink ends.
        const int inkEnd = box.BlackBoxX + box.OriginX;
        record.Width = static_cast<std::int16_t>(inkEnd == 0 ? 1 : inkEnd);
        record.Advance = static_cast<std::int16_t>(WrittenAdvance(box.CellIncX, settings.ExtraSpacing));
        // The pen steps as the printer's will through the written font.
        const int step = record.Advance + GLYPH_GAP;

        if (x + step > previewWidth - settings.PreviewMargin - PREVIEW_RIGHT_GAP) {
            ++lines;
            x = settings.PreviewMargin;
            y += L;
            ResizePreview(previewWidth, lines * L + 16);
        }
        const int blankAbove = cell.Ascent - box.OriginY;
        LowerBlankRows(results.AutoTop, blankAbove);
        LowerBlankRows(results.AutoBottom, cell.Descent + box.OriginY - box.BlackBoxY);
        if (box.BlackBoxX > 0 && box.BlackBoxY > 0) {
            LoadGlyphIntoRenderBuffer(*glyph);
            DrawGlyph(box, x + box.OriginX, y + blankAbove);
        }
        x += step;
    }

    results.LeftShift = -smallestOriginX;
    // Cutting both would leave nothing: keep a few middle rows.
    if (results.AutoTop + results.AutoBottom >= L) {
        results.AutoTop = std::max(L / 2 - 2, 0);
        results.AutoBottom = std::max(L / 2 - 1, 0);
    }
    if (autoRemove) {
        settings.TopRemove = results.AutoTop;
        settings.BottomRemove = results.AutoBottom;
    }
    // At least one row stays, whatever the counters kept from another font.
    settings.TopRemove = std::clamp(settings.TopRemove, 0, std::max(L - 1, 0));
    settings.BottomRemove = std::clamp(settings.BottomRemove, 0, std::max(L - 1 - settings.TopRemove, 0));

    for (int n = 0; n < lines; ++n) {
        for (int j = 0; j < settings.TopRemove; ++j) TintRow(n * L + j + PREVIEW_TOP);
        for (int j = 1; j <= settings.BottomRemove; ++j) TintRow((n + 1) * L - j + PREVIEW_TOP);
    }

    results.FontHeight = L - settings.TopRemove - settings.BottomRemove;
    results.FontBytes = 3;
    settings.MaxWidth = 0;
    double widthSum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        TGlyphRecord& record = GlyphTable[i];
        if (record.SourceChar == 0)
            continue;
        record.Width = static_cast<std::int16_t>(record.Width + results.LeftShift);
        results.FontBytes += (record.Width + 7) / 8 * results.FontHeight + 3;
        widthSum += record.Width + GLYPH_GAP + settings.ExtraSpacing;
        settings.MaxWidth = std::max(settings.MaxWidth, record.Width + settings.ExtraSpacing + GLYPH_GAP);
    }
    results.MeanWidth = settings.CharCount > 0 ? widthSum / settings.CharCount : 0.0;
}

void BuildFontPreview(TGlyphSource& glyphs, const TCharacterMap& map, int previewWidth, bool autoRemove)
{
    TFontPreviewSettings& settings = FontPreviewSettings;
    const auto sourceChars = CollectMappedGlyphs(map);
    const TRenderedGlyphs rendered = RenderMappedGlyphs(glyphs, sourceChars);
    const TGlyphCell cell = MeasureGlyphCell(glyphs.Metrics(), rendered);
    settings.LineHeight = cell.Height();
    if (settings.ResetRemoveLimits) {
        PreviewResults.TopRemoveLimit = settings.LineHeight / 2;
        PreviewResults.BottomRemoveLimit = settings.LineHeight - PreviewResults.TopRemoveLimit - 1;
        settings.ResetRemoveLimits = 0;
    }
    settings.PreviewMargin = std::max(settings.FontSize / 3, 24);
    RenderFontPreview(rendered, sourceChars, cell, previewWidth, autoRemove);
}

void ResetFontPreviewState()
{
    GlyphTable.clear();
    FontPreviewSettings = TFontPreviewSettings{};
    PreviewResults = TPreviewResults{};
    FontPreviewImage = TPreviewImage{};
}

}  // namespace zk
