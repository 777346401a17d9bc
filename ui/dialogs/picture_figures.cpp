#include "ui/dialogs/picture_figures.h"

#include "engine/model/figure_list.h"

namespace zk {

bool PictureNameIsFree(std::string_view newName, std::string_view oldName)
{
    if (newName == oldName) {
        return true;
    }
    for (const TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Name.view() == newName) {
            return false;
        }
    }
    return true;
}

void RenamePictureFigureGroup(std::string_view oldName, std::string_view newName)
{
    for (TFigure* figure : Figures()) {
        if (figure->Is(TFigureKind::Picture) && figure->Picture().Name.view() == oldName) {
            figure->Picture().Name = newName;
        }
    }
}

void RepointPictureFigureGroup(std::shared_ptr<TPictureData> oldData, const TNewPicture& picture,
                               std::string_view newName)
{
    picture.Data->RefCount = 0;
    if (oldData == nullptr) {
        return;
    }
    for (TFigure* figure : Figures()) {
        if (!figure->Is(TFigureKind::Picture) || figure->Picture().Data != oldData) {
            continue;
        }
        TPictureFigure& p = figure->Picture();
        p.Data = picture.Data;
        ++picture.Data->RefCount;
        p.Width = picture.Width;
        p.Height = picture.Height;
        // The length travels with the block, so that the label file writes
        // the block the figure now points at.
        p.DataLength = static_cast<std::uint16_t>(picture.DataLength);
        p.Name = newName;
    }
}

}  // namespace zk
