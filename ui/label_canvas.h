#pragma once
// The visible label canvas ("Label"): shows its picture one pixel per dot,
// without scaling, and reports the mouse to the editing layer.

#include <QImage>
#include <QWidget>

namespace zk {

class TLabelCanvas : public QWidget {
    Q_OBJECT

public:
    explicit TLabelCanvas(QWidget* parent = nullptr);

    // The picture shown; the widget takes its size.
    QImage& Picture() { return m_picture; }
    const QImage& Picture() const { return m_picture; }
    void SetPicture(QImage picture);
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
    QImage m_picture;
};

}  // namespace zk
