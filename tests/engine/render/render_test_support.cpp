#include "tests/engine/render/render_test_support.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/render/label_image.h"

namespace zk::test {

std::string Pixels(int x, int y, int width, int height)
{
    std::string art;
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col) {
            const std::uint32_t p = LabelImage.Pixel(col, row);
            art.push_back(p == Black ? '#' : p == White ? '.' : p == Red ? 'r' : '?');
        }
        art.push_back('\n');
    }
    return art;
}

int CountPixels(std::uint32_t colour)
{
    const std::uint32_t* bits = LabelImage.Bits();
    const std::size_t size = static_cast<std::size_t>(LabelImage.Width()) * static_cast<std::size_t>(LabelImage.Height());
    return static_cast<int>(std::count(bits, bits + size, colour));
}

std::optional<TDecoded> DecodeLabel(std::string_view format, const TDecodeOptions& options)
{
    return DecodeGrey(LabelImageAsGrey(), LabelImage.Width(), LabelImage.Height(), format, options);
}

TPictureFigure PictureFigure(int width, int height, std::uint8_t bytesPerLine, std::vector<std::uint8_t> rows)
{
    auto data = std::make_shared<TPictureData>();
    data->RefCount = 1;
    data->BytesPerLine = bytesPerLine;
    data->Rows = std::move(rows);
    TPictureFigure figure;
    figure.Width = static_cast<std::int16_t>(width);
    figure.Height = static_cast<std::int16_t>(height);
    figure.DataLength = static_cast<std::uint16_t>(data->BlockLength());
    figure.Name = "LOGO";
    figure.Data = std::move(data);
    return figure;
}

}  // namespace zk::test
