#include "ui/label_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace zk {

TLabelCanvas::TLabelCanvas(QWidget* parent) : QWidget(parent)
{
    setObjectName("Label");
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLabelCanvas::WrapImage()
{
    if (m_image.Width() <= 0 || m_image.Height() <= 0) {
        m_picture = QImage();
    } else {
        m_picture = QImage(reinterpret_cast<uchar*>(m_image.Bits()), m_image.Width(), m_image.Height(),
                           m_image.BytesPerLine(), QImage::Format_RGB32);
    }
    setFixedSize(m_picture.size());
    update();
}

void TLabelCanvas::ShowImage(const TLabelImage& image)
{
    if (image.Width() != m_image.Width() || image.Height() != m_image.Height()) {
        m_image.Resize(image.Width(), image.Height());
        WrapImage();
    }
    const std::size_t pixels = static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height());
    std::copy_n(image.Bits(), pixels, m_image.Bits());
    update();
}

void TLabelCanvas::ResizePicture(int width, int height)
{
    m_image.Resize(std::max(width, 0), std::max(height, 0));
    WrapImage();
}

void TLabelCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

// The repaint is asked for before the handler runs: a handler may open a
// modal dialog, and its event loop must show what the handler drew (a
// drag's rectangle taken off) while the dialog is up, not after it.
void TLabelCanvas::mousePressEvent(QMouseEvent* event)
{
    update();
    emit MouseDown(event);
}

void TLabelCanvas::mouseMoveEvent(QMouseEvent* event)
{
    update();
    emit MouseMove(event);
}

void TLabelCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    update();
    emit MouseUp(event);
}

}  // namespace zk
