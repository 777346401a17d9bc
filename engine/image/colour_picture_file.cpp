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
    // One byte past the bound tells a file longer than any picture taken.
    auto head = ReadFileHead(path, static_cast<std::size_t>(MaxColourPictureFileSize) + 1);
    if (!head) {
        return Failed("Can't read the file");
    }
    if (head->Bytes.size() > MaxColourPictureFileSize) {
        return ImageTooLarge("Picture file too long", 0, 0);
    }
    return kind == PictureKind::Bmp ? ReadColourBmp(head->Bytes) : ReadJpeg(head->Bytes, jpeg);
}

}  // namespace zk
