#pragma once
// Thumbnails of shell objects: pictures the image readers know, scaled to
// fit a box with their proportions kept. This stands in for the shell's
// thumbnail extractors; other files have no thumbnail. It touches no
// widget, so a worker thread may call it.

#include <QImage>

#include <string>

namespace zk {

// Pictures larger than this many pixels are not decoded for a thumbnail.
inline constexpr qint64 ThumbnailSourcePixelLimit = 64LL * 1024 * 1024;
inline constexpr int DefaultThumbnailSize = 64;

// The picture at path scaled to fit width x height (64 x 64 when either is
// not positive), never enlarged; a null image for no picture.
QImage GetThumbnailBitmap(const std::string& path, int width, int height);

}  // namespace zk
