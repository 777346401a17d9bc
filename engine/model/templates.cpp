#include "engine/model/templates.h"

#include <cstdio>

#include "engine/model/label_setup.h"

namespace zk {

TTextFigure TextTemplate;
TBarcodeFigure BarcodeTemplate;
TBarFigure BarTemplate;
TLineFigure LineTemplate;
TBoxFigure BoxTemplate;
TPictureFigure PictureTemplate;
TPdf417Figure Pdf417Template;
FixedString<Pdf417DataBufferSize> Pdf417DataBuffer;

FixedString<16> DefaultPictureName(std::int32_t pictureNumber)
{
    char name[16];
    std::snprintf(name, sizeof name, "PICT%04u", static_cast<unsigned>(pictureNumber) % 10000u);
    return FixedString<16>(name);
}

void InitDefaultFigures()
{
    TextTemplate = TTextFigure{};
    TextTemplate.X = 40;
    TextTemplate.Y = 40;
    TextTemplate.HMult = 1;
    TextTemplate.VMult = 1;
    TextTemplate.Font = 3;
    TextTemplate.Data = "\"Text\"";

    BarcodeTemplate = TBarcodeFigure{};
    BarcodeTemplate.Type = 8;  // EAN 13
    BarcodeTemplate.X = 40;
    BarcodeTemplate.Y = 40;
    BarcodeTemplate.Height = 80;
    BarcodeTemplate.Narrow = 2;
    BarcodeTemplate.Wide = 3;
    BarcodeTemplate.HumanReadable = 2;
    BarcodeTemplate.Data = "\"123456789012\"";

    BarTemplate = TBarFigure{40, 40, 100, 20, 0};
    LineTemplate = TLineFigure{40, 40, 140, 90, 4, 0};
    BoxTemplate = TBoxFigure{40, 40, 140, 90, 4};

    PictureTemplate = TPictureFigure{};
    PictureTemplate.X = 40;
    PictureTemplate.Y = 40;
    PictureTemplate.Name = DefaultPictureName(Settings.PictureNumber);

    Pdf417Template = TPdf417Figure{};
    Pdf417Template.X = 40;
    Pdf417Template.Y = 40;
    Pdf417Template.MaxWidth = 170;
    Pdf417Template.MaxHeight = 64;
    Pdf417Template.MaxCols = 16;
    Pdf417Template.MaxRows = 30;
    Pdf417Template.Position = 1;
    Pdf417Template.ModuleWidth = 6;
    Pdf417Template.ModuleHeight = 24;

    Pdf417DataBuffer = "\"PDF417\"";
}

}  // namespace zk
