#include "engine/image/picture_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "engine/image/exif_orientation.h"

namespace zk {

namespace {

constexpr int MaxSkippedSegments = 100;
constexpr int ExifMarker = 0xE1;  // APP1

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens the file and notes its date and length. The file is opened without
// blocking, since opening a named pipe would wait for a writer; anything but
// a regular file is refused.
FilePtr OpenAndMeasure(const std::string& path, TPictureProbe& probe)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    FilePtr file(fdopen(fd, "rb"));
    if (!file) {
        close(fd);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return nullptr;
    }
    probe.FileDate = status.st_mtime;
    probe.FileSize = status.st_size;
    return file;
}

// The next byte, or -1 at the end of the file.
int NextByte(std::FILE* file) { return std::fgetc(file); }

// A big-endian 16-bit value, or -1 at the end of the file.
int ReadBigEndianWord(std::FILE* file)
{
    const int high = NextByte(file);
    const int low = NextByte(file);
    return high < 0 || low < 0 ? -1 : (high << 8) | low;
}

bool IsFrameMarker(int marker) { return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xCC; }

}  // namespace

bool ProbeBmpHeader(const std::string& path, TPictureProbe& probe)
{
    const FilePtr file = OpenAndMeasure(path, probe);
    if (!file) {
        return false;
    }
    std::uint8_t header[29] = {};
    if (std::fread(header, 1, sizeof header, file.get()) != sizeof header) {
        return false;
    }
    // A core header keeps its bit count at 24, the info headers at 28.
    const bool coreHeader = header[14] == 12 && header[15] == 0 && header[16] == 0 && header[17] == 0;
    probe.BitsPerPixel = header[coreHeader ? 24 : 28];
    return probe.BitsPerPixel != 0;
}

bool ProbeJpegHeader(const std::string& path, TPictureProbe& probe)
{
    const FilePtr file = OpenAndMeasure(path, probe);
    if (!file) {
        return false;
    }
    std::FILE* in = file.get();
    if (NextByte(in) != 0xFF || NextByte(in) != 0xD8) {
        return false;
    }
    // The first EXIF block's orientation: the decoder turns the picture
    // upright, and the size shown is the upright one.
    std::optional<ExifOrientation> orientation;
    for (int skipped = 0; skipped < MaxSkippedSegments; ++skipped) {
        int byte = NextByte(in);
        while (byte >= 0 && byte != 0xFF) {
            byte = NextByte(in);
        }
        while (byte == 0xFF) {
            byte = NextByte(in);
        }
        const int marker = byte;
        const int length = ReadBigEndianWord(in);
        if (marker < 0 || length < 0 || length <= 1 || marker == 0xD8 || marker == 0xDA) {
            return false;
        }
        if (IsFrameMarker(marker)) {
            NextByte(in);  // sample precision
            const int height = ReadBigEndianWord(in);
            const int width = ReadBigEndianWord(in);
            const int components = NextByte(in);
            if (height < 0 || width < 0 || components < 0) {
                return false;
            }
            const TUprightPlacement upright =
                UprightPlacement(width, height, orientation.value_or(ExifOrientation::Upright));
            probe.Height = upright.Height;
            probe.Width = upright.Width;
            probe.BitsPerPixel = 8 * components;
            probe.MaxSide = std::max(width, height);
            return true;
        }
        if (marker == ExifMarker && !orientation) {
            std::vector<std::uint8_t> payload(static_cast<std::size_t>(length - 2));
            if (std::fread(payload.data(), 1, payload.size(), in) != payload.size()) {
                return false;
            }
            if (IsExifBlock(payload)) {
                orientation = ExifOrientationOf(payload);
            }
            continue;
        }
        if (std::fseek(in, length - 2, SEEK_CUR) != 0) {
            return false;
        }
    }
    return false;
}

PictureKind PictureKindOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (extension == ".BMP") {
        return PictureKind::Bmp;
    }
    if (extension == ".JPG" || extension == ".JPEG") {
        return PictureKind::Jpeg;
    }
    return PictureKind::Other;
}

}  // namespace zk
