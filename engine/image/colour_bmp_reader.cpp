#include "engine/image/colour_bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>

#include "engine/image/bmp_rle_decoder.h"
#include "engine/model/payload_codec.h"

namespace zk {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t CompressionRgb = 0;
constexpr std::uint32_t CompressionRle8 = 1;
constexpr std::uint32_t CompressionRle4 = 2;
constexpr std::uint32_t CompressionBitFields = 3;
constexpr std::uint32_t CompressionAlphaBitFields = 6;

std::uint32_t GetLe32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(GetLe16(at)) | (static_cast<std::uint32_t>(GetLe16(at + 2)) << 16);
}

TImageReadResult Failed(const char* message)
{
    TImageReadResult result;
    result.Error = message;
    return result;
}

// One channel of a direct-colour pixel, taken out by its mask and widened
// to 8 bits.
struct TChannelMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit TChannelMask(std::uint32_t mask) : Mask(mask)
    {
        if (mask != 0) {
            Shift = std::countr_zero(mask);
            Max = mask >> Shift;
        }
    }
    std::uint8_t Of(std::uint32_t value) const
    {
        if (Max == 0) {
            return 0;
        }
        const std::uint64_t part = (value & Mask) >> Shift;
        return static_cast<std::uint8_t>(part * 255 / Max);
    }
};

struct TBmpLayout {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = CompressionRgb;
    std::uint64_t PixelOffset = 0;
    std::array<std::uint32_t, 256> Palette{};
    std::uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
};

bool ReadMasks(std::span<const std::uint8_t> file, std::size_t at, TBmpLayout& bmp)
{
    if (at + 12 > file.size()) {
        return false;
    }
    bmp.RedMask = GetLe32(&file[at]);
    bmp.GreenMask = GetLe32(&file[at + 4]);
    bmp.BlueMask = GetLe32(&file[at + 8]);
    return true;
}

// Fills bmp from the headers; an error message, or null.
const char* ReadLayout(std::span<const std::uint8_t> file, TBmpLayout& bmp)
{
    if (file.size() < FileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
        return "Not a BMP file";
    }
    bmp.PixelOffset = GetLe32(&file[10]);
    const std::uint32_t headerSize = GetLe32(&file[14]);
    std::size_t entrySize = 4;
    std::uint32_t colourCount = 0;
    if (headerSize == CoreHeaderSize && file.size() >= FileHeaderSize + CoreHeaderSize) {
        bmp.Width = GetLe16(&file[18]);
        bmp.Height = GetLe16(&file[20]);
        bmp.BitCount = GetLe16(&file[24]);
        entrySize = 3;
    } else if (headerSize >= InfoHeaderSize && headerSize <= file.size() - FileHeaderSize) {
        bmp.Width = static_cast<std::int32_t>(GetLe32(&file[18]));
        const std::int64_t height = static_cast<std::int32_t>(GetLe32(&file[22]));
        bmp.TopDown = height < 0;
        bmp.Height = height < 0 ? -height : height;
        bmp.BitCount = GetLe16(&file[28]);
        bmp.Compression = GetLe32(&file[30]);
        colourCount = GetLe32(&file[46]);
    } else {
        return "Unknown BMP header";
    }
    if (!ImageSizeAllowed(bmp.Width, bmp.Height)) {
        return "BMP size out of range";
    }
    const std::size_t paletteAt = FileHeaderSize + headerSize;
    switch (bmp.BitCount) {
    case 1:
    case 4:
    case 8: {
        const bool runLength = (bmp.BitCount == 8 && bmp.Compression == CompressionRle8) ||
                               (bmp.BitCount == 4 && bmp.Compression == CompressionRle4);
        if (bmp.Compression != CompressionRgb && !runLength) {
            return "Unsupported BMP compression";
        }
        if (runLength && bmp.TopDown) {
            return "Compressed BMP files are stored bottom-up";
        }
        const std::uint32_t most = 1u << bmp.BitCount;
        const std::uint32_t listed = colourCount == 0 ? most : std::min(colourCount, most);
        // Entries missing from a short palette stay black; the palette ends
        // where the pixels begin.
        const std::size_t paletteEnd =
            bmp.PixelOffset > paletteAt ? std::min<std::uint64_t>(bmp.PixelOffset, file.size()) : file.size();
        const std::size_t present = paletteAt < paletteEnd ? (paletteEnd - paletteAt) / entrySize : 0;
        const std::size_t count = std::min<std::size_t>(listed, present);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* at = &file[paletteAt + i * entrySize];
            bmp.Palette[i] = MakePixel(at[2], at[1], at[0]);
        }
        break;
    }
    case 16:
    case 32:
        if (bmp.Compression == CompressionBitFields || bmp.Compression == CompressionAlphaBitFields) {
            // A plain info header has the masks after it, later headers inside.
            if (!ReadMasks(file, headerSize == InfoHeaderSize ? paletteAt : FileHeaderSize + InfoHeaderSize, bmp)) {
                return "BMP file truncated";
            }
        } else if (bmp.Compression != CompressionRgb) {
            return "Unsupported BMP compression";
        } else if (bmp.BitCount == 16) {
            bmp.RedMask = 0x7C00;
            bmp.GreenMask = 0x03E0;
            bmp.BlueMask = 0x001F;
        } else {
            bmp.RedMask = 0x00FF0000;
            bmp.GreenMask = 0x0000FF00;
            bmp.BlueMask = 0x000000FF;
        }
        break;
    case 24:
        if (bmp.Compression != CompressionRgb) {
            return "Unsupported BMP compression";
        }
        break;
    default: return "Unsupported BMP bit count";
    }
    return nullptr;
}

TImageReadResult ReadRunLengthPixels(std::span<const std::uint8_t> file, const TBmpLayout& bmp)
{
    if (bmp.PixelOffset > file.size()) {
        return Failed("BMP file truncated");
    }
    TImageReadResult result;
    result.Image = TColourImage(static_cast<int>(bmp.Width), static_cast<int>(bmp.Height));
    const BmpRleKind kind = bmp.Compression == CompressionRle8 ? BmpRleKind::Rle8 : BmpRleKind::Rle4;
    if (const char* error = DecodeBmpRle(file.subspan(bmp.PixelOffset), kind, bmp.Palette, result.Image)) {
        return Failed(error);
    }
    return result;
}

}  // namespace

TImageReadResult ReadColourBmp(std::span<const std::uint8_t> file)
{
    TBmpLayout bmp;
    if (const char* error = ReadLayout(file, bmp)) {
        return ImageSizeTooLarge(bmp.Width, bmp.Height) ? ImageTooLarge(error, bmp.Width, bmp.Height) : Failed(error);
    }
    if (bmp.Compression == CompressionRle8 || bmp.Compression == CompressionRle4) {
        return ReadRunLengthPixels(file, bmp);
    }
    const std::uint64_t rowBits = static_cast<std::uint64_t>(bmp.Width) * static_cast<std::uint64_t>(bmp.BitCount);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row need not carry its padding.
    const std::uint64_t need = stride * static_cast<std::uint64_t>(bmp.Height - 1) + (rowBits + 7) / 8;
    if (bmp.PixelOffset > file.size() || need > file.size() - bmp.PixelOffset) {
        return Failed("BMP file truncated");
    }

    const TChannelMask red(bmp.RedMask), green(bmp.GreenMask), blue(bmp.BlueMask);
    TImageReadResult result;
    result.Image = TColourImage(static_cast<int>(bmp.Width), static_cast<int>(bmp.Height));
    TColourImage& image = result.Image;
    for (int y = 0; y < image.Height; ++y) {
        const std::int64_t stored = bmp.TopDown ? y : image.Height - 1 - y;
        const std::uint8_t* row = &file[bmp.PixelOffset + static_cast<std::uint64_t>(stored) * stride];
        for (int x = 0; x < image.Width; ++x) {
            std::uint32_t pixel = 0;
            switch (bmp.BitCount) {
            case 1: pixel = bmp.Palette[(row[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: pixel = bmp.Palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F]; break;
            case 8: pixel = bmp.Palette[row[x]]; break;
            case 24: pixel = MakePixel(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            case 16:
            case 32: {
                const std::uint32_t value = bmp.BitCount == 16 ? GetLe16(&row[2 * x]) : GetLe32(&row[4 * x]);
                pixel = MakePixel(red.Of(value), green.Of(value), blue.Of(value));
                break;
            }
            default: break;
            }
            image.At(x, y) = pixel;
        }
    }
    return result;
}

}  // namespace zk
