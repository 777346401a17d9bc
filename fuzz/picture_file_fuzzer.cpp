// Feeds arbitrary bytes to the picture loader and cuts a picture block
// from whatever it staged.

#include <cstdint>
#include <span>

#include "engine/picture/picture_data.h"
#include "engine/picture/picture_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (zk::LoadPictureBytes(std::span(data, size)) != zk::PictureLoadFailed) {
        zk::MakePictureDataFromBuffer();
    }
    zk::ResetPictureState();
    return 0;
}
