// Feeds arbitrary bytes to the colour converter's picture readers: the BMP
// reader (uncompressed and run-length compressed), and the JPEG decoder at
// full scale and at the preview's fastest eighth. An accepted picture has
// exactly its pixels.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/image/colour_bmp_reader.h"
#include "engine/image/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span bytes(data, size);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        const zk::TImageReadResult bmp = zk::ReadColourBmp(bytes);
        if (bmp.Ok() && bmp.Image.Pixels.size() != static_cast<std::size_t>(bmp.Image.Width) *
                                                        static_cast<std::size_t>(bmp.Image.Height)) {
            std::abort();
        }
    } else {
        zk::ReadJpeg(bytes);
        zk::ReadJpeg(bytes, {8, true});
    }
    return 0;
}
