#include "ui/canvas_layer.h"

#include <algorithm>

#include "engine/render/label_image.h"

namespace zk {

QImage BackLabel()
{
    if (LabelImage.Width() <= 0 || LabelImage.Height() <= 0) {
        return QImage();
    }
    return QImage(reinterpret_cast<uchar*>(LabelImage.Bits()), LabelImage.Width(), LabelImage.Height(),
                  LabelImage.BytesPerLine(), QImage::Format_RGB32);
}

namespace {

// The drawing below writes 32-bit pixels directly.
bool PrepareForDrawing(QImage& picture)
{
    if (picture.isNull()) {
        return false;
    }
    if (picture.depth() != 32) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    return true;
}

// The first pixel coordinate at or after 0 whose label coordinate is a
// multiple of step. C++ % truncates, so a negative margin gives a negative
// remainder, whose dot falls outside; the next one is step further on.
int FirstGridPixel(int margin, int step)
{
    const int first = margin % step;
    return first < 0 ? first + step : first;
}

}  // namespace

void DrawGridDots(QImage& picture, int step, int leftMargin, int topMargin)
{
    if (step < 1 || !PrepareForDrawing(picture)) {
        return;
    }
    const int x0 = FirstGridPixel(leftMargin, step);
    for (int y = FirstGridPixel(topMargin, step); y < picture.height(); y += step) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = x0; x < picture.width(); x += step) {
            row[x] = GridDotColour;
        }
    }
}

void DrawMarginLines(QImage& picture, int leftMargin, int topMargin)
{
    if (!PrepareForDrawing(picture)) {
        return;
    }
    if (topMargin > 0 && topMargin < picture.height()) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(topMargin));
        for (int x = std::max(leftMargin, 0); x < picture.width(); ++x) {
            row[x] = MarginLineColour;
        }
    }
    if (leftMargin > 0 && leftMargin < picture.width()) {
        for (int y = std::max(topMargin, 0); y < picture.height(); ++y) {
            reinterpret_cast<QRgb*>(picture.scanLine(y))[leftMargin] = MarginLineColour;
        }
    }
}

}  // namespace zk
