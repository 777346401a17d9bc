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

// The GW command of a picture figure with its decoded rows, cut in dots at
// the label's left and top edges (the command then starts at 0); empty when
// the picture has no data or no dot right of and below those edges.
std::string PictureGraphics(const TPictureFigure& picture);

// The glyph render buffer the text renderer hands over: 64 bytes per row,
// the glyph's first row in buffer row 0.
inline constexpr std::size_t GlyphBufferRowBytes = 64;

// The GW command of one rendered glyph block, its rows vMult times each,
// cut in dots at the label's left and top edges as a picture is; empty when
// the block lies off the label or does not fit the buffer.
std::string GlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult,
                          std::span<const std::uint8_t> renderBuffer, const TLabelSetup& setup);

inline constexpr std::size_t PcxHeaderSize = 128;
// The PCX header that precedes a picture's run-length rows when it is
// stored in the printer.
std::array<std::uint8_t, PcxHeaderSize> PcxStoreHeader(const TPictureFigure& picture);

}  // namespace zk
