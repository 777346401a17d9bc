#include "shell/shell_thumbnail.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/shell_items.h"

namespace zk {

QImage GetThumbnailBitmap(const std::string& path, int width, int height)
{
    if (width <= 0 || height <= 0) {
        width = DefaultThumbnailSize;
        height = DefaultThumbnailSize;
    }
    // Opened by its bytes: a name that is no UTF-8 has no exact QString.
    struct stat info {};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) {
            close(fd);
        }
        return {};
    }
    QImageReader reader(&file);
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
