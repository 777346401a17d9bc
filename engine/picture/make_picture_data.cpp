#include "engine/link/exchange_guard.h"
#include "engine/picture/extract_graphics.h"
#include "engine/picture/picture_data.h"
#include "engine/picture/picture_file.h"
#include "engine/report/reporting.h"
#include "engine/report/ui_services.h"

namespace zk {

bool MakePictureData(const std::string& name, bool fromFile)
{
    if (fromFile) {
        if (LoadPictureFile(name) == PictureLoadFailed) {
            return false;
        }
        return MakePictureDataFromBuffer();
    }
    // The port belongs to the exchange already running.
    if (ExchangeInProgress()) {
        Ui().Beep();
        return false;
    }
    if (!ExtractGraphicsToBuffer(name) || !MakePictureDataFromBuffer()) {
        ShowMessageBox("Error", "Can't extract from printer");
        return false;
    }
    return true;
}

}  // namespace zk
