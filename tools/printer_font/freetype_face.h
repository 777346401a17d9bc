#pragma once
// One FreeType face rendered in monochrome mode (no anti-aliasing) at a
// chosen pixel size, possibly different across and down.

#include <optional>
#include <string>

#include "tools/printer_font/mono_glyph.h"

namespace zk::tools {

class FreeTypeFace {
public:
    // Opens the face file; Valid() tells whether it worked.
    explicit FreeTypeFace(const std::string& path);
    ~FreeTypeFace();
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    bool Valid() const { return m_face != nullptr; }
    bool HasChar(char32_t ch) const;
    void SetPixelSize(int across, int down);
    // The character's glyph at the current size; none when the face lacks it.
    std::optional<RasterGlyph> Render(char32_t ch) const;

private:
    void* m_library = nullptr;  // FT_Library
    void* m_face = nullptr;     // FT_Face
};

}  // namespace zk::tools
