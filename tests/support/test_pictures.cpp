#include "tests/support/test_pictures.h"

#include <cstdio>
#include <initializer_list>
#include <cstdlib>
#include <fstream>

#include <jpeglib.h>

namespace zk::test {

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::vector<std::uint8_t> Bmp24Bytes(const TColourImage& image)
{
    const std::size_t stride = (static_cast<std::size_t>(image.Width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> file(54 + stride * image.Height, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLe(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    PutLe(file, 10, 54, 4);
    PutLe(file, 14, 40, 4);
    PutLe(file, 18, static_cast<std::uint32_t>(image.Width), 4);
    PutLe(file, 22, static_cast<std::uint32_t>(image.Height), 4);
    PutLe(file, 26, 1, 2);
    PutLe(file, 28, 24, 2);
    for (int y = 0; y < image.Height; ++y) {
        const std::size_t row = 54 + stride * static_cast<std::size_t>(image.Height - 1 - y);
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            file[row + 3 * x] = BlueOf(pixel);
            file[row + 3 * x + 1] = GreenOf(pixel);
            file[row + 3 * x + 2] = RedOf(pixel);
        }
    }
    return file;
}

std::vector<std::uint8_t> JpegBytes(const TColourImage& image, const JpegWriteOptions& options)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.Width);
    info.image_height = static_cast<JDIMENSION>(image.Height);
    info.input_components = options.Greyscale ? 1 : 3;
    info.in_color_space = options.Greyscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.Quality, TRUE);
    if (options.Progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.Width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t pixel = image.At(x, y);
            if (options.Greyscale) {
                row[x] = GreenOf(pixel);
            } else {
                row[3 * x] = RedOf(pixel);
                row[3 * x + 1] = GreenOf(pixel);
                row[3 * x + 2] = BlueOf(pixel);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TColourImage QuarteredImage(int width, int height)
{
    TColourImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.At(x, y) = !bottom ? (right ? MakePixel(0, 255, 0) : MakePixel(255, 0, 0))
                                     : (right ? MakePixel(255, 255, 255) : MakePixel(0, 0, 255));
        }
    }
    return image;
}

std::vector<std::uint8_t> ExifOrientationBlock(int orientation, bool bigEndian)
{
    std::vector<std::uint8_t> block = {'E', 'x', 'i', 'f', 0, 0};
    const auto put16 = [&](unsigned value) {
        const auto high = static_cast<std::uint8_t>(value >> 8);
        const auto low = static_cast<std::uint8_t>(value);
        block.insert(block.end(), bigEndian ? std::initializer_list<std::uint8_t>{high, low}
                                            : std::initializer_list<std::uint8_t>{low, high});
    };
    const auto put32 = [&](std::uint32_t value) {
        put16(bigEndian ? value >> 16 : value & 0xFFFF);
        put16(bigEndian ? value & 0xFFFF : value >> 16);
    };
    block.insert(block.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                        : std::initializer_list<std::uint8_t>{'I', 'I'});
    put16(42);
    put32(8);  // the first IFD right after the header
    put16(2);
    put16(0x0131);  // Software, ASCII, 4 bytes held in the entry
    put16(2);
    put32(4);
    block.insert(block.end(), {'z', 'k', 0, 0});
    put16(0x0112);  // Orientation, one SHORT
    put16(3);
    put32(1);
    put16(static_cast<unsigned>(orientation));
    put16(0);
    put32(0);  // no next IFD
    return block;
}

std::vector<std::uint8_t> WithApp1Segment(const std::vector<std::uint8_t>& jpeg,
                                          const std::vector<std::uint8_t>& payload)
{
    // After SOI and, when there is one, the JFIF APP0 segment.
    std::size_t at = 2;
    if (jpeg.size() > 6 && jpeg[2] == 0xFF && jpeg[3] == 0xE0) {
        at = 4 + (std::size_t{jpeg[4]} << 8 | jpeg[5]);
    }
    const std::size_t length = payload.size() + 2;
    std::vector<std::uint8_t> file(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(at));
    file.insert(file.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
    file.insert(file.end(), payload.begin(), payload.end());
    file.insert(file.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end());
    return file;
}

}  // namespace zk::test
