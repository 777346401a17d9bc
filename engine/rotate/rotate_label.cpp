#include "engine/rotate/rotate_label.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/labelfile/label_file.h"
#include "engine/link/exchange_guard.h"
#include "engine/model/figure_list.h"
#include "engine/model/label_setup.h"
#include "engine/render/label_image.h"
#include "engine/render/redraw.h"
#include "engine/render/saturate.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"
#include "engine/rotate/rotate_picture.h"

namespace zk {
namespace {

// The turned form of each picture block, worked out before anything
// changes so that a picture that cannot turn leaves the label whole. The
// first figure of a block in list order decides its size, as it is the one
// turned.
struct TBlockTurn {
    const TPictureData* Block = nullptr;
    std::optional<TTurnedPicture> Turned;
};

// False when some picture cannot be turned.
bool TurnEveryBlock(std::vector<TBlockTurn>& turns)
{
    for (const TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Picture) || !figure->Picture().Data) continue;
        const TPictureFigure& picture = figure->Picture();
        const TPictureData* block = picture.Data.get();
        const bool seen = std::any_of(turns.begin(), turns.end(), [block](const TBlockTurn& t) { return t.Block == block; });
        if (seen) continue;
        TBlockTurn turn{block, TurnPicture(picture)};
        // A picture of no size has nothing to turn but its size fields.
        const bool empty = picture.Width <= 0 || picture.Height <= 0;
        if (!turn.Turned && !empty) return false;
        turns.push_back(std::move(turn));
    }
    return true;
}

const std::optional<TTurnedPicture>& TurnOf(const std::vector<TBlockTurn>& turns, const TPictureData* block)
{
    static const std::optional<TTurnedPicture> none;
    for (const TBlockTurn& turn : turns) {
        if (turn.Block == block) return turn.Turned;
    }
    return none;
}

// The new x on the turned label of width w of a figure at old y that
// reaches `extent` dots down: its old bottom becomes its new left edge.
std::int16_t TurnedX(int w, int y, int extent) { return SaturateToInt16(static_cast<long long>(w) - y - extent); }

std::int16_t NextRotation(int rotation) { return static_cast<std::int16_t>(((rotation % 4) + 5) % 4); }

void TurnPoint(std::int16_t& x, std::int16_t& y, int w)
{
    const std::int16_t oldX = x;
    x = TurnedX(w, y, 1);
    y = oldX;
}

// A picture's place on the turned label once its size is the turned one.
void MovePicture(TPictureFigure& picture, int w)
{
    const std::int16_t oldX = picture.X;
    picture.X = TurnedX(w, picture.Y, picture.Width);
    picture.Y = oldX;
}

// Turns the picture figure's block once and moves every later figure that
// shares it onto the turned block, each marked Turned so that the list walk
// passes them by. Figures share what they point at; two blocks under one
// name stay two blocks.
void TurnPictureGroup(TFigure* first, int w, const std::vector<TBlockTurn>& turns)
{
    TPictureFigure& picture = first->Picture();
    first->Flags |= FigureFlag::Turned;
    const std::shared_ptr<TPictureData> oldBlock = picture.Data;
    const std::optional<TTurnedPicture>* turned = oldBlock ? &TurnOf(turns, oldBlock.get()) : nullptr;
    if (turned != nullptr && turned->has_value()) {
        ReplacePictureData(picture, **turned);
    } else {
        std::swap(picture.Width, picture.Height);
    }
    MovePicture(picture, w);
    if (!oldBlock) return;
    for (TFigure* other = first->Next; other != nullptr; other = other->Next) {
        if (!other->Is(TFigureKind::Picture) || other->Picture().Data != oldBlock) continue;
        other->Flags |= FigureFlag::Turned;
        TPictureFigure& sharer = other->Picture();
        sharer.Data = picture.Data;
        sharer.Width = picture.Width;
        sharer.Height = picture.Height;
        sharer.DataLength = picture.DataLength;
        MovePicture(sharer, w);
    }
}

void TurnFigure(TFigure* figure, int w, const std::vector<TBlockTurn>& turns)
{
    switch (figure->Kind()) {
    case TFigureKind::Text: {
        TTextFigure& text = figure->Text();
        TurnPoint(text.X, text.Y, w);
        text.Rotation = NextRotation(text.Rotation);
        break;
    }
    case TFigureKind::Barcode: {
        TBarcodeFigure& barcode = figure->Barcode();
        TurnPoint(barcode.X, barcode.Y, w);
        barcode.Rotation = NextRotation(barcode.Rotation);
        break;
    }
    case TFigureKind::Pdf417: {
        TPdf417Figure& pdf = figure->Pdf417();
        TurnPoint(pdf.X, pdf.Y, w);
        pdf.Rotation = static_cast<std::uint8_t>((pdf.Rotation + 1) % 4);
        break;
    }
    case TFigureKind::Bar: {
        TBarFigure& bar = figure->Bar();
        const std::int16_t oldX = bar.X;
        bar.X = TurnedX(w, bar.Y, bar.Height);
        bar.Y = oldX;
        std::swap(bar.Width, bar.Height);
        break;
    }
    case TFigureKind::Line: {
        TLineFigure& line = figure->Line();
        TurnPoint(line.X1, line.Y1, w);
        TurnPoint(line.X2, line.Y2, w);
        break;
    }
    case TFigureKind::Box: {
        TBoxFigure& box = figure->Box();
        TurnPoint(box.X1, box.Y1, w);
        TurnPoint(box.X2, box.Y2, w);
        break;
    }
    case TFigureKind::Picture:
        if ((figure->Flags & FigureFlag::Turned) == 0) TurnPictureGroup(figure, w, turns);
        break;
    case TFigureKind::Font: break;
    }
}

void ClearTurnedMarks()
{
    for (TFigure* figure : Figures()) {
        figure->Flags &= static_cast<std::uint8_t>(~FigureFlag::Turned);
    }
}

void ShowTurnedLabel()
{
    if (LabelLoadedHook) {
        LabelLoadedHook(LabelLoadTarget::Editor);
        return;
    }
    LabelImage.Resize(LabelSetup.LabelWidth, LabelSetup.LabelLength);
    RedrawLabel(RedrawEditor);
}

}  // namespace

bool RotateLabelCW()
{
    if (ExchangeInProgress()) {
        Ui().Beep();
        return false;
    }
    if (LabelSetup.LabelLength > MaxRotatableLength) {
        ShowMessageBox("Error", "Can't rotate. Label too long");
        return false;
    }
    std::vector<TBlockTurn> turns;
    if (!TurnEveryBlock(turns)) {
        ShowMessageBox("Error", "Can't rotate. Picture too big");
        return false;
    }

    std::swap(LabelSetup.LabelWidth, LabelSetup.LabelLength);
    const int w = LabelSetup.LabelWidth;
    ClearTurnedMarks();
    for (TFigure* figure : Figures()) {
        TurnFigure(figure, w, turns);
    }
    ClearTurnedMarks();
    ShowTurnedLabel();
    return true;
}

}  // namespace zk
