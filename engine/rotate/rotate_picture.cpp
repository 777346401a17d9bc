#include "engine/rotate/rotate_picture.h"

#include <algorithm>
#include <memory>
#include <span>

#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/pcx_row_decoder.h"
#include "engine/picture/pcx_row_encoder.h"

namespace zk {
namespace {

constexpr std::uint8_t AllPaper = 0xFF;

// A 1-bit image with whole-byte rows, a set bit paper as in PCX rows.
struct TMonoRows {
    int BytesPerLine = 0;
    int Height = 0;
    std::vector<std::uint8_t> Bits;

    TMonoRows(int bytesPerLine, int height)
        : BytesPerLine(bytesPerLine), Height(height),
          Bits(static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height), AllPaper)
    {
    }

    std::span<std::uint8_t> Row(int y)
    {
        return {Bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(BytesPerLine),
                static_cast<std::size_t>(BytesPerLine)};
    }
    bool IsInk(int x, int y) const
    {
        const std::uint8_t b = Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(BytesPerLine) +
                                    static_cast<std::size_t>(x / 8)];
        return (b & (0x80u >> (x % 8))) == 0;
    }
    void SetInk(int x, int y)
    {
        Bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(BytesPerLine) + static_cast<std::size_t>(x / 8)] &=
            static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
    }
};

// The rows of the block as drawing shows them.
TMonoRows DecodeBlock(const TPictureData& data, int height)
{
    TMonoRows image(data.BytesPerLine, height);
    TPcxRowReader rows(data.Rows, data.BytesPerLine);
    for (int y = 0; y < height && !rows.Ended(); ++y) {
        const auto row = rows.Next();
        std::copy(row.begin(), row.end(), image.Row(y).begin());
    }
    return image;
}

}  // namespace

std::optional<TTurnedPicture> TurnPicture(const TPictureFigure& figure)
{
    if (!figure.Data || figure.Width <= 0 || figure.Height <= 0) return std::nullopt;
    const int newWidth = figure.Height;
    const int newHeight = figure.Width;
    const int newBytesPerLine = ((newWidth + 15) / 16) * 2;
    if (newBytesPerLine > static_cast<int>(MaxPcxBytesPerLine) || newHeight > MaxPictureHeight) {
        return std::nullopt;
    }

    const TMonoRows source = DecodeBlock(*figure.Data, figure.Height);
    TMonoRows turned(newBytesPerLine, newHeight);
    const int dots = std::min<int>(figure.Width, source.BytesPerLine * 8);
    for (int y = 0; y < figure.Height; ++y) {
        for (int x = 0; x < dots; ++x) {
            if (source.IsInk(x, y)) turned.SetInk(figure.Height - 1 - y, x);
        }
    }

    TTurnedPicture result;
    result.Width = static_cast<std::int16_t>(newWidth);
    result.Height = static_cast<std::int16_t>(newHeight);
    result.BytesPerLine = static_cast<std::uint8_t>(newBytesPerLine);
    result.Image.resize(PcxHeaderSize);
    PutMonoPcxHeader(result.Image.data(), newWidth, newHeight, newBytesPerLine);
    for (int y = 0; y < newHeight; ++y) {
        EncodePcxRow(turned.Row(y), result.Image);
        if (result.Image.size() > MaxPcxImageLength) return std::nullopt;
    }
    return result;
}

void ReplacePictureData(TPictureFigure& figure, const TTurnedPicture& turned)
{
    std::copy(turned.Image.begin(), turned.Image.end(), PcxImageBuffer.PcxImage.begin());
    PcxImageBuffer.PcxImageLength = static_cast<std::uint16_t>(turned.Image.size());

    auto block = std::make_shared<TPictureData>();
    block->RefCount = figure.Data ? figure.Data->RefCount : 1;
    block->BytesPerLine = turned.BytesPerLine;
    block->Rows.assign(turned.Image.begin() + PcxHeaderSize, turned.Image.end());
    figure.DataLength = static_cast<std::uint16_t>(block->BlockLength());
    figure.Data = std::move(block);
    figure.Width = turned.Width;
    figure.Height = turned.Height;
}

bool RotatePictureData(TPictureFigure& figure)
{
    const auto turned = TurnPicture(figure);
    if (!turned) return false;
    ReplacePictureData(figure, *turned);
    return true;
}

}  // namespace zk
