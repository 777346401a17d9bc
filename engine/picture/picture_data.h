#pragma once
// Turning the staged picture into the shared picture block of picture
// figures, and the operations the picture dialog uses on the figures that
// share a block or a name.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/model/figures.h"

namespace zk {

// Hand-over to the picture dialog: the block MakePictureData built last
// (RefCount 1) and its size, until the dialog takes it over.
extern std::shared_ptr<TPictureData> NewPictureData;
extern std::int16_t NewPictureWidth;
extern std::int16_t NewPictureHeight;
extern std::int32_t NewPictureDataLength;

// fromFile: name is a file path (LoadPictureFile); otherwise the printer
// graphic of that name is fetched (ExtractGraphicsToBuffer), and a failure
// shows "Can't extract from printer"; while another exchange holds the
// port it only beeps. True when NewPictureData was built.
bool MakePictureData(const std::string& name, bool fromFile);

// Builds NewPictureData from the staging buffer; false (and nothing changed)
// when the staged image is no picture a block can be cut from.
bool MakePictureDataFromBuffer();

// False when a picture figure is named newName and newName differs from oldName.
bool IsPictureNameFree(std::string_view newName, std::string_view oldName);

// Moves every picture figure of the old block to newData: Data, DataLength,
// Width and Height (NewPictureWidth, NewPictureHeight) and Name := newName;
// newData's RefCount becomes the number of figures moved. When oldData is
// null (the figure had no data yet) only the data-less figures named
// oldName move, never every figure without data. Returns the count moved.
std::uint32_t RepointPictureFigures(const std::shared_ptr<TPictureData>& oldData, std::string_view oldName,
                                    const std::shared_ptr<TPictureData>& newData, std::string_view newName);

// Every picture figure named oldName gets newName.
void RenamePictureFigures(std::string_view oldName, std::string_view newName);

// Back to program start: no block handed over.
void ResetPictureState();

}  // namespace zk
