#include "engine/labelfile/figure_room.h"

#include <string>

#include "engine/labelfile/label_file_format.h"
#include "engine/model/figure_list.h"
#include "engine/report/reporting.h"

namespace zk {

bool CheckRoomForFigures(std::size_t added)
{
    if (added <= MaxLabelFigures && CountFigures() <= MaxLabelFigures - added) {
        return true;
    }
    ShowMessageBox("Error", "Label can't hold more than " + std::to_string(MaxLabelFigures) + " figures");
    return false;
}

}  // namespace zk
