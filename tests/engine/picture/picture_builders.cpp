#include "tests/engine/picture/picture_builders.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace zk::test {

namespace {

void Le16(Bytes& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Le32(Bytes& b, std::size_t at, std::uint32_t v)
{
    Le16(b, at, v & 0xFFFF);
    Le16(b, at + 2, v >> 16);
}

}  // namespace

Bytes MakePcx(const PcxLayout& layout)
{
    Bytes b(layout.fileSize, 0xFF);
    std::fill(b.begin(), b.begin() + std::min<std::size_t>(128, b.size()), 0);
    if (b.size() < 128) {
        b[0] = 10;
        return b;
    }
    b[0] = 10;
    b[1] = 5;
    b[2] = 1;
    b[3] = layout.bitsPerPixel;
    Le16(b, 8, layout.xmax);
    Le16(b, 10, layout.ymax);
    b[65] = layout.planes;
    Le16(b, 66, layout.bytesPerLine);
    return b;
}

Bytes MakeBmp(const BmpLayout& layout)
{
    const std::size_t rows = static_cast<std::size_t>(std::abs(layout.height));
    const std::size_t stride = static_cast<std::size_t>((layout.width * layout.bitCount + 31) / 32) * 4;
    const std::size_t pixelAt = 14 + 40 + 8;
    Bytes b(std::max(pixelAt + stride * rows, layout.padTo), 0);
    b[0] = 'B';
    b[1] = 'M';
    Le32(b, 2, static_cast<std::uint32_t>(b.size()));
    Le32(b, 10, pixelAt);
    Le32(b, 14, 40);
    Le32(b, 18, static_cast<std::uint32_t>(layout.width));
    Le32(b, 22, static_cast<std::uint32_t>(layout.height));
    Le16(b, 26, 1);
    Le16(b, 28, layout.bitCount);
    Le32(b, 54, layout.palette0);
    Le32(b, 58, layout.palette1);
    for (std::size_t y = 0; y < layout.rowsFromTop.size() && y < rows; ++y) {
        const std::size_t stored = layout.height < 0 ? y : rows - 1 - y;
        const Bytes& row = layout.rowsFromTop[y];
        std::copy(row.begin(), row.end(), b.begin() + static_cast<std::ptrdiff_t>(pixelAt + stored * stride));
    }
    return b;
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zk::test
