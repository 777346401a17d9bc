#include "engine/picture/pcx_image_buffer.h"

#include <cstring>

#include "engine/model/payload_codec.h"

namespace zk {

TPcxImageBuffer PcxImageBuffer;

int PcxWidth(std::span<const std::uint8_t> header)
{
    return int{GetLe16(&header[PcxField::Xmax])} - int{GetLe16(&header[PcxField::Xmin])} + 1;
}

int PcxHeight(std::span<const std::uint8_t> header)
{
    return int{GetLe16(&header[PcxField::Ymax])} - int{GetLe16(&header[PcxField::Ymin])} + 1;
}

int PcxBytesPerLine(std::span<const std::uint8_t> header)
{
    return GetLe16(&header[PcxField::BytesPerLine]);
}

void PutMonoPcxHeader(std::uint8_t* header, int width, int height, int bytesPerLine)
{
    std::memset(header, 0, PcxHeaderSize);
    header[PcxField::Manufacturer] = PcxManufacturer;
    header[PcxField::Version] = 5;
    header[PcxField::Encoding] = 1;
    header[PcxField::BitsPerPixel] = 1;
    PutLe16(&header[PcxField::Xmax], static_cast<std::uint16_t>(width - 1));
    PutLe16(&header[PcxField::Ymax], static_cast<std::uint16_t>(height - 1));
    PutLe16(&header[PcxField::HResolution], 120);
    PutLe16(&header[PcxField::VResolution], 120);
    for (int i = 0; i < 16; ++i) {
        const auto grey = static_cast<std::uint8_t>(15 - i);
        std::memset(&header[PcxField::Palette + 3 * i], grey, 3);
    }
    header[PcxField::Planes] = 1;
    PutLe16(&header[PcxField::BytesPerLine], static_cast<std::uint16_t>(bytesPerLine));
    PutLe16(&header[PcxField::PaletteInfo], 1);
}

}  // namespace zk
