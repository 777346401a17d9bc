#include "ui/dialogs/color_to_bw_image.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace zk {

QImage ToQImage(const TColourImage& image)
{
    if (image.Empty()) {
        return {};
    }
    // The pixels are 0xXXRRGGBB words, the layout of RGB32.
    return QImage(reinterpret_cast<const uchar*>(image.Pixels.data()), image.Width, image.Height, image.Width * 4,
                  QImage::Format_RGB32)
        .copy();
}

QImage ViewQImage(const TMonoImage16& image)
{
    if (image.Width <= 0 || image.Height <= 0) {
        return {};
    }
    // 0xFFFF and 0 are white and black in RGB565 too.
    return QImage(reinterpret_cast<const uchar*>(image.Words.data()), image.Width, image.Height,
                  image.WordsPerRow() * 2, QImage::Format_RGB16);
}

TConverterImage::TConverterImage(QWidget* parent) : QWidget(parent) {}

void TConverterImage::SetImage(const QImage& image)
{
    m_render = nullptr;
    m_image = image;
    m_band.reset();
    setFixedSize(image.size());
    update();
}

void TConverterImage::SetRenderer(QSize size, Renderer render)
{
    m_image = QImage();
    m_render = std::move(render);
    m_band.reset();
    setFixedSize(size);
    update();
}

QImage TConverterImage::Image() const { return m_render ? m_render(rect()) : m_image; }

void TConverterImage::SetBand(std::optional<QRect> band)
{
    m_band = band;
    update();
}

void TConverterImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Only the part being painted: a picture may be tens of megapixels.
    const QRect part = event->rect() & rect();
    if (m_render) {
        if (!part.isEmpty()) painter.drawImage(part.topLeft(), m_render(part));
    } else {
        painter.drawImage(part.topLeft(), m_image, part);
    }
    if (m_band) {
        // Inverting the dots under the band keeps it visible on any colour.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(m_band->normalized());
    }
}

void TConverterImage::mousePressEvent(QMouseEvent* event) { emit MouseDown(event); }
void TConverterImage::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }
void TConverterImage::mouseReleaseEvent(QMouseEvent* event) { emit MouseUp(event); }
void TConverterImage::mouseDoubleClickEvent(QMouseEvent*) { emit DoubleClicked(); }

}  // namespace zk
