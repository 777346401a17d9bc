#pragma once
// The canvas layer: the engine's label image seen as a QImage, and the grid
// dots and margin lines the editor adds on the visible copy.

#include <QImage>

namespace zk {

inline constexpr QRgb GridDotColour = 0xFFFF0000u;    // red
inline constexpr QRgb MarginLineColour = 0xFF008000u;  // dark green

// LabelImage as a Format_RGB32 QImage sharing its pixels. Valid until the
// label image is resized.
QImage BackLabel();

// Red dots on every pixel whose label coordinate (pixel - margin) is a
// multiple of step in both directions; the image's pixels are label dots
// shifted by the reference point. Nothing for a step below 1.
void DrawGridDots(QImage& picture, int step, int leftMargin, int topMargin);

// Green lines along the reference point: a horizontal one from it to the
// right edge when topMargin > 0, a vertical one from it to the bottom edge
// when leftMargin > 0.
void DrawMarginLines(QImage& picture, int leftMargin, int topMargin);

}  // namespace zk
