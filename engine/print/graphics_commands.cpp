#include "engine/print/graphics_commands.h"

#include <algorithm>
#include <vector>

#include "engine/model/payload_codec.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/print/append_printf.h"

namespace zk {

std::uint8_t PictureByte(std::uint8_t byte, int width, int byteIndex)
{
    const int firstDot = 8 * byteIndex;
    if (width >= firstDot + 8) {
        return byte;
    }
    if (width <= firstDot) {
        return 0xFF;
    }
    return static_cast<std::uint8_t>(byte | (0xFF >> (width - firstDot)));
}

namespace {

// The bytes of a row from dot `firstDot` on, `count` of them: dots past the
// row's end are white paper.
void AppendRowFrom(std::string& out, std::span<const std::uint8_t> row, int firstDot, int count)
{
    const auto byteAt = [&](std::size_t i) -> unsigned { return i < row.size() ? row[i] : 0xFFu; };
    const int shift = firstDot % 8;
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(firstDot / 8 + i);
        const unsigned bits = shift == 0 ? byteAt(at) : byteAt(at) << shift | byteAt(at + 1) >> (8 - shift);
        out.push_back(static_cast<char>(bits & 0xFF));
    }
}

// Appends the GW command of a block of `rowCount` dot rows, each
// `bytesPerRow` bytes of which the first `widthDots` dots belong to the
// figure, placed at (x, y), cut in dots at the label's left and top edges:
// the dots left of the edge and the rows above it are left out and the
// rest starts at 0, so the printer gets exactly the dots the label shows
// there. rowAt(r) gives row r and is called for every row in order, also
// for those left out. Appends nothing when no dot is left.
template <typename RowAt>
void AppendClippedGraphic(std::string& out, int x, int y, int widthDots, int bytesPerRow, int rowCount, RowAt rowAt)
{
    const int cutDots = std::max(-x, 0);
    const int cutRows = std::max(-y, 0);
    const int dots = std::min(widthDots, 8 * bytesPerRow) - cutDots;
    if (dots <= 0 || rowCount <= cutRows) {
        return;
    }
    const int sentBytes = cutDots == 0 ? bytesPerRow : (dots + 7) / 8;
    AppendPrintf(out, "GW%d,%d,%d,%d,", std::max(x, 0), std::max(y, 0), sentBytes, rowCount - cutRows);
    for (int r = 0; r < rowCount; ++r) {
        const std::span<const std::uint8_t> row = rowAt(r);
        if (r >= cutRows) {
            AppendRowFrom(out, row, cutDots, sentBytes);
        }
    }
    out += "\r\n";
}

}  // namespace

std::string PictureGraphics(const TPictureFigure& picture)
{
    if (!picture.Data || picture.Data->BytesPerLine == 0 || picture.Height <= 0) {
        return {};
    }
    const int bytesPerLine = picture.Data->BytesPerLine;
    // The rows as drawing shows them, so the print matches the screen; the
    // byte count the command announced is always sent.
    TPcxRowReader rows(picture.Data->Rows, static_cast<std::size_t>(bytesPerLine));
    std::vector<std::uint8_t> whitened(static_cast<std::size_t>(bytesPerLine));
    std::string out;
    AppendClippedGraphic(out, picture.X, picture.Y, picture.Width, bytesPerLine, picture.Height, [&](int) {
        const auto row = rows.Next();
        for (std::size_t i = 0; i < whitened.size(); ++i) {
            whitened[i] = PictureByte(i < row.size() ? row[i] : 0xFF, picture.Width, static_cast<int>(i));
        }
        return std::span<const std::uint8_t>(whitened);
    });
    return out;
}

std::string GlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult,
                          std::span<const std::uint8_t> renderBuffer, const TLabelSetup& setup)
{
    if (x > setup.LabelWidth || y > setup.LabelLength || bytesPerRow > 512 || rows * vMult > 512) {
        return {};
    }
    // Beyond the printer's limits: a block must also lie inside the render
    // buffer, one buffer row holding at most 64 bytes.
    const std::size_t rowBytes = static_cast<std::size_t>(bytesPerRow);
    if (bytesPerRow <= 0 || rows <= 0 || vMult <= 0 || rowBytes > GlyphBufferRowBytes ||
        static_cast<std::size_t>(rows) * GlyphBufferRowBytes > renderBuffer.size()) {
        return {};
    }
    // Each glyph row goes vMult times, so the block is rows x vMult dots high.
    std::string out;
    AppendClippedGraphic(out, x, y, 8 * bytesPerRow, bytesPerRow, rows * vMult, [&](int r) {
        return renderBuffer.subspan(static_cast<std::size_t>(r / vMult) * GlyphBufferRowBytes, rowBytes);
    });
    return out;
}

std::array<std::uint8_t, PcxHeaderSize> PcxStoreHeader(const TPictureFigure& picture)
{
    std::array<std::uint8_t, PcxHeaderSize> header{};
    header[0] = 10;  // manufacturer
    header[1] = 5;   // version
    header[2] = 1;   // run-length encoding
    header[3] = 1;   // bits per pixel
    PutLe16(&header[8], static_cast<std::uint16_t>(picture.Width - 1));
    PutLe16(&header[10], static_cast<std::uint16_t>(picture.Height - 1));
    PutLe16(&header[12], 150);
    PutLe16(&header[14], 150);
    // Colour map: black, then white.
    header[19] = 255;
    header[20] = 255;
    header[21] = 255;
    header[65] = 1;  // planes
    PutLe16(&header[66], picture.Data ? picture.Data->BytesPerLine : 0);
    header[68] = 1;  // palette information
    return header;
}

}  // namespace zk
