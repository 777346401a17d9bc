#pragma once
// The converter's pictures on screen: QImage copies of the engine's colour
// and black-and-white images, and the image control ColorBmp / BWBmp that
// shows one and draws the rubber band over it.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <optional>

#include "engine/image/colour_image.h"

namespace zk {

QImage ToQImage(const TColourImage& image);
QImage ToQImage(const TMonoImage16& image);

class TConverterImage : public QWidget {
    Q_OBJECT

public:
    explicit TConverterImage(QWidget* parent = nullptr);

    // Shows image at its own size; a band drawn before is gone with it.
    void SetImage(const QImage& image);
    const QImage& Image() const { return m_image; }

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
    std::optional<QRect> m_band;
};

}  // namespace zk
