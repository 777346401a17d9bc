#include "engine/print/graphics_commands.h"

#include "engine/model/payload_codec.h"
#include "engine/print/append_printf.h"

namespace zk {

namespace {

// Decodes PCX run-length rows into exactly count bytes. A run is a byte of
// 0xC0 or more giving (byte & 0x3F) copies of the next byte. Data that end
// early are filled with white, so the printer always gets the byte count
// its command announced.
std::string DecodeRuns(const std::vector<std::uint8_t>& runs, std::size_t count)
{
    std::string bytes;
    bytes.reserve(count);
    std::size_t at = 0;
    while (bytes.size() < count && at < runs.size()) {
        const std::uint8_t code = runs[at++];
        if (code >= 0xC0) {
            if (at >= runs.size()) {
                break;
            }
            const std::size_t run = std::min<std::size_t>(code & 0x3F, count - bytes.size());
            bytes.append(run, static_cast<char>(runs[at++]));
        } else {
            bytes.push_back(static_cast<char>(code));
        }
    }
    bytes.resize(count, static_cast<char>(0xFF));
    return bytes;
}

}  // namespace

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
    const std::size_t rowCount = static_cast<std::size_t>(picture.Height);
    const std::size_t rowBytes = static_cast<std::size_t>(bytesPerLine);
    const std::string rows = DecodeRuns(picture.Data->Rows, rowCount * rowBytes);
    for (std::size_t r = static_cast<std::size_t>(firstRow); r < rowCount; ++r) {
        for (std::size_t i = 0; i < rowBytes; ++i) {
            out.push_back(static_cast<char>(PictureByte(static_cast<std::uint8_t>(rows[r * rowBytes + i]),
                                                        picture.Width, static_cast<int>(i))));
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
