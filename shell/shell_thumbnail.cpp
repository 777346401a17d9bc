#include "shell/shell_thumbnail.h"

#include <QFileInfo>
#include <QImageReader>

#include "shell/shell_items.h"

namespace zk {

QImage GetThumbnailBitmap(const std::string& path, int width, int height)
{
    if (width <= 0 || height <= 0) {
        width = DefaultThumbnailSize;
        height = DefaultThumbnailSize;
    }
    const QString file = ShellText(path);
    if (!QFileInfo(file).isFile()) {
        return {};
    }
    QImageReader reader(file);
    reader.setAutoTransform(true);
    // The header's size decides before anything is decoded.
    const QSize source = reader.size();
    if (!source.isValid() || source.isEmpty() ||
        static_cast<qint64>(source.width()) * source.height() > ThumbnailSourcePixelLimit) {
        return {};
    }
    const QSize box(width, height);
    const QSize target = source.width() <= width && source.height() <= height
                             ? source
                             : source.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    // Readers that scale while decoding (JPEG) do less work this way.
    reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    if (image.size() != target) {
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

}  // namespace zk
