#pragma once
// One edit template per figure kind: the figure dialogs fill a template and
// append it; editing a figure copies its payload into the template first.

#include <array>
#include <cstddef>

#include "engine/model/figures.h"

namespace zk {

extern TTextFigure TextTemplate;
extern TBarcodeFigure BarcodeTemplate;
extern TBarFigure BarTemplate;
extern TLineFigure LineTemplate;
extern TBoxFigure BoxTemplate;
extern TPictureFigure PictureTemplate;
extern TPdf417Figure Pdf417Template;

// The PDF417 data text while its dialog edits it.
inline constexpr std::size_t Pdf417DataBufferSize = 3072;
extern FixedString<Pdf417DataBufferSize> Pdf417DataBuffer;

// Fills the templates with their defaults; the picture name follows the
// configured PictureNumber, so this runs after the configuration is read.
void InitDefaultFigures();

// "PICT%04u" of the picture number modulo 10000.
FixedString<16> DefaultPictureName(std::int32_t pictureNumber);

}  // namespace zk
