#include "engine/picture/mono_bmp.h"

#include "engine/model/payload_codec.h"

namespace zk {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;

std::uint32_t GetLe32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(GetLe16(at)) | (static_cast<std::uint32_t>(GetLe16(at + 2)) << 16);
}

std::uint32_t GetLe24(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(GetLe16(at)) | (static_cast<std::uint32_t>(at[2]) << 16);
}

}  // namespace

BmpStatus ReadMonoBmpHeader(std::span<const std::uint8_t> file, TMonoBmp& bmp)
{
    if (file.size() < FileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
        return BmpStatus::Invalid;
    }
    bmp.PixelOffset = GetLe32(&file[10]);
    const std::uint32_t headerSize = GetLe32(&file[14]);
    std::size_t paletteAt = 0;
    std::size_t entrySize = 0;
    std::uint16_t bitCount = 0;
    if (headerSize == CoreHeaderSize && file.size() >= FileHeaderSize + CoreHeaderSize) {
        // Core headers hold unsigned 16-bit sizes and always store bottom-up.
        bmp.Width = GetLe16(&file[18]);
        bmp.Height = GetLe16(&file[20]);
        bmp.TopDown = false;
        bmp.Planes = GetLe16(&file[22]);
        bitCount = GetLe16(&file[24]);
        bmp.Compression = 0;
        entrySize = 3;
    } else if (headerSize >= InfoHeaderSize && file.size() >= FileHeaderSize + InfoHeaderSize) {
        bmp.Width = static_cast<std::int32_t>(GetLe32(&file[18]));
        const std::int64_t height = static_cast<std::int32_t>(GetLe32(&file[22]));
        bmp.TopDown = height < 0;
        bmp.Height = height < 0 ? -height : height;
        bmp.Planes = GetLe16(&file[26]);
        bitCount = GetLe16(&file[28]);
        bmp.Compression = GetLe32(&file[30]);
        entrySize = 4;
    } else {
        return BmpStatus::Invalid;
    }
    if (bitCount != 1) {
        return BmpStatus::NotMonochrome;
    }
    if (bmp.Planes != 1 || bmp.Compression != 0) {
        return BmpStatus::Invalid;
    }
    paletteAt = FileHeaderSize + headerSize;
    if (paletteAt + 2 * entrySize > file.size()) {
        return BmpStatus::Invalid;
    }
    const auto entry = [&](std::size_t index) {
        const std::uint8_t* at = &file[paletteAt + index * entrySize];
        return entrySize == 4 ? GetLe32(at) : GetLe24(at);
    };
    bmp.Invert = entry(1) < entry(0);
    return BmpStatus::Ok;
}

std::size_t BmpStride(std::int64_t width)
{
    return static_cast<std::size_t>((width + 31) / 32) * 4;
}

bool BmpPixelsPresent(std::span<const std::uint8_t> file, const TMonoBmp& bmp)
{
    if (bmp.Width <= 0 || bmp.Height <= 0) {
        return false;
    }
    const std::uint64_t need = static_cast<std::uint64_t>(BmpStride(bmp.Width)) * static_cast<std::uint64_t>(bmp.Height);
    return bmp.PixelOffset <= file.size() && need <= file.size() - bmp.PixelOffset;
}

std::span<const std::uint8_t> BmpRowFromTop(std::span<const std::uint8_t> file, const TMonoBmp& bmp, std::int64_t y)
{
    const std::size_t stride = BmpStride(bmp.Width);
    const std::int64_t stored = bmp.TopDown ? y : bmp.Height - 1 - y;
    return file.subspan(bmp.PixelOffset + static_cast<std::size_t>(stored) * stride, stride);
}

}  // namespace zk
