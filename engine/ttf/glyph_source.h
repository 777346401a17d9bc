#pragma once
// Where the converter's glyphs come from: one font at one size and width
// factor, asked for by source character. The installed fonts answer in the
// editor; tests may draw their own.

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/ttf/converter_state.h"
#include "platform/font_catalogue.h"

namespace zk
{

class TGlyphSource
{
public:
    virtual ~TGlyphSource() = default;
    virtual platform::TextMetrics Metrics() const = 0;
    // None when the character's glyph can't be read.
    virtual std::optional<platform::MonoGlyph> Glyph(std::uint8_t ch) = 0;
};

// Font sizes are points; the screen the converter measures on has 96 dots
// per inch, rounded as the platform's own scaling does.
int PointsToPixels(int points);

// The installed font at a point size, its outlines widened by widthFactor;
// null when the font can't be found or opened.
std::unique_ptr<TGlyphSource> OpenConverterGlyphs(const TConverterFont& font, int pointSize, double widthFactor);

}  // namespace zk
