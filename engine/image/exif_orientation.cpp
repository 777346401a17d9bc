#include "engine/image/exif_orientation.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace zk {

namespace {

constexpr std::array<std::uint8_t, 6> ExifSignature = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t TiffMagic = 42;
constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t ShortType = 3;
constexpr std::size_t TiffHeaderSize = 8;
constexpr std::size_t IfdEntrySize = 12;

// Reads of the TIFF data in its own byte order; every read is checked by
// its caller against the data's end first.
class TTiffData {
public:
    TTiffData(std::span<const std::uint8_t> bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}

    bool Holds(std::size_t offset, std::size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    std::uint16_t Word(std::size_t at) const
    {
        const unsigned first = m_bytes[at];
        const unsigned second = m_bytes[at + 1];
        return static_cast<std::uint16_t>(m_bigEndian ? first << 8 | second : second << 8 | first);
    }
    std::uint32_t Long(std::size_t at) const
    {
        const std::uint32_t high = m_bigEndian ? Word(at) : Word(at + 2);
        const std::uint32_t low = m_bigEndian ? Word(at + 2) : Word(at);
        return high << 16 | low;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian;
};

}  // namespace

bool IsExifBlock(std::span<const std::uint8_t> app1Payload)
{
    return app1Payload.size() >= ExifSignature.size() &&
           std::equal(ExifSignature.begin(), ExifSignature.end(), app1Payload.begin());
}

ExifOrientation ExifOrientationOf(std::span<const std::uint8_t> app1Payload)
{
    constexpr ExifOrientation none = ExifOrientation::Upright;
    if (!IsExifBlock(app1Payload) || app1Payload.size() < ExifSignature.size() + TiffHeaderSize) {
        return none;
    }
    const std::span<const std::uint8_t> tiff = app1Payload.subspan(ExifSignature.size());
    const bool littleEndian = tiff[0] == 'I' && tiff[1] == 'I';
    const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
    if (!littleEndian && !bigEndian) {
        return none;
    }
    const TTiffData data(tiff, bigEndian);
    if (data.Word(2) != TiffMagic) {
        return none;
    }
    // Only the first IFD is read, so no chain of offsets can loop.
    const std::uint32_t ifd = data.Long(4);
    if (ifd < TiffHeaderSize || !data.Holds(ifd, 2)) {
        return none;
    }
    // An IFD that claims more entries than the block holds is not trusted
    // for any of them.
    const std::uint16_t entries = data.Word(ifd);
    if (!data.Holds(ifd + 2, entries * IfdEntrySize)) {
        return none;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + i * IfdEntrySize;
        if (data.Word(entry) != OrientationTag) {
            continue;
        }
        // One SHORT, held in the entry's value field itself.
        if (data.Word(entry + 2) != ShortType || data.Long(entry + 4) != 1) {
            return none;
        }
        const std::uint16_t value = data.Word(entry + 8);
        return value >= 1 && value <= 8 ? static_cast<ExifOrientation>(value) : none;
    }
    return none;
}

TUprightPlacement UprightPlacement(int storedWidth, int storedHeight, ExifOrientation orientation)
{
    const std::ptrdiff_t w = storedWidth;
    const std::ptrdiff_t h = storedHeight;
    switch (orientation) {
    case ExifOrientation::Upright: break;
    case ExifOrientation::Mirrored: return {storedWidth, storedHeight, w - 1, -1, w};
    case ExifOrientation::HalfTurn: return {storedWidth, storedHeight, (h - 1) * w + w - 1, -1, -w};
    case ExifOrientation::Flipped: return {storedWidth, storedHeight, (h - 1) * w, 1, -w};
    case ExifOrientation::Transposed: return {storedHeight, storedWidth, 0, h, 1};
    case ExifOrientation::QuarterClockwise: return {storedHeight, storedWidth, h - 1, h, -1};
    case ExifOrientation::Transversed: return {storedHeight, storedWidth, (w - 1) * h + h - 1, -h, -1};
    case ExifOrientation::QuarterAnticlockwise: return {storedHeight, storedWidth, (w - 1) * h, -h, 1};
    }
    return {storedWidth, storedHeight, 0, 1, w};
}

}  // namespace zk
