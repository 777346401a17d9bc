#include "engine/picture/picture_data.h"

#include <new>

#include "engine/model/figure_list.h"
#include "engine/model/payload_codec.h"
#include "engine/picture/pcx_image_buffer.h"

namespace zk {

std::shared_ptr<TPictureData> NewPictureData;
std::int16_t NewPictureWidth = 0;
std::int16_t NewPictureHeight = 0;
std::int32_t NewPictureDataLength = 0;

bool MakePictureDataFromBuffer()
{
    const auto image = PcxImageBuffer.Image();
    // A printer reply is not checked by the file loader, so its header is
    // checked here before a block is cut from it.
    if (image.size() < PcxHeaderSize) {
        return false;
    }
    const int bytesPerLine = PcxBytesPerLine(image);
    const int width = PcxWidth(image);
    const int height = PcxHeight(image);
    if (bytesPerLine > static_cast<int>(MaxPcxBytesPerLine) || width < 1 || width > bytesPerLine * 8 ||
        height < 1 || height > MaxPictureHeight) {
        return false;
    }
    std::shared_ptr<TPictureData> block;
    try {
        block = std::make_shared<TPictureData>();
        block->Rows.assign(image.begin() + PcxHeaderSize, image.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    block->RefCount = 1;
    block->BytesPerLine = static_cast<std::uint8_t>(bytesPerLine);
    NewPictureData = std::move(block);
    NewPictureWidth = static_cast<std::int16_t>(width);
    NewPictureHeight = static_cast<std::int16_t>(height);
    NewPictureDataLength = static_cast<std::int32_t>(NewPictureData->BlockLength());
    return true;
}

bool IsPictureNameFree(std::string_view newName, std::string_view oldName)
{
    if (newName == oldName) {
        return true;
    }
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Name == newName) {
            return false;
        }
    }
    return true;
}

std::uint32_t RepointPictureFigures(const std::shared_ptr<TPictureData>& oldData, std::string_view oldName,
                                    const std::shared_ptr<TPictureData>& newData, std::string_view newName)
{
    if (newData) {
        newData->RefCount = 0;
    }
    std::uint32_t moved = 0;
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Picture)) {
            continue;
        }
        TPictureFigure& picture = figure->Picture();
        const bool match = oldData ? picture.Data == oldData : (!picture.Data && picture.Name == oldName);
        if (!match) {
            continue;
        }
        if (picture.Data && picture.Data->RefCount > 0) {
            --picture.Data->RefCount;
        }
        picture.Data = newData;
        // The length travels with the block: the label file writes that many bytes.
        picture.DataLength = newData ? static_cast<std::uint16_t>(newData->BlockLength()) : 0;
        picture.Width = NewPictureWidth;
        picture.Height = NewPictureHeight;
        picture.Name = newName;
        if (newData) {
            ++newData->RefCount;
        }
        ++moved;
    }
    return moved;
}

void RenamePictureFigures(std::string_view oldName, std::string_view newName)
{
    for (TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Name == oldName) {
            figure->Picture().Name = newName;
        }
    }
}

void ResetPictureState()
{
    NewPictureData.reset();
    NewPictureWidth = 0;
    NewPictureHeight = 0;
    NewPictureDataLength = 0;
    PcxImageBuffer.PcxImageLength = 0;
}

}  // namespace zk
