#include "engine/picture/extract_graphics.h"
#include "engine/picture/picture_data.h"
#include "engine/picture/picture_file.h"
#include "engine/report/reporting.h"

namespace zk {

bool MakePictureData(const std::string& name, bool fromFile)
{
    if (fromFile) {
        if (LoadPictureFile(name) == PictureLoadFailed) {
            return false;
        }
        return MakePictureDataFromBuffer();
    }
    if (!ExtractGraphicsToBuffer(name) || !MakePictureDataFromBuffer()) {
        ShowMessageBox("Error", "Can't extract from printer");
        return false;
    }
    return true;
}

}  // namespace zk
