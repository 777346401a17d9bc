#include "tests/support/test_pictures.h"

#include <cstdio>
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

}  // namespace zk::test
