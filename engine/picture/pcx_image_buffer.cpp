#include "engine/picture/pcx_image_buffer.h"

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

}  // namespace zk
