#pragma once
// The visible label canvas ("Label"): shows its picture one pixel per dot,
// without scaling, and reports the mouse to the editing layer. The picture
// is a label image of its own, seen as a QImage over the same pixels, so
// the editing layer's XOR feedback and the grid and margin marks draw on
// what is shown.

#include <QImage>
#include <QWidget>

#include "engine/render/label_image.h"

namespace zk {

class TLabelCanvas : public QWidget {
    Q_OBJECT

public:
    explicit TLabelCanvas(QWidget* parent = nullptr);

    // The picture shown; the widget takes its size. Changes made through
    // either view show at the next repaint.
    TLabelImage& Image() { return m_image; }
    QImage& Picture() { return m_picture; }
    const QImage& Picture() const { return m_picture; }
    // Copies the pixels of image into the picture.
    void ShowImage(const TLabelImage& image);
    // A white picture of the given size.
    void ResizePicture(int width, int height);

    QSize sizeHint() const override { return m_picture.size(); }

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Points m_picture at m_image's pixels after they may have moved.
    void WrapImage();

    TLabelImage m_image;
    QImage m_picture;
};

}  // namespace zk
