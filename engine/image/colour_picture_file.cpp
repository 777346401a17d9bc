#include "engine/image/colour_picture_file.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "engine/image/colour_bmp_reader.h"
#include "engine/image/picture_probe.h"

namespace zk {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

TImageReadResult Failed(const char* message)
{
    TImageReadResult result;
    result.Error = message;
    return result;
}

// The whole file, or false when it cannot be read or is too big for a picture.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file.get());
    if (size < 0 || static_cast<std::uint64_t>(size) > MaxColourPictureFileSize ||
        std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
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
