#pragma once
// The picture dialog's work on the picture figures of the label: names are
// unique per picture block, and a reloaded picture replaces the block of
// every figure that shares it.

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/model/figures.h"

namespace zk {

// A picture block just loaded, waiting for the picture dialog's OK.
struct TNewPicture {
    std::shared_ptr<TPictureData> Data;
    std::int16_t Width = 0;
    std::int16_t Height = 0;
    std::int32_t DataLength = 0;
};

// False when a picture figure of the label is named newName and newName
// is not oldName (the edited picture keeps its own name).
bool PictureNameIsFree(std::string_view newName, std::string_view oldName);

// Every picture figure named oldName takes newName.
void RenamePictureFigureGroup(std::string_view oldName, std::string_view newName);

// Every picture figure that points at oldData takes the new block, its size
// and newName; the block's RefCount becomes the number of figures moved.
// A null oldData moves nothing. oldData is taken by value, so that it may
// be a figure's own pointer.
void RepointPictureFigureGroup(std::shared_ptr<TPictureData> oldData, const TNewPicture& picture,
                               std::string_view newName);

}  // namespace zk
