#include "engine/print/graphics_commands.h"

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

std::string PictureGraphics(const TPictureFigure& picture)
{
    if (!picture.Data || picture.Data->BytesPerLine == 0 || picture.Height <= 0) {
        return {};
    }
    const int bytesPerLine = picture.Data->BytesPerLine;
    const int firstRow = picture.Y < 0 ? -picture.Y : 0;
    if (firstRow >= picture.Height) {
        return {};
    }
    std::string out;
    if (picture.Y < 0) {
        AppendPrintf(out, "GW%d,0,%d,%d,", picture.X, bytesPerLine, picture.Y + picture.Height);
    } else {
        AppendPrintf(out, "GW%d,%d,%d,%d,", picture.X, picture.Y, bytesPerLine, picture.Height);
    }
    // The rows as drawing shows them, so the print matches the screen; the
    // byte count the command announced is always sent.
    TPcxRowReader rows(picture.Data->Rows, static_cast<std::size_t>(bytesPerLine));
    for (int r = 0; r < picture.Height; ++r) {
        const auto row = rows.Next();
        if (r < firstRow) {
            continue;
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            out.push_back(static_cast<char>(PictureByte(row[i], picture.Width, static_cast<int>(i))));
        }
    }
    out += "\r\n";
    return out;
}

std::string GlyphGraphics(int x, int y, int bytesPerRow, int rows, int vMult,
                          std::span<const std::uint8_t> renderBuffer, const TLabelSetup& setup)
{
    if (x > setup.LabelWidth || x + bytesPerRow < 0 || y > setup.LabelLength || y + rows < 0 || bytesPerRow > 512 ||
        rows * vMult > 512) {
        return {};
    }
    // Beyond the printer's limits: a block must also lie inside the render
    // buffer, one buffer row holding at most 64 bytes.
    const std::size_t rowBytes = static_cast<std::size_t>(bytesPerRow);
    if (bytesPerRow <= 0 || rows <= 0 || vMult <= 0 || rowBytes > GlyphBufferRowBytes ||
        static_cast<std::size_t>(rows) * GlyphBufferRowBytes > renderBuffer.size()) {
        return {};
    }
    std::string out;
    AppendPrintf(out, "GW%d,%d,%d,%d,", x, y, bytesPerRow, rows * vMult);
    for (int r = 0; r < rows; ++r) {
        const auto row = renderBuffer.subspan(static_cast<std::size_t>(r) * GlyphBufferRowBytes, rowBytes);
        for (int repeat = 0; repeat < vMult; ++repeat) {
            out.append(reinterpret_cast<const char*>(row.data()), row.size());
        }
    }
    out += "\r\n";
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
