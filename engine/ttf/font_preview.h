#pragma once
// The converter's preview build: every mapped glyph rendered at the chosen
// size, width factor and spacing, laid out in lines on a preview image, and
// the figures of the font file a save would write.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ttf/char_map.h"
#include "engine/ttf/glyph_source.h"

namespace zk
{

struct TGlyphRecord {
    std::int16_t Width = 0;       // dots: black box + origin x (1 when that is 0) + LeftShift
    std::int16_t Advance = 0;     // WrittenAdvance of the cell increment and ExtraSpacing
    std::uint8_t SourceChar = 0;  // 0 = its glyph could not be read
    std::uint8_t TargetCode = 0;  // printer code 32..255
};

// The advance byte a glyph record of the font file gets: the cell
// increment plus the extra spacing, at least 2 and at most what the byte
// holds. The printer steps by it plus its own gap of 2 dots, and so does
// the preview.
inline constexpr int MinWrittenAdvance = 2;
inline constexpr int MaxWrittenAdvance = 255;
int WrittenAdvance(int cellIncrement, int extraSpacing);

inline constexpr int MinConverterFontSize = 6;
inline constexpr int MaxConverterFontSize = 240;

struct TFontPreviewSettings {
    double WidthFactor = 1.0;
    std::int32_t LastWidthPosition = 10;
    std::int32_t ExtraSpacing = 0;  // -16..16
    std::int32_t FontSize = 20;     // points
    std::int32_t PreviewMargin = 0;
    std::int32_t LineHeight = 0;  // dots of one text line: the uncut glyph cell
    std::int32_t CharCount = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t TopRemove = 0;
    std::int32_t BottomRemove = 0;
    std::uint8_t ResetRemoveLimits = 1;
};

struct TPreviewResults {
    std::int32_t LeftShift = 0;
    // Rows of the glyph cell above the baseline; LineHeight minus them lie below.
    std::int32_t CellAscent = 0;
    std::int32_t AutoTop = 0;
    std::int32_t AutoBottom = 0;
    std::int32_t FontHeight = 0;
    std::int32_t FontBytes = 0;
    double MeanWidth = 0.0;
    // Upper limits of the two row counters, set when a build recomputes them.
    std::int32_t TopRemoveLimit = 0;
    std::int32_t BottomRemoveLimit = 0;
};

// The preview: 32-bit pixels, white paper, black ink, rows contiguous.
struct TPreviewImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
};

extern std::vector<TGlyphRecord> GlyphTable;
extern TFontPreviewSettings FontPreviewSettings;
extern TPreviewResults PreviewResults;
extern TPreviewImage FontPreviewImage;

// The size text as a point size: not a number gives 0; clamped to 6..240.
int FontSizeFromText(const std::string& text);
// The width track bar's position as a factor: 0..10 give 0.5..1.0, above 10
// a tenth per step (20 gives 2.0).
double WidthFactorForPosition(int position);

// Rebuilds GlyphTable from the map's non-empty cells; the source characters
// in map order.
std::vector<std::uint8_t> CollectMappedGlyphs(const TCharacterMap& map);

// The glyph of every source character, rendered once per build; none where
// it can't be read.
using TRenderedGlyphs = std::vector<std::optional<platform::MonoGlyph>>;
TRenderedGlyphs RenderMappedGlyphs(TGlyphSource& glyphs, const std::vector<std::uint8_t>& sourceChars);

// The rows one glyph cell spans around the baseline: the face's line, widened
// to every row the rendered glyphs reach (a monochrome glyph may stand a row
// above the face's rounded ascent or below its descent), so that the cell,
// and the file, hold every dot the preview draws.
struct TGlyphCell {
    int Ascent = 0;
    int Descent = 0;
    int Height() const { return Ascent + Descent; }
};
TGlyphCell MeasureGlyphCell(const platform::TextMetrics& line, const TRenderedGlyphs& rendered);

// Lays the glyphs out on FontPreviewImage (previewWidth wide) in lines one
// cell high and works out the file's figures. With autoRemove the blank
// rows all glyphs leave become the rows to cut.
void RenderFontPreview(const TRenderedGlyphs& rendered, const std::vector<std::uint8_t>& sourceChars,
                       const TGlyphCell& cell, int previewWidth, bool autoRemove);

// One whole build for the current map and settings (size already in
// FontPreviewSettings.FontSize): collect, render the glyphs, measure the
// cell (LineHeight), recompute the row counters' limits when asked, lay out.
void BuildFontPreview(TGlyphSource& glyphs, const TCharacterMap& map, int previewWidth, bool autoRemove);

// Copies a glyph into the shared render buffer, inverted (1 = white), cut
// to the 512 x 480 dots of the converter's work bitmap.
void LoadGlyphIntoRenderBuffer(const platform::MonoGlyph& glyph);
inline constexpr int ConverterWorkRows = 480;
inline constexpr int ConverterWorkDots = 512;
// Whether the work bitmap has ink at (x, y); false outside it.
bool RenderBufferInk(int x, int y);

// Converter preview state back to program start (engine reset).
void ResetFontPreviewState();

}  // namespace zk
