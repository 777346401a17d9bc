#include "tools/printer_font/glyph_cells.h"

#include <algorithm>

namespace zk::tools {

namespace {

// Characters whose extent sizes a resident font: letters and digits fill
// the nominal cell; punctuation and accents may use the rows above it.
std::vector<char32_t> SizingCharacters()
{
    std::vector<char32_t> chars;
    for (char32_t c = U'0'; c <= U'9'; ++c) chars.push_back(c);
    for (char32_t c = U'A'; c <= U'Z'; ++c) chars.push_back(c);
    for (char32_t c = U'a'; c <= U'z'; ++c) chars.push_back(c);
    return chars;
}

void Place(MonoGlyph& cell, const MonoGlyph& ink, int x0, int y0, int width)
{
    for (int y = 0; y < ink.Rows; ++y) {
        for (int x = 0; x < ink.Width; ++x) {
            if (ink.At(x, y) && x0 + x < width) {
                cell.Set(x0 + x, y0 + y);
            }
        }
    }
}

void DrawFrame(MonoGlyph& cell, int left, int top, int right, int bottom, int thickness)
{
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool edge = x < left + thickness || x > right - thickness || y < top + thickness ||
                              y > bottom - thickness;
            if (edge) cell.Set(x, y);
        }
    }
}

}  // namespace

ResidentCellRenderer::ResidentCellRenderer(const TResidentFontLayout& layout, std::vector<FreeTypeFace*> faces)
    : m_layout(layout), m_faces(std::move(faces))
{
    FitToCell();
}

namespace {

struct Extent {
    bool FitsAcross = true;
    int MaxTop = 0;
    int MaxDepth = 0;
};

Extent Measure(const FreeTypeFace& face, const std::vector<char32_t>& chars, int width)
{
    Extent extent;
    for (char32_t ch : chars) {
        const auto glyph = face.Render(ch);
        if (!glyph) continue;
        const int x0 = (width - glyph->Advance) / 2 + glyph->Left;
        extent.FitsAcross = extent.FitsAcross && x0 >= 0 && x0 + glyph->Ink.Width <= width;
        extent.MaxTop = std::max(extent.MaxTop, glyph->Top);
        extent.MaxDepth = std::max(extent.MaxDepth, glyph->Ink.Rows - glyph->Top);
    }
    return extent;
}

}  // namespace

// The largest height at which letters and digits fit the nominal rows, then
// the largest width at which they fit the cell across.
void ResidentCellRenderer::FitToCell()
{
    FreeTypeFace& face = *m_faces.front();
    const std::vector<char32_t> sizing = SizingCharacters();
    const int width = m_layout.Width;
    const int nominal = m_layout.NominalRows;
    for (int down = nominal * 2; down >= 4; --down) {
        face.SetPixelSize(down, down);
        const Extent square = Measure(face, sizing, width);
        if (square.MaxTop + square.MaxDepth > nominal) continue;
        for (int across = width * 2; across >= 4; --across) {
            face.SetPixelSize(across, down);
            const Extent extent = Measure(face, sizing, width);
            if (!extent.FitsAcross) continue;
            if (extent.MaxTop + extent.MaxDepth > nominal) break;
            m_across = across;
            m_down = down;
            m_baseline = (m_layout.Rows - nominal) + extent.MaxTop;
            return;
        }
    }
    m_across = m_down = 4;
    m_baseline = m_layout.Rows - 1;
}

std::optional<MonoGlyph> ResidentCellRenderer::Render(char32_t ch) const
{
    for (FreeTypeFace* face : m_faces) {
        if (!face->HasChar(ch)) continue;
        face->SetPixelSize(m_across, m_down);
        const auto glyph = face->Render(ch);
        if (!glyph) continue;
        MonoGlyph cell(m_layout.Width, m_layout.Rows);
        const int x0 = (m_layout.Width - glyph->Advance) / 2 + glyph->Left;
        // Ink that would drop below the cell (an underscore in a short
        // cell) is lifted as far as the rows above allow.
        int y0 = m_baseline - glyph->Top;
        const int overflow = y0 + glyph->Ink.Rows - m_layout.Rows;
        if (overflow > 0) y0 -= std::min(overflow, std::max(y0, 0));
        Place(cell, glyph->Ink, x0, y0, m_layout.Width);
        return cell;
    }
    return std::nullopt;
}

MonoGlyph ResidentCellRenderer::Substitute() const
{
    MonoGlyph cell(m_layout.Width, m_layout.Rows);
    const int top = m_layout.Rows - m_layout.NominalRows;
    const int thickness = std::max(1, m_layout.Width / 10);
    DrawFrame(cell, 1, top + m_layout.NominalRows / 6, m_layout.Width - 2, std::min(m_baseline, m_layout.Rows - 1) - 1,
              thickness);
    return cell;
}

ArabicCellRenderer::ArabicCellRenderer(const TArabicSetLayout& layout, FreeTypeFace& face,
                                       const std::vector<char32_t>& repertoire)
    : m_layout(layout), m_face(face)
{
    for (int size = layout.Rows * 2; size >= 4; --size) {
        face.SetPixelSize(size, size);
        int maxTop = 0;
        int maxDepth = 0;
        for (char32_t ch : repertoire) {
            const auto glyph = face.Render(ch);
            if (!glyph || !glyph->Ink.HasInk()) continue;
            maxTop = std::max(maxTop, glyph->Top);
            maxDepth = std::max(maxDepth, glyph->Ink.Rows - glyph->Top);
        }
        if (maxTop + maxDepth <= layout.Rows) {
            m_size = size;
            m_baseline = maxTop;
            return;
        }
    }
    m_size = 4;
    m_baseline = layout.Rows - 1;
}

std::optional<ArabicGlyph> ArabicCellRenderer::Render(char32_t ch) const
{
    if (!m_face.HasChar(ch)) return std::nullopt;
    m_face.SetPixelSize(m_size, m_size);
    const auto glyph = m_face.Render(ch);
    if (!glyph) return std::nullopt;
    ArabicGlyph result;
    result.Width = std::clamp(glyph->Advance, 1, static_cast<int>(m_layout.MaxWidth));
    result.Ink = MonoGlyph(m_layout.MaxWidth, m_layout.Rows);
    Place(result.Ink, glyph->Ink, glyph->Left, m_baseline - glyph->Top, result.Width);
    return result;
}

ArabicGlyph ArabicCellRenderer::Substitute() const
{
    ArabicGlyph result;
    result.Width = std::min<int>(m_layout.MaxWidth, std::max(4, m_layout.Rows / 2));
    result.Ink = MonoGlyph(m_layout.MaxWidth, m_layout.Rows);
    DrawFrame(result.Ink, 1, m_layout.Rows / 6, result.Width - 2, std::max(m_baseline - 1, m_layout.Rows / 6 + 2),
              std::max(1, m_layout.Rows / 16));
    return result;
}

}  // namespace zk::tools
