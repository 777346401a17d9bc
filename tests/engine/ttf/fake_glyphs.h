#pragma once
// Glyphs drawn by the test: each character's box, origin, advance and ink
// rows given as strings of '#' (ink) and '.'.

#include <map>
#include <string>
#include <vector>

#include "engine/ttf/glyph_source.h"

namespace zk::test
{

struct FakeGlyph {
    int originX = 0;
    int originY = 0;
    int cellIncX = 0;
    std::vector<std::string> rows;  // all the same length: the black box
};

class FakeGlyphs : public TGlyphSource
{
public:
    FakeGlyphs(int ascent, int descent) : m_metrics{ascent, descent, ascent + descent} {}

    void Add(std::uint8_t ch, FakeGlyph glyph) { m_glyphs[ch] = std::move(glyph); }
    // A solid black box.
    void AddBox(std::uint8_t ch, int width, int height, int originX, int originY, int cellIncX)
    {
        Add(ch, {originX, originY, cellIncX,
                 std::vector<std::string>(static_cast<std::size_t>(height),
                                          std::string(static_cast<std::size_t>(width), '#'))});
    }

    platform::TextMetrics Metrics() const override { return m_metrics; }
    std::optional<platform::MonoGlyph> Glyph(std::uint8_t ch) override
    {
        const auto found = m_glyphs.find(ch);
        if (found == m_glyphs.end())
            return std::nullopt;
        const FakeGlyph& fake = found->second;
        platform::MonoGlyph glyph;
        glyph.Box.BlackBoxY = static_cast<int>(fake.rows.size());
        glyph.Box.BlackBoxX = fake.rows.empty() ? 0 : static_cast<int>(fake.rows[0].size());
        glyph.Box.OriginX = fake.originX;
        glyph.Box.OriginY = fake.originY;
        glyph.Box.CellIncX = fake.cellIncX;
        glyph.Pitch = (glyph.Box.BlackBoxX + 31) / 32 * 4;
        glyph.Bits.assign(static_cast<std::size_t>(glyph.Pitch * glyph.Box.BlackBoxY), 0);
        for (int y = 0; y < glyph.Box.BlackBoxY; ++y) {
            for (int x = 0; x < glyph.Box.BlackBoxX; ++x) {
                if (fake.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                    glyph.Bits[static_cast<std::size_t>(y * glyph.Pitch + x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
            }
        }
        return glyph;
    }

private:
    platform::TextMetrics m_metrics;
    std::map<std::uint8_t, FakeGlyph> m_glyphs;
};

}  // namespace zk::test
