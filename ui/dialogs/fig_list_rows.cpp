#include "ui/dialogs/fig_list_rows.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/barcode/barcode_types.h"
#include "engine/config/translation.h"
#include "engine/model/figure_list.h"
#include "engine/text/glyph_lookup.h"

namespace zk {

namespace {

// Fonts 0..5 are the printer's own; from 6 on they are the label's soft fonts.
constexpr int FirstSoftFont = 6;

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    return length > 0 ? std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1))
                      : std::string();
}

std::string RotationName(int rotation)
{
    static constexpr const char* NAMES[] = {"None", "90 deg", "180 deg", "270 deg"};
    return rotation >= 0 && rotation < 4 ? NAMES[rotation] : "";
}

std::string TextFontPart(const TTextFigure& text)
{
    const bool multiplied = text.HMult != 1 || text.VMult != 1;
    if (text.Font < FirstSoftFont) {
        return multiplied ? Format("(Font %d, Multiplied %dx%d)", text.Font, text.HMult, text.VMult)
                          : Format("(Font %d)", text.Font);
    }
    // A soft font that the label no longer holds still gets a readable row.
    char letter = SoftFontLetter(text.Font);
    if (letter == '\0') {
        letter = '?';
    }
    return multiplied ? Format("(Loadable font %c, Multiplied %dx%d)", letter, text.HMult, text.VMult)
                      : Format("(Loadable font %c)", letter);
}

std::string BarcodeTypeName(int type)
{
    return BarcodeTypeFromIndex(type) ? std::string(BarcodeTypes[static_cast<std::size_t>(type)].Name) : "";
}

}  // namespace

int ListedFigureCount()
{
    int count = 0;
    for (const TFigure* figure : Figures()) {
        count += figure->Is(TFigureKind::Font) ? 0 : 1;
    }
    return count;
}

TFigure* FigureOfListRow(int row)
{
    if (row < 1) {
        return nullptr;
    }
    int counted = 0;
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Font) && ++counted == row) {
            return figure;
        }
    }
    return nullptr;
}

TFigureListCells FigureListCells(const TFigure& figure, int row)
{
    TFigureListCells cells;
    cells[0] = " " + std::to_string(row);
    cells[1] = figure.IsSelected() ? "#" : "";
    switch (figure.Kind()) {
        case TFigureKind::Text: {
            const TTextFigure& text = figure.Text();
            cells[2] = "Text  " + TextFontPart(text);
            cells[3] = std::to_string(text.X);
            cells[4] = std::to_string(text.Y);
            cells[5] = RotationName(text.Rotation);
            cells[6] = TranslateToAnsi(text.Data.view());
            break;
        }
        case TFigureKind::Barcode: {
            const TBarcodeFigure& barcode = figure.Barcode();
            cells[2] = "Barcode  " + BarcodeTypeName(barcode.Type);
            cells[3] = std::to_string(barcode.X);
            cells[4] = std::to_string(barcode.Y);
            cells[5] = RotationName(barcode.Rotation);
            cells[6] = TranslateToAnsi(barcode.Data.view());
            break;
        }
        case TFigureKind::Bar: {
            const TBarFigure& bar = figure.Bar();
            cells[2] = Format("Rectangle  (Size %dx%d)", bar.Width, bar.Height);
            cells[3] = std::to_string(bar.X);
            cells[4] = std::to_string(bar.Y);
            break;
        }
        case TFigureKind::Line: {
            const TLineFigure& line = figure.Line();
            cells[2] = Format("Line  (%d,%d to %d,%d)", line.X1, line.Y1, line.X2, line.Y2);
            break;
        }
        case TFigureKind::Box: {
            const TBoxFigure& box = figure.Box();
            cells[2] = Format("Box  (Size %dx%d)", std::abs(box.X2 - box.X1), std::abs(box.Y2 - box.Y1));
            cells[3] = std::to_string(std::min(box.X1, box.X2));
            cells[4] = std::to_string(std::min(box.Y1, box.Y2));
            break;
        }
        case TFigureKind::Picture: {
            const TPictureFigure& picture = figure.Picture();
            cells[2] = "Picture  \"" + picture.Name.str() + "\"  " +
                       Format("(Size %dx%d)", picture.Width, picture.Height);
            cells[3] = std::to_string(picture.X);
            cells[4] = std::to_string(picture.Y);
            break;
        }
        case TFigureKind::Pdf417: {
            const TPdf417Figure& pdf = figure.Pdf417();
            cells[2] = "Barcode PDF417" + Format("  (Max. size %dx%d)", pdf.MaxWidth, pdf.MaxHeight);
            cells[3] = std::to_string(pdf.X);
            cells[4] = std::to_string(pdf.Y);
            cells[5] = RotationName(pdf.Rotation);
            cells[6] = TranslateToAnsi(pdf.Data);
            break;
        }
        case TFigureKind::Font: break;
    }
    return cells;
}

void SwapFigureContents(TFigure& a, TFigure& b)
{
    std::swap(a.Flags, b.Flags);
    std::swap(a.PasteMark, b.PasteMark);
    a.Payload.swap(b.Payload);
}

}  // namespace zk
