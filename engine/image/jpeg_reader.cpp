#include "engine/image/jpeg_reader.h"

#include <csetjmp>
#include <cstdio>
#include <span>
#include <vector>

#include <jpeglib.h>

#include "engine/image/exif_orientation.h"

namespace zk {

namespace {

// A progressive file of more scans than this is a decoding trap, not a picture.
constexpr int MaxProgressiveScans = 500;

// libjpeg's fatal errors land here by longjmp instead of ending the process.
struct TErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TErrorManager*>(info->err);
    errors->Base.format_message(info, errors->Message);
    std::longjmp(errors->Escape, 1);
}

// Warnings (a truncated stream, a bad marker) do not stop decoding and are not shown.
void OutputMessage(j_common_ptr) {}

void CountScans(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->progressive_mode && info->input_scan_number > MaxProgressiveScans) {
        auto* errors = reinterpret_cast<TErrorManager*>(info->err);
        std::snprintf(errors->Message, sizeof errors->Message, "Too many scans in progressive JPEG");
        std::longjmp(errors->Escape, 1);
    }
}

// The orientation of the first EXIF block among the saved APP1 segments.
ExifOrientation SavedOrientation(const jpeg_decompress_struct& info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1) {
            continue;
        }
        const std::span<const std::uint8_t> payload(marker->data, marker->data_length);
        if (IsExifBlock(payload)) {
            return ExifOrientationOf(payload);
        }
    }
    return ExifOrientation::Upright;
}

struct TDecoder {
    jpeg_decompress_struct Info{};
    TErrorManager Errors{};
    jpeg_progress_mgr Progress{};
};

std::uint32_t PixelOf(const JSAMPLE* sample, int components, bool adobeInverted)
{
    switch (components) {
    case 1: return MakePixel(sample[0], sample[0], sample[0]);
    case 3: return MakePixel(sample[0], sample[1], sample[2]);
    default: {
        // CMYK: Adobe's files store the inks inverted.
        const unsigned c = adobeInverted ? sample[0] : 255u - sample[0];
        const unsigned m = adobeInverted ? sample[1] : 255u - sample[1];
        const unsigned y = adobeInverted ? sample[2] : 255u - sample[2];
        const unsigned k = adobeInverted ? sample[3] : 255u - sample[3];
        return MakePixel(static_cast<std::uint8_t>(c * k / 255), static_cast<std::uint8_t>(m * k / 255),
                         static_cast<std::uint8_t>(y * k / 255));
    }
    }
}

// Everything that changes after setjmp lives in decoder and result, which
// belong to the caller's frame, so nothing here is left indeterminate.
bool Decode(TDecoder& decoder, std::span<const std::uint8_t> file, const JpegDecodeOptions& options,
            TImageReadResult& result, std::vector<JSAMPLE>& row)
{
    jpeg_decompress_struct& info = decoder.Info;
    if (setjmp(decoder.Errors.Escape) != 0) {
        result.Error = decoder.Errors.Message;
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &decoder.Progress;
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    // APP1 holds the EXIF block; a segment is at most 65533 bytes.
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    const ExifOrientation orientation = SavedOrientation(info);
    if (!ImageSizeAllowed(info.image_width, info.image_height)) {
        if (ImageSizeTooLarge(info.image_width, info.image_height)) {
            // The size the user knows the photo by: standing upright.
            const TUprightPlacement upright = UprightPlacement(static_cast<int>(info.image_width),
                                                               static_cast<int>(info.image_height), orientation);
            result = ImageTooLarge("JPEG size out of range", upright.Width, upright.Height);
        } else {
            result.Error = "JPEG size out of range";
        }
        return false;
    }
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: info.out_color_space = JCS_CMYK; break;
    default: info.out_color_space = JCS_RGB; break;
    }
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(options.ScaleDenominator);
    if (options.Fastest) {
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
        info.do_block_smoothing = FALSE;
    }
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3 && components != 4) {
        result.Error = "Unsupported JPEG colour space";
        return false;
    }
    // Each pixel goes straight to its place in the upright picture, as the
    // camera's orientation tag says, so that no second copy is needed.
    const int storedWidth = static_cast<int>(info.output_width);
    const TUprightPlacement placement =
        UprightPlacement(storedWidth, static_cast<int>(info.output_height), orientation);
    result.Image = TColourImage(placement.Width, placement.Height);
    row.resize(static_cast<std::size_t>(info.output_width) * static_cast<std::size_t>(components));
    const bool adobeInverted = info.saw_Adobe_marker != 0;
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            result.Error = "JPEG data ends early";
            return false;
        }
        for (int x = 0; x < storedWidth; ++x) {
            result.Image.Pixels[placement.IndexOf(x, y)] =
                PixelOf(&row[static_cast<std::size_t>(x) * components], components, adobeInverted);
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

TImageReadResult ReadJpeg(std::span<const std::uint8_t> file, const JpegDecodeOptions& options)
{
    TImageReadResult result;
    const int denominator = options.ScaleDenominator;
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8) {
        result.Error = "Unsupported JPEG scale";
        return result;
    }
    if (file.empty()) {
        result.Error = "Empty JPEG file";
        return result;
    }
    TDecoder decoder;
    decoder.Info.err = jpeg_std_error(&decoder.Errors.Base);
    decoder.Errors.Base.error_exit = ErrorExit;
    decoder.Errors.Base.output_message = OutputMessage;
    decoder.Progress.progress_monitor = CountScans;
    std::vector<JSAMPLE> row;
    if (!Decode(decoder, file, options, result, row)) {
        result.Image = {};
    }
    jpeg_destroy_decompress(&decoder.Info);
    return result;
}

}  // namespace zk
