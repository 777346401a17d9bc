#include "engine/image/bmp_rle_decoder.h"

#include <algorithm>
#include <cstddef>

namespace zk {

namespace {

// Second byte of a code whose first byte is 0; larger values start a
// literal run of that many pixels.
constexpr std::uint8_t EndOfRow = 0;
constexpr std::uint8_t EndOfPicture = 1;
constexpr std::uint8_t Move = 2;

// The pen of the decoder: x from the left, y counting stored rows from the
// bottom. It never leaves the image by more than the picture's size, so
// steps beyond an edge add nothing and cannot overflow.
class RlePen {
public:
    RlePen(const std::array<std::uint32_t, 256>& palette, TColourImage& image) : m_palette(palette), m_image(image) {}

    bool PastTheTop() const { return m_y >= m_image.Height; }
    // Pixels of this row that still fit from the pen on.
    int RoomInRow() const { return PastTheTop() ? 0 : m_image.Width - m_x; }

    // Puts the next pixel of the row; the caller keeps within RoomInRow.
    void Put(std::uint8_t index)
    {
        m_image.At(m_x, m_image.Height - 1 - m_y) = m_palette[index];
        ++m_x;
    }
    void Skip(int pixels) { m_x = std::min(m_x + pixels, m_image.Width); }
    void NextRow(int rows)
    {
        m_y = std::min(m_y + rows, m_image.Height);
        m_x = 0;
    }
    void Rise(int rows) { m_y = std::min(m_y + rows, m_image.Height); }

private:
    const std::array<std::uint32_t, 256>& m_palette;
    TColourImage& m_image;
    int m_x = 0;
    int m_y = 0;
};

// Pixel i of a run or literal: a byte each in RLE8, a nibble each in RLE4,
// the high nibble first.
std::uint8_t PixelOf(std::span<const std::uint8_t> bytes, BmpRleKind kind, int i)
{
    if (kind == BmpRleKind::Rle8) {
        return bytes[static_cast<std::size_t>(i)];
    }
    const std::uint8_t byte = bytes[static_cast<std::size_t>(i / 2)];
    return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

}  // namespace

const char* DecodeBmpRle(std::span<const std::uint8_t> codes, BmpRleKind kind,
                         const std::array<std::uint32_t, 256>& palette, TColourImage& image)
{
    constexpr const char* Truncated = "BMP file truncated";
    std::fill(image.Pixels.begin(), image.Pixels.end(), palette[0]);
    RlePen pen(palette, image);
    std::size_t at = 0;
    const auto left = [&codes, &at] { return codes.size() - at; };
    while (!pen.PastTheTop()) {
        if (left() < 2) {
            return Truncated;
        }
        const std::uint8_t count = codes[at];
        const std::uint8_t value = codes[at + 1];
        at += 2;
        if (count > 0) {
            // A run repeats one byte: the same index, or in RLE4 its two
            // nibbles in turn. What passes the row's end is dropped.
            const std::uint8_t repeated[2] = {value, value};
            const int shown = std::min<int>(count, pen.RoomInRow());
            for (int i = 0; i < shown; ++i) {
                pen.Put(PixelOf(repeated, kind, i % 2));
            }
            pen.Skip(count - shown);
        } else if (value == EndOfRow) {
            pen.NextRow(1);
        } else if (value == EndOfPicture) {
            return nullptr;
        } else if (value == Move) {
            if (left() < 2) {
                return Truncated;
            }
            pen.Skip(codes[at]);
            pen.Rise(codes[at + 1]);
            at += 2;
        } else {
            // A literal run of value pixels, its bytes padded to a 16-bit word.
            const std::size_t bytes = kind == BmpRleKind::Rle8 ? value : (value + 1u) / 2u;
            if (left() < bytes) {
                return Truncated;
            }
            const auto literal = codes.subspan(at, bytes);
            const int shown = std::min<int>(value, pen.RoomInRow());
            for (int i = 0; i < shown; ++i) {
                pen.Put(PixelOf(literal, kind, i));
            }
            pen.Skip(value - shown);
            at += std::min(bytes + bytes % 2, left());
        }
    }
    // Rows or moves passed the last row: the picture is complete.
    return nullptr;
}

}  // namespace zk
