// Writes the sample label that shows every figure kind: a coffee bag label
// with a logo, texts in several fonts, EAN-13, Code 128 and Code 39
// barcodes, a PDF417 symbol, bars, a frame and dividing lines. The figures
// are fixed, so the file comes out byte for byte the same on every run.
//
//   make_sample_label <output.zlb>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/io/atomic_file.h"
#include "engine/labelfile/label_writer.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/picture/pcx_row_encoder.h"

namespace zk
{
namespace
{

constexpr int LabelWidth = 608;
constexpr int LabelLength = 560;
constexpr int LogoSide = 72;

// The logo: a black disc with a white coffee bean, its middle cut by a
// black S-curve. Bits are 1 for white, as in a monochrome PCX.
std::shared_ptr<TPictureData> MakeLogo()
{
    constexpr int bytesPerLine = LogoSide / 8;
    auto data = std::make_shared<TPictureData>();
    data->RefCount = 1;
    data->BytesPerLine = bytesPerLine;
    const double c = (LogoSide - 1) / 2.0;
    for (int y = 0; y < LogoSide; ++y) {
        std::vector<std::uint8_t> row(bytesPerLine, 0xFF);
        for (int x = 0; x < LogoSide; ++x) {
            const double dx = x - c;
            const double dy = y - c;
            const bool inDisc = dx * dx + dy * dy <= c * c;
            // The bean: an ellipse turned by 45 degrees.
            const double u = (dx + dy) * 0.7071;
            const double v = (dx - dy) * 0.7071;
            const bool inBean = (u * u) / (22.0 * 22.0) + (v * v) / (15.0 * 15.0) <= 1.0;
            // The groove: a narrow band along a gentle S-curve on the long axis.
            const double groove = v - 4.0 * (u / 22.0) * (u / 22.0) * (u > 0 ? 1.0 : -1.0);
            const bool inGroove = groove > -1.8 && groove < 1.8 && u > -19 && u < 19;
            const bool black = inDisc && !(inBean && !inGroove);
            if (black) {
                row[static_cast<std::size_t>(x / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
            }
        }
        EncodePcxRow(row, data->Rows);
    }
    return data;
}

TTextFigure Text(int x, int y, int font, int hMult, int vMult, const char* data)
{
    TTextFigure text;
    text.X = static_cast<std::int16_t>(x);
    text.Y = static_cast<std::int16_t>(y);
    text.Font = static_cast<std::int16_t>(font);
    text.HMult = static_cast<std::int16_t>(hMult);
    text.VMult = static_cast<std::int16_t>(vMult);
    text.Data = data;
    return text;
}

TBarcodeFigure Barcode(int type, int x, int y, int height, int narrow, int wide, const char* data)
{
    TBarcodeFigure barcode;
    barcode.Type = static_cast<std::int16_t>(type);
    barcode.X = static_cast<std::int16_t>(x);
    barcode.Y = static_cast<std::int16_t>(y);
    barcode.Height = static_cast<std::int16_t>(height);
    barcode.Narrow = static_cast<std::int16_t>(narrow);
    barcode.Wide = static_cast<std::int16_t>(wide);
    barcode.HumanReadable = 2;  // centred under the bars
    barcode.Data = data;
    return barcode;
}

void BuildLabel()
{
    LabelSetup.LabelWidth = LabelWidth;
    LabelSetup.LabelLength = LabelLength;

    // The frame and the header.
    AppendFigure(TBoxFigure{8, 8, LabelWidth - 8, LabelLength - 8, 4});
    TPictureFigure logo;
    logo.X = 24;
    logo.Y = 24;
    logo.Width = LogoSide;
    logo.Height = LogoSide;
    logo.Name = "BEAN";
    logo.Data = MakeLogo();
    logo.DataLength = static_cast<std::uint16_t>(logo.Data->BlockLength());
    AppendFigure(logo);
    AppendFigure(Text(112, 26, 4, 2, 2, "\"HIGHLAND ROAST\""));
    AppendFigure(Text(114, 80, 2, 1, 1, "\"Whole bean coffee - single origin\""));
    AppendFigure(TBarFigure{8, 112, LabelWidth - 16, 4, 0});

    // The details on the left, the PDF417 on the right, a line between.
    AppendFigure(Text(24, 132, 3, 1, 1, "\"Origin: Ethiopia\""));
    AppendFigure(Text(24, 160, 3, 1, 1, "\"Roast:  Medium\""));
    AppendFigure(Text(24, 188, 3, 1, 1, "\"Packed: 2026-11-02\""));
    AppendFigure(Text(24, 216, 3, 1, 1, "\"Lot:    A2417\""));
    AppendFigure(Text(24, 248, 1, 1, 1, "\"Store cool and dry.\""));
    AppendFigure(Text(24, 264, 1, 1, 1, "\"Grind just before brewing.\""));
    AppendFigure(Text(24, 288, 5, 1, 1, "\"1 kg\""));
    AppendFigure(TLineFigure{360, 124, 360, 336, 2, 0});
    // Centred in the column right of the line.
    TPdf417Figure pdf;
    pdf.X = 368;
    pdf.Y = 124;
    pdf.MaxWidth = 224;
    pdf.MaxHeight = 212;
    pdf.MaxCols = 16;  // start, stop and row indicators included
    pdf.MaxRows = 30;
    pdf.Position = 1;
    pdf.ModuleWidth = 2;
    pdf.ModuleHeight = 6;
    pdf.Data = "\"HIGHLAND ROAST|SIDAMO|MEDIUM|LOT A2417|1000 G\"";
    AppendFigure(pdf);
    AppendFigure(TLineFigure{8, 344, LabelWidth - 8, 344, 2, 0});

    // The barcodes.
    AppendFigure(Barcode(8, 36, 360, 80, 2, 4, "\"761234567890\""));  // EAN 13
    AppendFigure(Barcode(3, 300, 360, 80, 2, 4, "\"A2417-1KG\""));    // Code 128
    AppendFigure(Text(36, 482, 2, 1, 1, "\"Item\""));
    AppendFigure(Barcode(0, 96, 478, 32, 1, 3, "\"HR-1000\""));  // Code 39

    // The best-before strip: an inverting bar over its text turns it white
    // on black.
    AppendFigure(Text(346, 490, 2, 1, 2, "\"BEST BEFORE 11-2027\""));
    AppendFigure(TBarFigure{328, 476, 264, 60, 1});
}

}  // namespace
}  // namespace zk

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.zlb>\n", argv[0]);
        return 2;
    }
    zk::ResetEngineState();
    zk::BuildLabel();
    const zk::ByteSink bytes = zk::EncodeLabelFile();
    if (!zk::WriteFileAtomically(argv[1], bytes)) {
        std::fprintf(stderr, "%s: can't write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
