#pragma once
// Pictures and glyphs as printer graphics: the raw GW graphics of a test
// print with direct graphics, and the PCX header of a picture stored in the
// printer. Raw graphics rows are bytes, most significant bit first, a set
// bit being white paper.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/model/figures.h"
#include "engine/model/label_setup.h"

namespace zk {

// One byte of a picture row with the bits beyond the picture's width
// whitened: the PCX rows are padded to whole bytes and the pad is not ink.
std::uint8_t PictureByte(std::uint8_t byte, int width, int byteIndex);

// The GW command of a picture figure with its decoded rows, the rows above
// the label top left out; empty when the picture has no data or no row on
// the label.
std::string PictureGraphics(const TPictureFigure& picture);

// The glyph render buffer the text renderer hands over: 64 bytes per row,
// the glyph's first row in buffer row 0.
inline constexpr std::size_t GlyphBufferRowBytes = 64;

// The GW command of one rendered glyph block, its rows vMult times each;
// empty when the block lies off the label or does not fit the buffer.
std::string GlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult,
                          std::span<const std::uint8_t> renderBuffer, const TLabelSetup& setup);

inline constexpr std::size_t PcxHeaderSize = 128;
// The PCX header that precedes a picture's run-length rows when it is
// stored in the printer.
std::array<std::uint8_t, PcxHeaderSize> PcxStoreHeader(const TPictureFigure& picture);

}  // namespace zk
