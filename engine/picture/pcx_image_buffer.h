#pragma once
// The picture staging buffer: the last picture loaded from a file or
// fetched from the printer, kept as a PCX file image (128-byte header, then
// the run-length rows). The picture block of a figure is cut from it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zk {

inline constexpr std::size_t MaxPcxImageLength = 49280;
inline constexpr std::size_t PcxHeaderSize = 128;
// A picture block drops the header but keeps two bytes of its own
// (RefCount, BytesPerLine): block length = image length - 126.
inline constexpr std::size_t PcxHeaderToBlock = PcxHeaderSize - 2;
inline constexpr std::size_t MaxPcxBytesPerLine = 126;
inline constexpr int MaxPictureHeight = 1600;

// Offsets of the PCX header fields used here (little-endian values).
namespace PcxField {
inline constexpr std::size_t Manufacturer = 0;  // 10
inline constexpr std::size_t Version = 1;
inline constexpr std::size_t Encoding = 2;  // 1 = run-length
inline constexpr std::size_t BitsPerPixel = 3;
inline constexpr std::size_t Xmin = 4;
inline constexpr std::size_t Ymin = 6;
inline constexpr std::size_t Xmax = 8;
inline constexpr std::size_t Ymax = 10;
inline constexpr std::size_t HResolution = 12;
inline constexpr std::size_t VResolution = 14;
inline constexpr std::size_t Palette = 16;  // 16 RGB triples
inline constexpr std::size_t Reserved = 64;
inline constexpr std::size_t Planes = 65;
inline constexpr std::size_t BytesPerLine = 66;
inline constexpr std::size_t PaletteInfo = 68;
}  // namespace PcxField
inline constexpr std::uint8_t PcxManufacturer = 10;

struct TPcxImageBuffer {
    std::uint16_t PcxImageLength = 0;  // bytes of PcxImage in use
    std::array<std::uint8_t, MaxPcxImageLength> PcxImage{};

    std::span<const std::uint8_t> Image() const { return {PcxImage.data(), PcxImageLength}; }
};

extern TPcxImageBuffer PcxImageBuffer;

// The picture size a PCX header gives: Xmax - Xmin + 1 and Ymax - Ymin + 1
// (zero or negative for a header whose maximum is below its minimum).
int PcxWidth(std::span<const std::uint8_t> header);
int PcxHeight(std::span<const std::uint8_t> header);
int PcxBytesPerLine(std::span<const std::uint8_t> header);

// Writes the 128-byte header of a monochrome picture made here (a converted
// BMP, a turned picture): run-length, 1 bit per pixel, one plane, origin 0,
// 120 dots per inch and a grey palette.
void PutMonoPcxHeader(std::uint8_t* header, int width, int height, int bytesPerLine);

}  // namespace zk
