#include "engine/picture/picture_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/io/file_head.h"
#include "engine/model/payload_codec.h"
#include "engine/picture/mono_bmp.h"
#include "engine/picture/pcx_image_buffer.h"
#include "engine/picture/pcx_row_encoder.h"
#include "engine/report/reporting.h"

namespace zk {

namespace {

// The reason a load fails; a later failing check replaces an earlier one.
enum class LoadState : std::uint8_t {
    Ok,
    InvalidFormat,
    FileTooBig,
    NotMonochrome,
    HorizontalTooBig,
    VerticalTooBig,
};

int Fail(LoadState state)
{
    switch (state) {
    case LoadState::NotMonochrome:
        ShowMessageBox("Not monochrome graphics", "Use Color to Black && White converter");
        break;
    case LoadState::FileTooBig: ShowMessageBox("Error", "File too big"); break;
    case LoadState::HorizontalTooBig: ShowMessageBox("Error", "Horizontal size too big"); break;
    case LoadState::VerticalTooBig: ShowMessageBox("Error", "Vertical size too big"); break;
    case LoadState::InvalidFormat:
    case LoadState::Ok: ShowMessageBox("Error", "Invalid graphics format"); break;
    }
    return PictureLoadFailed;
}

// fileSize is the whole file's; file holds its bytes up to MaxBmpFileSize.
int LoadPcx(std::span<const std::uint8_t> file, std::size_t fileSize)
{
    if (fileSize < MinPcxFileSize || fileSize > MaxPcxImageLength) {
        return Fail(LoadState::FileTooBig);
    }
    std::memcpy(PcxImageBuffer.PcxImage.data(), file.data(), fileSize);
    PcxImageBuffer.PcxImageLength = static_cast<std::uint16_t>(fileSize);

    LoadState state = LoadState::Ok;
    if (file[PcxField::BitsPerPixel] != 1) {
        state = LoadState::NotMonochrome;
    }
    const int height = PcxHeight(file);
    // A maximum below its minimum would give a picture of no rows.
    if (height > MaxPictureHeight || height < 1) {
        state = LoadState::VerticalTooBig;
    }
    if (file[PcxField::Planes] != 1) {
        state = LoadState::NotMonochrome;
    }
    const int bytesPerLine = PcxBytesPerLine(file);
    // The rows must hold the width the header claims, or drawing would read
    // dots that are not there.
    const int width = PcxWidth(file);
    if (bytesPerLine > static_cast<int>(MaxPcxBytesPerLine) || width < 1 || width > bytesPerLine * 8) {
        state = LoadState::HorizontalTooBig;
    }
    return state == LoadState::Ok ? PictureLoadedPcx : Fail(state);
}

int LoadBmp(std::span<const std::uint8_t> file, std::size_t fileSize)
{
    if (fileSize < MinBmpFileSize || fileSize > MaxBmpFileSize) {
        return Fail(LoadState::FileTooBig);
    }
    TMonoBmp bmp;
    const BmpStatus status = ReadMonoBmpHeader(file, bmp);
    if (status == BmpStatus::NotMonochrome) {
        return Fail(LoadState::NotMonochrome);
    }
    if (status != BmpStatus::Ok) {
        return Fail(LoadState::InvalidFormat);
    }
    LoadState state = LoadState::Ok;
    if (bmp.Width <= 0 || bmp.Width >= MaxBmpWidthExcluded) {
        state = LoadState::HorizontalTooBig;
    }
    if (bmp.Height == 0 || bmp.Height > MaxPictureHeight) {
        state = LoadState::VerticalTooBig;
    }
    if (state != LoadState::Ok) {
        return Fail(state);
    }
    if (!BmpPixelsPresent(file, bmp)) {
        return Fail(LoadState::InvalidFormat);
    }

    const int width = static_cast<int>(bmp.Width);
    const int height = static_cast<int>(bmp.Height);
    const int bytesPerLine = ((width + 15) / 16) * 2;
    // Dots past the width become paper, whatever the file's padding holds.
    const int tailBits = bytesPerLine * 8 - width;

    std::vector<std::uint8_t> image(PcxHeaderSize);
    image.reserve(MaxPcxImageLength);
    PutMonoPcxHeader(image.data(), width, height, bytesPerLine);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(bytesPerLine));
    for (int y = 0; y < height; ++y) {
        const auto stored = BmpRowFromTop(file, bmp, y);
        for (int i = 0; i < bytesPerLine; ++i) {
            row[i] = bmp.Invert ? static_cast<std::uint8_t>(~stored[i]) : stored[i];
        }
        for (int bit = 0; bit < tailBits; ++bit) {
            row[bytesPerLine - 1 - bit / 8] |= static_cast<std::uint8_t>(1u << (bit % 8));
        }
        EncodePcxRow(row, image);
        if (2 + image.size() > MaxConvertedImage) {
            return Fail(LoadState::FileTooBig);
        }
    }
    std::copy(image.begin(), image.end(), PcxImageBuffer.PcxImage.begin());
    PcxImageBuffer.PcxImageLength = static_cast<std::uint16_t>(image.size());
    return PictureLoadedBmp;
}

int LoadPicture(std::span<const std::uint8_t> file, std::size_t fileSize)
{
    if (file.size() >= 1 && file[0] == PcxManufacturer) {
        return LoadPcx(file, fileSize);
    }
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') {
        return LoadBmp(file, fileSize);
    }
    return Fail(LoadState::InvalidFormat);
}

}  // namespace

int LoadPictureBytes(std::span<const std::uint8_t> file)
{
    return LoadPicture(file.first(std::min(file.size(), MaxBmpFileSize)), file.size());
}

int LoadPictureFile(const std::string& path)
{
    // Neither format accepts more than MaxBmpFileSize bytes, so only that
    // much is ever read; the size tests use the whole size.
    const auto head = ReadFileHead(path, MaxBmpFileSize);
    if (!head) {
        ShowMessageBox("Error", "Can't open input file");
        return PictureLoadFailed;
    }
    return LoadPicture(head->Bytes, static_cast<std::size_t>(head->FileSize));
}

}  // namespace zk
