#include "engine/image/colour_picture_file.h"

#include <vector>

#include "engine/image/colour_bmp_reader.h"
#include "engine/image/picture_probe.h"
#include "engine/io/file_head.h"

namespace zk {

namespace {

TImageReadResult Failed(const char* message)
{
    TImageReadResult result;
    result.Error = message;
    return result;
}

}  // namespace

TImageReadResult ReadColourPictureFile(const std::string& path, const JpegDecodeOptions& jpeg)
{
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Other) {
        return Failed("Unknown file extension");
    }
    const auto bytes = ReadWholeFile(path, static_cast<std::size_t>(MaxColourPictureFileSize));
    if (!bytes) {
        return Failed("Can't read the file");
    }
    return kind == PictureKind::Bmp ? ReadColourBmp(*bytes) : ReadJpeg(*bytes, jpeg);
}

}  // namespace zk
