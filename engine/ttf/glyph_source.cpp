#include "engine/ttf/glyph_source.h"

namespace zk
{

namespace
{

constexpr int SCREEN_DOTS_PER_INCH = 96;
constexpr int POINTS_PER_INCH = 72;

class InstalledFontGlyphs : public TGlyphSource
{
public:
    InstalledFontGlyphs(const platform::FontFaceFile& face, int pixelsPerEm, double widthFactor, int charset)
        : m_raster(face, pixelsPerEm, widthFactor, charset)
    {
    }
    bool Valid() const { return m_raster.Valid(); }
    platform::TextMetrics Metrics() const override { return m_raster.Metrics(); }
    std::optional<platform::MonoGlyph> Glyph(std::uint8_t ch) override { return m_raster.Glyph(ch); }

private:
    platform::GlyphRasterizer m_raster;
};

}  // namespace

int PointsToPixels(int points)
{
    return (points * SCREEN_DOTS_PER_INCH + POINTS_PER_INCH / 2) / POINTS_PER_INCH;
}

std::unique_ptr<TGlyphSource> OpenConverterGlyphs(const TConverterFont& font, int pointSize, double widthFactor)
{
    const auto face = platform::FindFontFace(font.Name, font.Style.Bold, font.Style.Italic);
    if (!face) {
        return nullptr;
    }
    auto glyphs = std::make_unique<InstalledFontGlyphs>(*face, PointsToPixels(pointSize), widthFactor, font.Charset);
    if (!glyphs->Valid()) {
        return nullptr;
    }
    return glyphs;
}

}  // namespace zk
