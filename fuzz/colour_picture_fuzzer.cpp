// Feeds arbitrary bytes to the colour converter's picture readers: the BMP
// reader, and the JPEG decoder at full scale and at the preview's fastest
// eighth.

#include <cstdint>
#include <span>

#include "engine/image/colour_bmp_reader.h"
#include "engine/image/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span bytes(data, size);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        zk::ReadColourBmp(bytes);
    } else {
        zk::ReadJpeg(bytes);
        zk::ReadJpeg(bytes, {8, true});
    }
    return 0;
}
