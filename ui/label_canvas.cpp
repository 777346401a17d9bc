#include "ui/label_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace zk {

TLabelCanvas::TLabelCanvas(QWidget* parent) : QWidget(parent)
{
    setObjectName("Label");
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLabelCanvas::SetPicture(QImage picture)
{
    m_picture = std::move(picture);
    setFixedSize(m_picture.size());
    update();
}

void TLabelCanvas::ResizePicture(int width, int height)
{
    QImage picture(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    picture.fill(Qt::white);
    SetPicture(std::move(picture));
}

void TLabelCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void TLabelCanvas::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event);
}

void TLabelCanvas::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(event);
}

void TLabelCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(event);
}

}  // namespace zk
