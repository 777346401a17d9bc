#include "engine/pdf417/pdf417_encoder.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/expr/data_expression.h"
#include "engine/model/label_setup.h"
#include "engine/pdf417/pdf417_reed_solomon.h"
#include "engine/pdf417/pdf417_row.h"
#include "engine/render/invalid_cross.h"

namespace zk {
namespace {

// Room for every data text a symbol can hold: 928 codewords carry at most
// about 2700 digits, so a longer result fails whether it is cut or not, and
// the evaluation stops as soon as the result passes the buffer.
constexpr std::size_t DATA_BUFFER_SIZE = 4096;

// The placeholder: "ERROR" in text compaction at level 0, one data column,
// six rows, module width 2 and row height 8.
constexpr std::array<std::uint16_t, 6> PLACEHOLDER_CODEWORDS = {4, 137, 524, 539, 535, 771};

TPdf417Symbol Placeholder()
{
    TPdf417Symbol symbol;
    for (std::size_t i = 0; i < PLACEHOLDER_CODEWORDS.size(); ++i) symbol.Codewords.Values[i] = PLACEHOLDER_CODEWORDS[i];
    symbol.Codewords.Count = static_cast<int>(PLACEHOLDER_CODEWORDS.size());
    symbol.Layout = {6, 1, 2, 8, 0};
    symbol.Failed = true;
    return symbol;
}

struct TPoint {
    int X, Y;
};

// (along, across) in figure terms, turned like every figure.
TPoint Turned(int x, int y, int along, int across, int rotation)
{
    switch (rotation) {
    case 1:
        return {x - across, y + along};
    case 2:
        return {x - along, y - across};
    case 3:
        return {x + across, y - along};
    default:
        return {x + along, y + across};
    }
}

void DrawCross(const TPdf417Figure& f, int rotation, int refX, int refY)
{
    const int x = f.X + refX;
    const int y = f.Y + refY;
    const int w = f.MaxWidth;
    const int h = f.MaxHeight;
    switch (rotation) {
    case 1:
        DrawInvalidCross(x - h + 3, y + 3, x - 3, y + w - 6);
        break;
    case 2:
        DrawInvalidCross(x - w + 3, y - h + 3, x - 6, y - 6);
        break;
    case 3:
        DrawInvalidCross(x + 3, y - w + 3, x + h - 6, y - 6);
        break;
    default:
        DrawInvalidCross(x + 3, y + 3, x + w - 6, y + h - 6);
        break;
    }
}

}  // namespace

TPdf417Symbol BuildPdf417Symbol(const TPdf417Figure& figure)
{
    std::array<char, DATA_BUFFER_SIZE> buffer{};
    const EvaluationOutcome outcome = EvaluateDataExpressionWithin(buffer, figure.Data, true);
    if (outcome != EvaluationOutcome::Done || DataExpressionLength <= 0) return Placeholder();
    const std::string_view data(buffer.data(), static_cast<std::size_t>(DataExpressionLength));

    TPdf417Symbol symbol;
    TPdf417Codewords& cw = symbol.Codewords;
    Pdf417Compact(data, figure.Compaction == 1, cw);
    if (cw.Overflow) return Placeholder();

    const int level = Pdf417ChooseLevel(figure.SecurityLevel, cw.Count);
    const int ecCount = Pdf417EcCount(level);
    const int total = cw.Count + ecCount;
    // Wide enough for any columns and rows a figure holds.
    const std::int64_t room = (static_cast<std::int64_t>(figure.MaxCols) - 4) * figure.MaxRows;
    if (total > Pdf417MaxCodewords || room < total) return Placeholder();

    TPdf417Layout& layout = symbol.Layout;
    if (!Pdf417FitSymbol(figure, total, layout) && !Pdf417FitShrink(figure, total, layout)) return Placeholder();
    layout.Level = level;

    const int size = layout.Rows * layout.Columns;
    const int descriptor = size - ecCount;
    cw.Values[0] = static_cast<std::uint16_t>(descriptor);
    while (cw.Count < descriptor) cw.Append(900);
    Pdf417ReedSolomon(cw.Values, level, descriptor, ecCount);
    cw.Count = size;
    return symbol;
}

void EncodePdf417(const TPdf417Figure& figure)
{
    const TPdf417Symbol symbol = BuildPdf417Symbol(figure);
    const TPdf417Layout& layout = symbol.Layout;
    const int rotation = figure.Rotation & 3;
    const int a = layout.ModuleWidth;
    const int h = layout.RowHeight;

    int gx = 0;
    int gy = 0;
    if (figure.Position == 1) {
        gx = (figure.MaxWidth - (layout.Columns + 4) * 17 * a) / 2;
        gy = (figure.MaxHeight - h * layout.Rows) / 2;
    }
    const int refX = LabelSetup.LeftMargin;
    const int refY = LabelSetup.TopMargin;
    TPoint origin = Turned(figure.X + refX, figure.Y + refY, gx, gy, rotation);

    const std::span<const std::uint16_t> codewords(symbol.Codewords.Values.data(),
                                                   static_cast<std::size_t>(symbol.Codewords.Count));
    TPdf417Row row;
    for (int i = 0; i < layout.Rows; ++i) {
        Pdf417BuildRow(row, codewords, i, layout);
        DrawPdf417Row(row, a, origin.X, origin.Y, h, rotation);
        origin = Turned(origin.X, origin.Y, 0, h, rotation);
    }
    if (symbol.Failed) DrawCross(figure, rotation, refX, refY);
}

}  // namespace zk
