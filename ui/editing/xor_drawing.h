#pragma once
// Drag feedback and selection frames drawn onto the on-screen label image
// by XOR: drawing the same shape twice restores the image exactly, so a
// drag erases its last frame by drawing it again.

#include <cstdint>
#include <span>

#include "ui/editing/editor_state.h"

namespace zk {

class TLabelImage;

// XOR masks of the pens: a red pen turns white paper red, a black pen
// inverts.
inline constexpr std::uint32_t RedPenMask = 0x0000FFFFu;
inline constexpr std::uint32_t BlackPenMask = 0x00FFFFFFu;

enum class PenStyle { Solid, Dot };

struct TXorPen {
    std::uint32_t Mask = RedPenMask;
    int Width = 1;  // 1 or 3 pixels
    PenStyle Style = PenStyle::Solid;
};

// The path through the points. Every pixel the path covers is flipped
// once, even where segments meet or cross, so the result does not depend
// on how the path was split.
void XorPath(TLabelImage& image, std::span<const TPoint> points, const TXorPen& pen);

// The closed four-sided path (x1, y1), (x2, y1), (x2, y2), (x1, y2).
void XorFrame(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
              const TXorPen& pen);

// Drag feedback, in canvas pixels.
void DrawXorRect(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
void DrawXorLine(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
void DrawBandFrame(TLabelImage& image, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// ResizeRect plus the reference point: a line for a line figure, else a frame.
void DrawResizeFrame(TLabelImage& image);

}  // namespace zk
