#pragma once
// The converter's pictures on screen: a QImage copy of a colour image, a
// view of the black-and-white result, and the image control ColorBmp /
// BWBmp that shows one (or draws the part of a picture it paints) with the
// rubber band over it.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

#include "engine/image/colour_image.h"

namespace zk {

QImage ToQImage(const TColourImage& image);
// The black-and-white result over its own words, not copied: valid while
// image lives unchanged.
QImage ViewQImage(const TMonoImage16& image);

class TConverterImage : public QWidget {
    Q_OBJECT

public:
    explicit TConverterImage(QWidget* parent = nullptr);

    using Renderer = std::function<QImage(const QRect&)>;

    // Shows image at its own size; a band drawn before is gone with it.
    void SetImage(const QImage& image);
    // Shows a picture of the given size of which only the part being
    // painted is made, by render; a band drawn before is gone with it.
    void SetRenderer(QSize size, Renderer render);
    // The whole picture shown.
    QImage Image() const;

    // The dotted rubber band between two corners, or none.
    void SetBand(std::optional<QRect> band);
    std::optional<QRect> Band() const { return m_band; }

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    Renderer m_render;
    std::optional<QRect> m_band;
};

}  // namespace zk
