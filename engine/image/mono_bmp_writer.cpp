#include "engine/image/mono_bmp_writer.h"

#include <algorithm>

#include "engine/io/atomic_file.h"
#include "engine/model/payload_codec.h"
#include "engine/picture/picture_file.h"

namespace zk {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t PaletteSize = 8;
constexpr std::size_t PixelOffset = FileHeaderSize + InfoHeaderSize + PaletteSize;

void PutLe32(std::uint8_t* at, std::uint32_t value)
{
    PutLe16(at, static_cast<std::uint16_t>(value));
    PutLe16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

TMonoBitmap PackMonoRows(const TMonoImage16& image, int widthMultiple)
{
    TMonoBitmap bitmap;
    const int multiple = std::max(widthMultiple, 1);
    bitmap.Width = (std::max(image.Width, 0) + multiple - 1) / multiple * multiple;
    bitmap.Height = std::max(image.Height, 0);
    bitmap.BytesPerScanLine = static_cast<std::size_t>((bitmap.Width + 31) / 32) * 4;
    bitmap.Bits.assign(bitmap.BytesPerScanLine * static_cast<std::size_t>(bitmap.Height), 0xFF);
    for (int y = 0; y < image.Height; ++y) {
        std::uint8_t* row = &bitmap.Bits[static_cast<std::size_t>(y) * bitmap.BytesPerScanLine];
        for (int x = 0; x < image.Width; ++x) {
            if (!image.IsWhite(x, y)) {
                row[x / 8] &= static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
            }
        }
    }
    return bitmap;
}

std::vector<std::uint8_t> MonoBmpFileBytes(const TMonoImage16& image)
{
    const TMonoBitmap rows = PackMonoRows(image, 1);
    const std::size_t imageSize = rows.BytesPerScanLine * static_cast<std::size_t>(rows.Height);
    const std::size_t fileSize = std::max(PixelOffset + imageSize, MinBmpFileSize);
    std::vector<std::uint8_t> file(fileSize, 0);
    std::uint8_t* at = file.data();
    at[0] = 'B';
    at[1] = 'M';
    PutLe32(at + 2, static_cast<std::uint32_t>(fileSize));
    PutLe32(at + 10, PixelOffset);
    PutLe32(at + 14, InfoHeaderSize);
    PutLe32(at + 18, static_cast<std::uint32_t>(rows.Width));
    PutLe32(at + 22, static_cast<std::uint32_t>(rows.Height));
    PutLe16(at + 26, 1);  // planes
    PutLe16(at + 28, 1);  // bits per pixel
    PutLe32(at + 30, 0);  // no compression
    PutLe32(at + 34, static_cast<std::uint32_t>(imageSize));
    PutLe32(at + 46, 2);  // colours used
    // Palette: entry 0 black, entry 1 white.
    PutLe32(at + 58, 0x00FFFFFF);
    for (int y = 0; y < rows.Height; ++y) {
        const std::size_t from = static_cast<std::size_t>(rows.Height - 1 - y) * rows.BytesPerScanLine;
        std::copy_n(&rows.Bits[static_cast<std::size_t>(y) * rows.BytesPerScanLine], rows.BytesPerScanLine,
                    &file[PixelOffset + from]);
    }
    return file;
}

bool SaveMonoBmp(const std::string& path, const TMonoImage16& image)
{
    return WriteFileAtomically(path, MonoBmpFileBytes(image));
}

}  // namespace zk
