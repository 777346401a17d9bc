#pragma once
// Small PCX and BMP files built byte by byte for the picture tests.

#include <cstdint>
#include <string>
#include <vector>

namespace zk::test {

using Bytes = std::vector<std::uint8_t>;

struct PcxLayout {
    std::uint8_t bitsPerPixel = 1;
    std::uint8_t planes = 1;
    std::uint16_t bytesPerLine = 2;
    std::uint16_t xmax = 15;
    std::uint16_t ymax = 0;
    std::size_t fileSize = 130;  // header + this many - 128 row bytes (0xFF)
};
Bytes MakePcx(const PcxLayout& layout);

struct BmpLayout {
    std::int32_t width = 16;
    std::int32_t height = 2;  // negative: top row stored first
    std::uint16_t bitCount = 1;
    std::uint32_t palette0 = 0x00000000;  // black
    std::uint32_t palette1 = 0x00FFFFFF;  // white
    // Rows from the top, each as many bytes as the PCX row needs; stored
    // padded to the BMP's 4-byte stride in the order the height asks.
    std::vector<Bytes> rowsFromTop;
    // Zero bytes after the rows up to this size: the loader wants 128 at least.
    std::size_t padTo = 128;
};
Bytes MakeBmp(const BmpLayout& layout);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace zk::test
