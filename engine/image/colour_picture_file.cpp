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

// The whole file, or false when it cannot be read or is too big for a picture.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    auto head = ReadFileHead(path, static_cast<std::size_t>(MaxColourPictureFileSize) + 1);
    if (!head || head->FileSize > MaxColourPictureFileSize) {
        return false;
    }
    bytes = std::move(head->Bytes);
    return true;
}

}  // namespace

TImageReadResult ReadColourPictureFile(const std::string& path, const JpegDecodeOptions& jpeg)
{
    const PictureKind kind = PictureKindOf(path);
    if (kind == PictureKind::Other) {
        return Failed("Unknown file extension");
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return Failed("Can't read the file");
    }
    return kind == PictureKind::Bmp ? ReadColourBmp(bytes) : ReadJpeg(bytes, jpeg);
}

}  // namespace zk
